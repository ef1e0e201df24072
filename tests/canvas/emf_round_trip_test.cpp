// Writer and player together: a drawing written as a metafile and played back makes the
// calls that drew it, exactly when played into its own extent and scaled when stretched.
#include <gtest/gtest.h>

#include "canvas/emf_encoder.hpp"
#include "canvas/emf_player.hpp"
#include "canvas/recording_canvas.hpp"
#include "canvas/sample_drawing.hpp"

namespace qalix {
namespace {

EmfPlayer writtenSample() {
    EmfEncoder encoder;
    test::drawSample(encoder, 1, 1);
    return EmfPlayer(emf::parseMetafile(encoder.metafile(), "sample"));
}

DeviceRect stretched(const DeviceRect& r, int kx, int ky) {
    return {r.left * kx, r.top * ky, r.right * kx, r.bottom * ky};
}

TEST(EmfRoundTrip, PlayedIntoItsOwnBoundsTheDrawingMakesTheSameCalls) {
    const EmfPlayer player = writtenSample();
    RecordingCanvas drawn, played;
    test::drawSample(drawn, 1, 1);
    player.play(played, player.picture().header.bounds);
    EXPECT_EQ(played.lines(), drawn.lines());
    EXPECT_EQ(played.objects().created, drawn.objects().created);
}

TEST(EmfRoundTrip, StretchedTheDrawingMakesTheScaledCalls) {
    const EmfPlayer player = writtenSample();
    const DeviceRect bounds = player.picture().header.bounds;
    // Twice, three times, and unevenly (pen widths then follow the mean of the scales).
    for (const auto& [kx, ky] : {std::pair{2, 2}, std::pair{3, 3}, std::pair{2, 4}, {3, 1}}) {
        RecordingCanvas expected, played;
        test::drawSample(expected, kx, ky);
        player.play(played, stretched(bounds, kx, ky));
        EXPECT_EQ(played.lines(), expected.lines()) << kx << " x " << ky;
    }
}

TEST(EmfRoundTrip, AStretchThatMovesTheOriginSetsItFirst) {
    EmfEncoder encoder;
    encoder.rectangle(0, 0, 100, 50);  // covers (0, 0) to (99, 49)
    encoder.moveTo(10, 10);
    const EmfPlayer player(emf::parseMetafile(encoder.metafile(), "shifted"));
    RecordingCanvas played;
    player.play(played, {200, 100, 200 + 2 * 99, 100 + 49});
    EXPECT_EQ(played.lines(),
              (std::vector<std::string>{"origin 200 100", "rect 0 0 200 50", "move 20 10"}));
}

TEST(EmfRoundTrip, SmallScalesNeverTurnSizesIntoDeviceDefaults) {
    EmfEncoder encoder;
    FontDescription font;
    font.height = 16;
    font.width = -6;
    font.face = "Arial";
    encoder.selectFont(font);
    encoder.selectPen({PenStyle::Dot, 1, kBlack});
    encoder.selectPen({PenStyle::Solid, 0, kBlack});
    encoder.rectangle(0, 0, 1000, 1000);
    const EmfPlayer player(emf::parseMetafile(encoder.metafile(), "tiny"));
    RecordingCanvas played;
    player.play(played, {0, 0, 9, 9});  // a hundredth of the size
    EXPECT_EQ(played.lines(), (std::vector<std::string>{
                                  R"(font h=1 w=-1 esc=0 orient=0 weight=400 italic=0 "Arial")",
                                  "pen dot 1 (0,0,0)", "pen solid 0 (0,0,0)", "rect 0 0 9 9"}));
}

}  // namespace
}  // namespace qalix
