#include "graphics/plot_frame.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <utility>

#include "numeric/number_text.hpp"

namespace qalix {

namespace {

constexpr int kPercent = 100;
// Heights of plot text, device units of the page. The plots are laid out for text of the
// start-up height: larger text runs into its neighbours (the rows of the design blocks
// stand 18 units apart, the final critical value's label just clears the sum scale's), and
// text under 12 units is not readable once the page is scaled to the smallest window.
constexpr int kSmallestText = 12;
constexpr int kLargestText = 16;

int truncated(float coordinate, int factor) {
    constexpr long double kLowest = std::numeric_limits<int>::min();
    constexpr long double kHighest = std::numeric_limits<int>::max();
    const long double product = static_cast<long double>(coordinate) * factor;
    if (std::isnan(product)) return 0;
    if (product <= kLowest) return std::numeric_limits<int>::min();
    if (product >= kHighest) return std::numeric_limits<int>::max();
    return static_cast<int>(product);  // toward zero
}

// The part of the segment from a to b inside the frame (Liang and Barsky: the segment's
// parameter range narrowed edge by edge), or none. An end inside is kept exactly.
std::optional<std::pair<WorldPoint, WorldPoint>> insideFrame(WorldPoint a, WorldPoint b,
                                                             WorldPoint low, WorldPoint high) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    double enter = 0.0;
    double leave = 1.0;
    // Each edge as p * t <= q: the points of the segment on its inner side.
    const std::array<std::pair<double, double>, 4> edges = {
        {{-dx, a.x - low.x}, {dx, high.x - a.x}, {-dy, a.y - low.y}, {dy, high.y - a.y}}};
    for (const auto& [p, q] : edges) {
        if (p == 0.0) {
            if (q < 0.0) return std::nullopt;  // parallel to the edge and outside it
            continue;
        }
        const double t = q / p;
        if (p < 0.0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
    }
    if (enter > leave) return std::nullopt;
    const auto at = [&](double t) {
        return WorldPoint{static_cast<float>(a.x + t * dx), static_cast<float>(a.y + t * dy)};
    };
    return std::pair{enter == 0.0 ? a : at(enter), leave == 1.0 ? b : at(leave)};
}

}  // namespace

FontDescription plotFont(const FontDescription& windowFont) {
    FontDescription font = windowFont;
    if (font.height == 0) return font;  // the device's own size
    const int height = std::clamp(std::abs(font.height), kSmallestText, kLargestText);
    font.height = font.height < 0 ? -height : height;
    return font;
}

int PlotMapping::NEWX(float x) const {
    return truncated(x, scale_.xFactor);
}

int PlotMapping::NEWY(float y) const {
    return truncated(y, scale_.yFactor);
}

Point PlotMapping::origin(const Rect& client) const {
    return {client.right * scale_.originXPercent / kPercent,
            client.bottom * scale_.originYPercent / kPercent};
}

std::string formatField(double value, NumberField field) {
    // A value that overflowed on its way here (a sigma typed huge) fits no field: asterisks,
    // never "Inf"; so does a whole number beyond what llround can give. NaN is left to show:
    // nothing may compute one.
    constexpr double kLongLongEnd = 0x1p63;
    const bool whole = field.decimals == NumberField::kInteger;
    if (std::isinf(value) || (whole && !(std::abs(value) < kLongLongEnd))) {
        return std::string(static_cast<std::size_t>(std::max(field.width, 0)), '*');
    }
    if (whole) return formatI(std::llround(value), field.width);
    return formatF(value, field.width, field.decimals);
}

std::string drawnText(std::string_view text, int n) {
    const auto count = static_cast<std::size_t>(std::max(n, 0));
    std::string out(text.substr(0, count));
    out.resize(count, ' ');
    return out;
}

std::string designLineText(const DesignLine& line, const DesignValues& values) {
    const double value = values.*line.value;
    return drawnText(formatA(line.label, line.labelWidth) + formatField(value, line.field),
                     line.drawn);
}

PlotPainter::PlotPainter(Canvas& canvas, const PlotScale& scale, FontDescription& font)
    : canvas_(canvas), mapping_(scale), font_(font) {}

void PlotPainter::begin(const Rect& client, bool whiteBackground) {
    canvas_.selectFont(plotFont(font_));
    if (whiteBackground) {
        canvas_.selectPen(plotpen::kBackground);
        canvas_.rectangle(0, 0, client.right, client.bottom);
    }
    canvas_.setGraphicsMode(GraphicsMode::Advanced);
    const Point o = mapping_.origin(client);
    canvas_.setViewportOrigin(o.x, o.y);
    canvas_.selectPen(plotpen::kFrame);
    const PlotScale& s = mapping_.scale();
    canvas_.rectangle(mapping_.NEWX(s.frameLow.x), mapping_.NEWY(s.frameLow.y),
                      mapping_.NEWX(s.frameHigh.x), mapping_.NEWY(s.frameHigh.y));
}

void PlotPainter::moveTo(WorldPoint p) {
    canvas_.moveTo(mapping_.NEWX(p.x), mapping_.NEWY(p.y));
}

void PlotPainter::lineTo(WorldPoint p) {
    canvas_.lineTo(mapping_.NEWX(p.x), mapping_.NEWY(p.y));
}

void PlotPainter::line(WorldPoint from, WorldPoint to) {
    moveTo(from);
    lineTo(to);
}

void PlotPainter::pathStart(WorldPoint p) {
    const PlotScale& s = mapping_.scale();
    pathEnd_ = p;
    penAtPathEnd_ = insideFrame(p, p, s.frameLow, s.frameHigh).has_value();
    if (penAtPathEnd_) moveTo(p);
}

void PlotPainter::pathTo(WorldPoint p) {
    const PlotScale& s = mapping_.scale();
    const auto shown = insideFrame(pathEnd_, p, s.frameLow, s.frameHigh);
    if (shown) {
        const bool continues =
            penAtPathEnd_ && shown->first.x == pathEnd_.x && shown->first.y == pathEnd_.y;
        if (!continues) moveTo(shown->first);
        lineTo(shown->second);
    }
    penAtPathEnd_ = shown && shown->second.x == p.x && shown->second.y == p.y;
    pathEnd_ = p;
}

void PlotPainter::mark(WorldPoint at, int half) {
    const int x = mapping_.NEWX(at.x);
    const int y = mapping_.NEWY(at.y);
    // The rectangle leaves out its right and bottom edges.
    canvas_.rectangle(x - half, y - half, x + half + 1, y + half + 1);
}

bool PlotPainter::inFrame(WorldPoint p) const {
    const PlotScale& s = mapping_.scale();
    return insideFrame(p, p, s.frameLow, s.frameHigh).has_value();
}

void PlotPainter::text(WorldPoint at, std::string_view text) {
    canvas_.textOut(mapping_.NEWX(at.x), mapping_.NEWY(at.y), text);
}

void PlotPainter::texts(std::span<const Caption> captions) {
    for (const Caption& c : captions)
        text(c.at, c.text);
}

void PlotPainter::rightAligned(std::span<const Caption> captions) {
    canvas_.setTextAlign(TextAlign::RightTop);
    texts(captions);
    canvas_.setTextAlign(TextAlign::LeftTop);
}

void PlotPainter::verticalCaption(WorldPoint at, std::string_view caption) {
    font_.escapement = kUpward;
    font_.orientation = kUpward;
    canvas_.selectFont(plotFont(font_));
    text(at, caption);
    font_.escapement = 0;
    font_.orientation = 0;
    canvas_.selectFont(plotFont(font_));
}

void PlotPainter::designBlock(std::span<const DesignLine> lines, const DesignValues& values,
                              bool normseq) {
    for (const DesignLine& line : lines) {
        const bool shown =
            line.shownIn == ShownIn::AllDesigns || (line.shownIn == ShownIn::Normseq) == normseq;
        if (shown) text(line.at, designLineText(line, values));
    }
}

}  // namespace qalix
