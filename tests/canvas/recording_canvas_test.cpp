// The recording canvas: one readable log line per call, escaped texts, the font attributes
// named only when unusual, the drawing objects a device would hold, and replay.
#include <gtest/gtest.h>

#include <functional>

#include "canvas/recording_canvas.hpp"
#include "canvas/sample_drawing.hpp"

namespace qalix {
namespace {

FontDescription timesFont(int height, int turn) {
    FontDescription f;
    f.height = height;
    f.escapement = f.orientation = turn;
    f.face = "Times New Roman";
    return f;
}

struct LineCase {
    std::function<void(Canvas&)> draw;
    const char* line;
};

TEST(RecordingCanvas, EachCallIsOneReadableLine) {
    FontDescription unusual = timesFont(-12, 0);
    unusual.weight = 700;
    unusual.italic = unusual.underline = unusual.strikeOut = true;
    unusual.charSet = 0;
    unusual.outPrecision = 3;
    unusual.clipPrecision = 2;
    unusual.quality = 1;
    unusual.pitchAndFamily = 0x12;
    const LineCase cases[] = {
        {[](Canvas& c) {
             c.selectPen({PenStyle::Dot, 1, {218, 19, 23}});
         },
         "pen dot 1 (218,19,23)"},
        {[](Canvas& c) {
             c.selectPen({PenStyle::Solid, 0, kBlack});
         },
         "pen solid 0 (0,0,0)"},
        {[](Canvas& c) {
             c.selectPen({PenStyle::Dash, 2, kWhite});
         },
         "pen dash 2 (255,255,255)"},
        {[](Canvas& c) {
             c.selectPen({PenStyle::DashDot, 0, kBlack});
         },
         "pen dashdot 0 (0,0,0)"},
        {[](Canvas& c) {
             c.selectPen({PenStyle::DashDotDot, 0, kBlack});
         },
         "pen dashdotdot 0 (0,0,0)"},
        {[](Canvas& c) {
             c.selectPen({PenStyle::Null, 2, kBlack});
         },
         "pen null 2 (0,0,0)"},
        {[](Canvas& c) { c.selectFont(timesFont(16, 900)); },
         R"(font h=16 w=0 esc=900 orient=900 weight=400 italic=0 "Times New Roman")"},
        {[&](Canvas& c) { c.selectFont(unusual); },
         "font h=-12 w=0 esc=0 orient=0 weight=700 italic=1 underline=1 strikeout=1 charset=0 "
         R"(out=3 clip=2 quality=1 pitch=0x12 "Times New Roman")"},
        {[](Canvas& c) { c.setTextAlign(TextAlign::RightTop); }, "align right"},
        {[](Canvas& c) { c.setTextAlign(TextAlign::LeftTop); }, "align left"},
        {[](Canvas& c) { c.setGraphicsMode(GraphicsMode::Advanced); }, "mode advanced"},
        {[](Canvas& c) { c.setGraphicsMode(GraphicsMode::Compatible); }, "mode compatible"},
        {[](Canvas& c) { c.setViewportOrigin(380, 342); }, "origin 380 342"},
        {[](Canvas& c) { c.moveTo(0, 0); }, "move 0 0"},
        {[](Canvas& c) { c.lineTo(550, -360); }, "line 550 -360"},
        {[](Canvas& c) { c.rectangle(-110, 180, 660, -360); }, "rect -110 180 660 -360"},
        {[](Canvas& c) { c.textOut(-412, 27, "1. Sig-level:  alpha = 0.0500"); },
         R"(text -412 27 "1. Sig-level:  alpha = 0.0500")"},
        {[](Canvas& c) { c.textOut(0, 0, "say \"a\\b\"\t!"); }, R"(text 0 0 "say \"a\\b\"\x09!")"},
        {[](Canvas& c) { c.textOut(1, 2, "m\xc3\xa9"); }, "text 1 2 \"m\xc3\xa9\""},
    };
    for (const LineCase& c : cases) {
        RecordingCanvas canvas;
        c.draw(canvas);
        EXPECT_EQ(canvas.lines(), std::vector<std::string>{c.line});
    }
}

TEST(RecordingCanvas, TextIsTheLinesEachEndedByANewline) {
    RecordingCanvas canvas;
    canvas.moveTo(1, 2);
    canvas.lineTo(3, 4);
    EXPECT_EQ(canvas.text(), "move 1 2\nline 3 4\n");
    EXPECT_EQ(RecordingCanvas().text(), "");
}

TEST(RecordingCanvas, CountsObjectsAsADeviceHoldsThem) {
    RecordingCanvas canvas;
    EXPECT_EQ(canvas.objects().mostAlive, 0);
    canvas.selectPen({});  // the first pen: nothing replaced
    EXPECT_EQ(canvas.objects().created, 1);
    EXPECT_EQ(canvas.objects().released, 0);
    canvas.selectFont(timesFont(16, 0));
    canvas.selectPen({});  // alive for a moment: the old pen, the new pen and the font
    EXPECT_EQ(canvas.objects().mostAlive, 3);
    for (int i = 0; i < 500; ++i) {
        canvas.selectPen({PenStyle::Dot, 1, {static_cast<std::uint8_t>(i), 0, 0}});
        canvas.selectFont(timesFont(16, i % 2 * 900));
    }
    EXPECT_EQ(canvas.objects().created, 1003);
    EXPECT_EQ(canvas.objects().released, 1001);
    EXPECT_EQ(canvas.objects().alive(), 2);
    EXPECT_EQ(canvas.objects().mostAlive, 3);
}

TEST(RecordingCanvas, ReplayMakesTheSameCallsOnAnotherCanvas) {
    RecordingCanvas first;
    test::drawSample(first, 1, 1);
    RecordingCanvas second;
    first.replay(second);
    EXPECT_EQ(second.lines(), first.lines());
    EXPECT_EQ(second.lines().size(), 20u);
    EXPECT_EQ(second.objects().created, first.objects().created);
}

}  // namespace
}  // namespace qalix
