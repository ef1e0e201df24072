#include "report/comparison_figure.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

#include "graphics/plot_page.hpp"
#include "canvas/svg_canvas.hpp"
#include "canvas/text_extent.hpp"
#include "canvas/utf16.hpp"

namespace qalix {

namespace {

// Colours that stay apart on screen and paper, each drawn solid, dashed and dash-dotted: one
// pen for each of kMaxFigureCurves candidates.
constexpr std::array<Colour, 8> kColours = {{{0, 80, 200},
                                             {210, 30, 30},
                                             {0, 140, 60},
                                             {190, 0, 190},
                                             {230, 120, 0},
                                             {0, 150, 160},
                                             {130, 80, 20},
                                             {90, 60, 170}}};
constexpr std::array<PenStyle, 3> kStyles = {PenStyle::Solid, PenStyle::Dash, PenStyle::DashDot};
static_assert(kColours.size() * kStyles.size() == kMaxFigureCurves);
constexpr int kCurveWidth = 2;
constexpr Pen kAxisPen{PenStyle::Solid, 0, kBlack};
constexpr Pen kGridPen{PenStyle::Dot, 0, {170, 170, 170}};

// Room around a panel's plotting area for its title, tick labels and axis captions.
constexpr int kMarginLeft = 100, kMarginRight = 30, kMarginTop = 50, kMarginBottom = 85;
constexpr int kTickLength = 8, kLabelGap = 6;
constexpr int kAimedTicks = 8;
constexpr int kLegendSample = 50;

struct Layout {
    FontDescription font;
    int legendColumns;
    int legendRow;  // height of a legend line
};

FontDescription figureFont(int height) {
    FontDescription font;
    font.height = -height;
    font.face = "Arial";
    return font;
}

const Layout kWindowLayout{figureFont(20), 3, 28};
const Layout kDocumentLayout{figureFont(20), 2, 30};
// The document's figures: one panel over its legend.
constexpr int kDocumentWidth = 1000, kDocumentPanelHeight = 600;

Pen curvePen(std::size_t index) {
    return {kStyles[(index / kColours.size()) % kStyles.size()], kCurveWidth,
            kColours[index % kColours.size()]};
}

bool allOnDataScale(std::span<const ComparisonRow> candidates) {
    return std::all_of(candidates.begin(), candidates.end(),
                       [](const ComparisonRow& c) { return c.curves.onDataScale; });
}

// What one panel draws: per candidate a polyline, and the axes' ranges and captions.
struct PanelData {
    std::string title;
    std::string xCaption;
    std::string yCaption;
    std::string figureCaption;  // under the document's figure
    double xLow = 0.0, xHigh = 1.0, yLow = 0.0, yHigh = 1.0;
    std::vector<std::vector<std::pair<double, double>>> curves;
};

// A step of 1, 2 or 5 times a power of ten that cuts the span into about `aimed` parts; 0 for
// a span too small or too large to cut (no ticks are drawn then).
double niceStep(double span, int aimed) {
    const double raw = span / aimed;
    if (!std::isnormal(raw) || raw < 0.0) return 0.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    const double factor = normal < 1.5 ? 1.0 : normal < 3.0 ? 2.0 : normal < 7.0 ? 5.0 : 10.0;
    return factor * magnitude;
}

// The multiples of the step from low to high; none when there is no step, or when the range
// holds more of them than an axis can show (values far from 0 against a small span).
std::vector<double> ticks(double low, double high, double step) {
    constexpr double kMostTicks = 100.0;
    if (step == 0.0) return {};
    const double first = std::ceil(low / step - 1e-9);
    const double last = std::floor(high / step + 1e-9);
    if (!(last - first < kMostTicks)) return {};
    std::vector<double> values;
    for (int i = 0; i <= static_cast<int>(last - first); ++i)
        values.push_back((first + i) * step);
    return values;
}

// A tick's value with the decimals its step needs, never "-0".
std::string tickText(double value, double step) {
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    if (std::abs(value) < step * 1e-6) value = 0.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string legendText(const ComparisonRow& c) {
    return std::to_string(c.candidate) + "   " +
           (c.label.empty() ? "candidate " + std::to_string(c.candidate) : c.label);
}

PanelData panelData(std::span<const ComparisonRow> candidates, ComparisonPanel panel) {
    const bool data = allOnDataScale(candidates);
    PanelData p;
    p.xCaption = data ? "True mean  mu" : "Standardized true mean  delta";
    double xLow = INFINITY, xHigh = -INFINITY, sizeHigh = 0.0;
    for (const ComparisonRow& c : candidates) {
        std::vector<std::pair<double, double>> curve;
        if (panel == ComparisonPanel::Power) {
            for (const auto& point : c.curves.power)
                curve.emplace_back(data ? point.mean : point.theta, point.reject);
        } else {
            for (const auto& point : c.curves.expected) {
                curve.emplace_back(
                    data ? point.mean : point.theta,
                    data ? point.expectedTime * c.curves.maxSize : point.expectedTime);
            }
        }
        for (const auto& [x, y] : curve) {
            xLow = std::min(xLow, x);
            xHigh = std::max(xHigh, x);
        }
        sizeHigh = std::max(sizeHigh, c.curves.maxSize);
        p.curves.push_back(std::move(curve));
    }
    if (xLow < xHigh) {
        p.xLow = xLow;
        p.xHigh = xHigh;
    }
    if (panel == ComparisonPanel::Power) {
        p.title = "POWER FUNCTIONS";
        p.yCaption = "Power: probability to reject H_0";
        p.figureCaption = "Power functions of the candidates";
    } else if (data && sizeHigh > 0.0) {
        p.title = "EXPECTED SAMPLE SIZE";
        p.yCaption = "Expected sample size  E(N)";
        p.figureCaption = "Expected sample size of the candidates";
        const double step = niceStep(sizeHigh, 5);
        p.yHigh = std::ceil(sizeHigh / step) * step;
    } else {
        p.title = "EXPECTED INFORMATION TIME";
        p.yCaption = "Expected information time  E(T)";
        p.figureCaption = "Expected information time at stopping of the candidates";
    }
    return p;
}

// Draws on a canvas in page units, with texts placed by their estimated extents.
class FigurePainter {
  public:
    FigurePainter(Canvas& canvas, const Layout& layout) : canvas_(canvas), layout_(layout) {
        canvas_.setGraphicsMode(GraphicsMode::Advanced);
        canvas_.selectFont(layout_.font);
        canvas_.setTextAlign(TextAlign::LeftTop);
    }

    void panel(const PanelData& p, const Rect& area) {
        const Rect plot{area.left + kMarginLeft, area.top + kMarginTop, area.right - kMarginRight,
                        area.bottom - kMarginBottom};
        centred(p.title, (plot.left + plot.right) / 2, area.top + kMarginTop / 3);
        xAxis(p, plot);
        yAxis(p, plot, area.left);
        for (std::size_t i = 0; i < p.curves.size() && i < kMaxFigureCurves; ++i)
            curve(p, plot, p.curves[i], curvePen(i));
        canvas_.selectPen(kAxisPen);
        box(plot);
    }

    void legend(std::span<const ComparisonRow> candidates, const Rect& area) {
        const std::size_t shown = std::min(candidates.size(), kMaxFigureCurves);
        const auto columns = static_cast<std::size_t>(layout_.legendColumns);
        const std::size_t rows = (shown + columns - 1) / columns;
        const int columnWidth = area.width() / layout_.legendColumns;
        for (std::size_t i = 0; i < shown; ++i) {
            const int x = area.left + kMarginLeft / 2 + static_cast<int>(i / rows) * columnWidth;
            const int y = area.top + static_cast<int>(i % rows) * layout_.legendRow;
            const int middle = y + layout_.legendRow / 2;
            canvas_.selectPen(curvePen(i));
            canvas_.moveTo(x, middle);
            canvas_.lineTo(x + kLegendSample, middle);
            text(legendText(candidates[i]), x + kLegendSample + kLabelGap,
                 middle - textHeight() / 2);
        }
    }

    int textHeight() const { return static_cast<int>(estimatedCellHeight(layout_.font)); }

  private:
    static int at(double value, double low, double high, int from, int to) {
        return from + static_cast<int>(std::lround((value - low) / (high - low) * (to - from)));
    }
    static int xAt(const PanelData& p, const Rect& plot, double x) {
        return at(x, p.xLow, p.xHigh, plot.left, plot.right);
    }
    static int yAt(const PanelData& p, const Rect& plot, double y) {
        return at(y, p.yLow, p.yHigh, plot.bottom, plot.top);
    }

    void xAxis(const PanelData& p, const Rect& plot) {
        const double step = niceStep(p.xHigh - p.xLow, kAimedTicks);
        for (const double v : ticks(p.xLow, p.xHigh, step)) {
            const int x = xAt(p, plot, v);
            gridLine(x, plot.top, x, plot.bottom);
            canvas_.selectPen(kAxisPen);
            line(x, plot.bottom, x, plot.bottom + kTickLength);
            centred(tickText(v, step), x, plot.bottom + kTickLength + kLabelGap);
        }
        centred(p.xCaption, (plot.left + plot.right) / 2,
                plot.bottom + kTickLength + 2 * kLabelGap + textHeight() + kLabelGap);
    }

    void yAxis(const PanelData& p, const Rect& plot, int areaLeft) {
        const double step = niceStep(p.yHigh - p.yLow, kAimedTicks);
        for (const double v : ticks(p.yLow, p.yHigh, step)) {
            const int y = yAt(p, plot, v);
            gridLine(plot.left, y, plot.right, y);
            canvas_.selectPen(kAxisPen);
            line(plot.left - kTickLength, y, plot.left, y);
            const std::string label = tickText(v, step);
            text(label, plot.left - kTickLength - kLabelGap - width(label), y - textHeight() / 2);
        }
        upward(p.yCaption, areaLeft + kLabelGap, (plot.top + plot.bottom) / 2);
    }

    void curve(const PanelData& p, const Rect& plot,
               const std::vector<std::pair<double, double>>& points, const Pen& pen) {
        if (points.empty()) return;
        canvas_.selectPen(pen);
        canvas_.moveTo(xAt(p, plot, points.front().first), yAt(p, plot, points.front().second));
        for (const auto& [x, y] : points)
            canvas_.lineTo(xAt(p, plot, x), yAt(p, plot, y));
    }

    void gridLine(int x0, int y0, int x1, int y1) {
        canvas_.selectPen(kGridPen);
        line(x0, y0, x1, y1);
    }

    void line(int x0, int y0, int x1, int y1) {
        canvas_.moveTo(x0, y0);
        canvas_.lineTo(x1, y1);
    }

    void box(const Rect& r) {
        canvas_.moveTo(r.left, r.top);
        canvas_.lineTo(r.right, r.top);
        canvas_.lineTo(r.right, r.bottom);
        canvas_.lineTo(r.left, r.bottom);
        canvas_.lineTo(r.left, r.top);
    }

    int width(const std::string& s) const {
        const std::vector<int> advances = estimatedAdvances(layout_.font, utf8ToUtf16(s));
        return std::accumulate(advances.begin(), advances.end(), 0);
    }

    void text(const std::string& s, int x, int y) { canvas_.textOut(x, y, s); }
    void centred(const std::string& s, int x, int y) { text(s, x - width(s) / 2, y); }

    // Turned a quarter to the left, centred on y: the text starts at its bottom end.
    void upward(const std::string& s, int x, int y) {
        FontDescription turned = layout_.font;
        turned.escapement = turned.orientation = 900;
        canvas_.selectFont(turned);
        text(s, x, y + width(s) / 2);
        canvas_.selectFont(layout_.font);
    }

    Canvas& canvas_;
    const Layout& layout_;
};

int legendHeight(std::size_t candidates, const Layout& layout) {
    const auto columns = static_cast<std::size_t>(layout.legendColumns);
    const std::size_t shown = std::min(candidates, kMaxFigureCurves);
    return static_cast<int>((shown + columns - 1) / columns) * layout.legendRow;
}

}  // namespace

void drawComparison(Canvas& canvas, std::span<const ComparisonRow> candidates) {
    const Rect page = kPlotPage;
    const int legend = legendHeight(candidates.size(), kWindowLayout);
    const int panelsBottom = page.bottom - legend - kWindowLayout.legendRow / 2;
    const int middle = (page.left + page.right) / 2;
    FigurePainter painter(canvas, kWindowLayout);
    painter.panel(panelData(candidates, ComparisonPanel::Power),
                  {page.left, page.top, middle, panelsBottom});
    painter.panel(panelData(candidates, ComparisonPanel::Expected),
                  {middle, page.top, page.right, panelsBottom});
    painter.legend(candidates, {page.left, panelsBottom, page.right, page.bottom});
}

std::string comparisonSvg(std::span<const ComparisonRow> candidates, ComparisonPanel panel) {
    const int height = kDocumentPanelHeight + legendHeight(candidates.size(), kDocumentLayout) +
                       kDocumentLayout.legendRow;
    SvgCanvas canvas(kDocumentWidth, height);
    canvas.selectPen({PenStyle::Null, 0, kBlack});
    canvas.rectangle(0, 0, kDocumentWidth + 1, height + 1);
    FigurePainter painter(canvas, kDocumentLayout);
    painter.panel(panelData(candidates, panel), {0, 0, kDocumentWidth, kDocumentPanelHeight});
    painter.legend(candidates, {0, kDocumentPanelHeight, kDocumentWidth, height});
    return canvas.svg();
}

std::string panelCaption(std::span<const ComparisonRow> candidates, ComparisonPanel panel) {
    return panelData(candidates, panel).figureCaption;
}

}  // namespace qalix
