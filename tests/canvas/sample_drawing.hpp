// Drawings the canvas, graphics and picture tests share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/canvas.hpp"

namespace qalix::test {

// A small plot drawn the way the plots draw (font, white background under a null pen,
// advanced mode, origin, frame, axis, a dotted coloured path, texts plain, turned and
// right-aligned), stretched kx times across and ky times down: coordinates and font heights
// are multiplied, pen widths follow the mean of the two factors (halves rounded up), a width
// of 0 stays 0. Drawn with (1, 1) it is the picture; with other factors, what a player
// stretching that picture should draw.
inline void drawSample(Canvas& c, int kx, int ky) {
    auto width = [&](int w) { return (w * (kx + ky) + 1) / 2; };
    FontDescription font;
    font.height = 16 * ky;
    font.face = "Times New Roman";
    c.selectFont(font);
    c.selectPen({PenStyle::Null, width(2), kBlack});
    c.rectangle(0, 0, 800 * kx, 600 * ky);
    c.setGraphicsMode(GraphicsMode::Advanced);
    c.setViewportOrigin(380 * kx, 342 * ky);
    c.selectPen({PenStyle::Solid, 0, kBlack});
    c.rectangle(-110 * kx, 180 * ky, 660 * kx, -360 * ky);
    c.moveTo(0, 0);
    c.lineTo(550 * kx, -360 * ky);
    c.selectPen({PenStyle::Dot, width(1), {218, 19, 23}});
    c.moveTo(0, 90 * ky);
    c.lineTo(275 * kx, -45 * ky);
    c.lineTo(550 * kx, -120 * ky);
    c.textOut(-412 * kx, 27 * ky, "1. Sig-level:  alpha = 0.0500");
    font.escapement = font.orientation = 900;
    c.selectFont(font);
    c.textOut(-150 * kx, 100 * ky, "Test statistic");
    font.escapement = font.orientation = 0;
    c.selectFont(font);
    c.setTextAlign(TextAlign::RightTop);
    c.textOut(-115 * kx, -10 * ky, "0.0");
    c.setTextAlign(TextAlign::LeftTop);
}

// Little-endian fields read straight from bytes, independently of the program's reader.
inline std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at)) | static_cast<std::uint32_t>(b.at(at + 1)) << 8 |
           static_cast<std::uint32_t>(b.at(at + 2)) << 16 |
           static_cast<std::uint32_t>(b.at(at + 3)) << 24;
}
inline std::int32_t i32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(u32At(b, at));
}
inline std::uint16_t u16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}
inline std::u16string utf16At(const std::vector<std::uint8_t>& b, std::size_t at,
                              std::size_t chars) {
    std::u16string s;
    for (std::size_t i = 0; i < chars; ++i)
        s.push_back(static_cast<char16_t>(u16At(b, at + 2 * i)));
    return s;
}

}  // namespace qalix::test
