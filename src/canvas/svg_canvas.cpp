#include "canvas/svg_canvas.hpp"

#include <cmath>
#include <cstdlib>

#include "canvas/utf16.hpp"

namespace qalix {

namespace {

constexpr double kTenthsPerDegree = 10.0;
// The ascent of the sans-serif faces the plots are read in, as a fraction of the font size.
constexpr double kAscent = 0.9;

std::string rgb(const Colour& c) {
    return "rgb(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," +
           std::to_string(c.blue) + ")";
}

// Dash patterns in units of the line's width, as a printer draws the metafile's styles.
std::string dashes(PenStyle style, int width) {
    const int w = width < 1 ? 1 : width;
    const auto pattern = [w](std::initializer_list<int> units) {
        std::string text;
        for (int u : units)
            text += (text.empty() ? "" : ",") + std::to_string(u * w);
        return " stroke-dasharray=\"" + text + "\"";
    };
    switch (style) {
        case PenStyle::Dash:
            return pattern({6, 2});
        case PenStyle::Dot:
            return pattern({1, 2});
        case PenStyle::DashDot:
            return pattern({6, 2, 1, 2});
        case PenStyle::DashDotDot:
            return pattern({6, 2, 1, 2, 1, 2});
        default:
            return "";
    }
}

// The face, then the generic family of its kind for a reader without it.
std::string fontFamily(const FontDescription& font) {
    if (font.face.empty()) return "sans-serif";
    const bool serif = font.face.find("Times") != std::string::npos ||
                       font.face.find("Roman") != std::string::npos;
    return xmlText(font.face) + (serif ? ", Liberation Serif, serif" : ", sans-serif");
}

}  // namespace

std::string xmlText(std::string_view utf8) {
    // Through UTF-16 and back: a malformed sequence becomes U+FFFD, never bytes XML refuses.
    const std::string text = utf16ToUtf8(utf8ToUtf16(utf8));
    std::string out;
    for (const char ch : text) {
        switch (ch) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // No control character is legal XML.
                out += static_cast<unsigned char>(ch) < 0x20 ? ' ' : ch;
        }
    }
    return out;
}

SvgCanvas::SvgCanvas(int width, int height) : width_(width), height_(height) {}

void SvgCanvas::setViewportOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
}

void SvgCanvas::moveTo(int x, int y) {
    x_ = x + originX_;
    y_ = y + originY_;
}

std::string SvgCanvas::stroke() const {
    const int width = pen_.width < 1 ? 1 : pen_.width;
    return "stroke=\"" + rgb(pen_.colour) + "\" stroke-width=\"" + std::to_string(width) + "\"" +
           dashes(pen_.style, pen_.width);
}

void SvgCanvas::lineTo(int x, int y) {
    const int toX = x + originX_;
    const int toY = y + originY_;
    if (pen_.style != PenStyle::Null) {
        body_ << "<line x1=\"" << x_ << "\" y1=\"" << y_ << "\" x2=\"" << toX << "\" y2=\"" << toY
              << "\" " << stroke() << "/>\n";
    }
    x_ = toX;
    y_ = toY;
}

void SvgCanvas::rectangle(int left, int top, int right, int bottom) {
    const int x = std::min(left, right) + originX_;
    const int y = std::min(top, bottom) + originY_;
    const int w = std::abs(right - left) - 1;
    const int h = std::abs(bottom - top) - 1;
    body_ << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << w << "\" height=\"" << h
          << "\" fill=\"white\" "
          << (pen_.style == PenStyle::Null ? std::string("stroke=\"none\"") : stroke()) << "/>\n";
}

void SvgCanvas::textOut(int x, int y, std::string_view text) {
    const int px = x + originX_;
    const int py = y + originY_;
    const int size = std::abs(font_.height) > 0 ? std::abs(font_.height) : 12;
    // The baseline an ascent below the reference point, placed by hand: not every SVG reader
    // (Qt's, which draws the PDF report, among them) takes dominant-baseline.
    const long baseline = std::lround(py + kAscent * size);
    body_ << "<text x=\"" << px << "\" y=\"" << baseline << "\" font-size=\"" << size
          << "\" font-family=\"" << fontFamily(font_) << "\"";
    if (font_.weight > FontDescription::kNormalWeight) body_ << " font-weight=\"bold\"";
    if (align_ == TextAlign::RightTop) body_ << " text-anchor=\"end\"";
    if (font_.escapement != 0) {
        body_ << " transform=\"rotate(" << -font_.escapement / kTenthsPerDegree << " " << px << " "
              << py << ")\"";
    }
    body_ << ">" << xmlText(text) << "</text>\n";
}

std::string SvgCanvas::svg() const {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + std::to_string(width_) +
           " " + std::to_string(height_) + "\" width=\"100%\" role=\"img\">\n" + body_.str() +
           "</svg>\n";
}

}  // namespace qalix
