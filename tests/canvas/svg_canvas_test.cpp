// The SVG the report embeds: well-formed text whatever a label holds, lines and texts where
// the plots put them (the viewport origin added), right-aligned and rotated texts as a
// painter draws them, and nothing for a pen that draws nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "canvas/svg_canvas.hpp"

namespace qalix {
namespace {

struct Drawn {
    const char* what;
    std::function<void(SvgCanvas&)> draw;
    std::string expected;  // a part of the SVG; empty: no element at all
};

TEST(SvgCanvas, DrawsWhatThePlotsAskFor) {
    const Drawn cases[] = {
        {"origin added",
         [](SvgCanvas& c) {
             c.setViewportOrigin(10, 20);
             c.moveTo(1, 2);
             c.lineTo(3, 4);
         },
         "<line x1=\"11\" y1=\"22\" x2=\"13\" y2=\"24\""},
        // Texts are UTF-8 throughout: "\xc2\xb5" once came out as "\xc3\x82\xc2\xb5".
        {"markup escaped, UTF-8 kept", [](SvgCanvas& c) { c.textOut(0, 0, "p < 0.05 & \xc2\xb5"); },
         ">p &lt; 0.05 &amp; \xc2\xb5</text>"},
        {"a malformed byte as U+FFFD", [](SvgCanvas& c) { c.textOut(0, 0, "d\xe9sign"); },
         ">d\xef\xbf\xbdsign</text>"},
        {"right-aligned",
         [](SvgCanvas& c) {
             c.setTextAlign(TextAlign::RightTop);
             c.textOut(100, 5, "1.0");
         },
         "text-anchor=\"end\""},
        {"rotated a quarter turn upwards",
         [](SvgCanvas& c) {
             FontDescription font;
             font.escapement = 900;
             c.selectFont(font);
             c.textOut(40, 50, "Power");
         },
         "transform=\"rotate(-90 40 50)\""},
        {"dashed",
         [](SvgCanvas& c) {
             c.selectPen({PenStyle::Dot, 1, {0, 0, 255}});
             c.lineTo(5, 5);
         },
         "stroke=\"rgb(0,0,255)\" stroke-width=\"1\" stroke-dasharray=\"1,2\""},
        {"a null pen draws no line",
         [](SvgCanvas& c) {
             c.selectPen({PenStyle::Null, 1, {}});
             c.lineTo(5, 5);
         },
         ""},
    };
    for (const Drawn& d : cases) {
        SvgCanvas canvas(1500, 800);
        d.draw(canvas);
        const std::string svg = canvas.svg();
        EXPECT_EQ(
            svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1500 800\"", 0), 0u);
        if (d.expected.empty()) {
            EXPECT_EQ(svg.find("<line"), std::string::npos) << d.what;
        } else {
            EXPECT_NE(svg.find(d.expected), std::string::npos) << d.what << "\n" << svg;
        }
    }
}

}  // namespace
}  // namespace qalix
