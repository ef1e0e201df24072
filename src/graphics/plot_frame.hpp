// What the three plots share: world coordinates mapped to device units by a fixed pair of
// factors, the viewport origin at fixed fractions of the graphic window's client area, the
// pens of each drawing role, the one window font (turned for the vertical caption), number
// fields drawn as a fixed count of characters, and the block of design parameters.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "ui/canvas.hpp"
#include "ui/font.hpp"
#include "ui/geometry.hpp"

namespace qalix {

// A point in a plot's own coordinates, held in single precision as every plot keeps them.
struct WorldPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// A plot's scale factors, the fractions of the client area its origin lies at, and its frame
// rectangle from the lower left to the upper right corner.
struct PlotScale {
    int xFactor;
    int yFactor;  // negative: world y grows upward
    int originXPercent;
    int originYPercent;
    WorldPoint frameLow;
    WorldPoint frameHigh;
};

// NEWX and NEWY of one plot: the product of the coordinate and the factor in extended
// precision, truncated toward zero. A product beyond the range of int (or not a number, as a
// curve of an unfinished design may give) is held at the nearest int, never undefined.
class PlotMapping {
  public:
    explicit PlotMapping(const PlotScale& scale) : scale_(scale) {}
    int NEWX(float x) const;
    int NEWY(float y) const;
    // The viewport origin: right and bottom of the client area times the plot's fractions,
    // divided with truncation.
    Point origin(const Rect& client) const;
    const PlotScale& scale() const { return scale_; }

  private:
    const PlotScale& scale_;
};

// The pens of each drawing role.
namespace plotpen {
inline constexpr Colour kMagenta{255, 0, 255};
inline constexpr Colour kBlue{0, 0, 255};
inline constexpr Colour kCyan{0, 255, 255};
inline constexpr Colour kRed{255, 0, 0};
inline constexpr Pen kFrame{PenStyle::Solid, 0, kBlack};    // frame, axes, ticks
inline constexpr Pen kCurve{PenStyle::Solid, 0, kMagenta};  // main curve, upper boundary
inline constexpr Pen kLower{PenStyle::Solid, 0, kBlue};
inline constexpr Pen kContinuous{PenStyle::Dot, 0, kCyan};
inline constexpr Pen kReference{PenStyle::Dot, 0, kBlue};
inline constexpr Pen kFinal{PenStyle::Solid, 0, kRed};
inline constexpr int kPathWidth = 1;
// The export's white area under an invisible pen.
inline constexpr Pen kBackground{PenStyle::Null, 2, kBlack};
}  // namespace plotpen

// The window font as the plots draw with it: its height held between the smallest that
// stays readable on a page scaled to a small window and the largest the plots are laid out
// for, so that their texts stay apart.
FontDescription plotFont(const FontDescription& windowFont);

// A number field: Fw.d, or Iw when decimals is kInteger.
struct NumberField {
    static constexpr int kInteger = -1;
    int width;
    int decimals;
};
std::string formatField(double value, NumberField field);

// The first n characters of a text written into a blank-filled buffer: blanks after the
// text when n is longer, the tail cut when it is shorter.
std::string drawnText(std::string_view text, int n);

// The design-parameter block: each line is a label in an A field of its own width followed
// by a number field, of which a fixed count of characters is drawn.
struct DesignValues {
    double alpha = 0.0;
    double power = 0.0;
    double alternative = 0.0;  // the standardized alternative of line 3
    double rhoMax = 0.0;
    double stdDev = 0.0;
    double altMean = 0.0;
    double sampleSize = 0.0;  // m rounded up as the plot rounds it
    double looks = 0.0;
};

enum class ShownIn { AllDesigns, Normseq, OtherDesigns };

struct DesignLine {
    std::string_view label;
    int labelWidth;
    double DesignValues::*value;
    NumberField field;
    int drawn;
    WorldPoint at;
    ShownIn shownIn = ShownIn::AllDesigns;
};
std::string designLineText(const DesignLine& line, const DesignValues& values);

// Where the power and expected-size plots put their design block: lines 1 to 4 in the left
// column, lines 5 to 8 (normseq designs only) in the right, on four rows.
struct CurveBlockPlace {
    float left;
    float right;
    std::array<float, 4> rows;
};

// The design block the two curve plots share; the export's line 3 names the alternative
// delta where the window names delta_a.
constexpr std::array<DesignLine, 8> curveDesignLines(const CurveBlockPlace& p, bool exported) {
    using V = DesignValues;
    constexpr int kI = NumberField::kInteger;
    const DesignLine alternative = exported ? DesignLine{.label = "3. Alternative:   delta = ",
                                                         .labelWidth = 25,
                                                         .value = &V::alternative,
                                                         .field = {8, 3},
                                                         .drawn = 33,
                                                         .at = {p.left, p.rows[2]}}
                                            : DesignLine{.label = "3. Alternative:   delta_a = ",
                                                         .labelWidth = 27,
                                                         .value = &V::alternative,
                                                         .field = {8, 3},
                                                         .drawn = 35,
                                                         .at = {p.left, p.rows[2]}};
    const ShownIn n = ShownIn::Normseq;
    return {{
        {.label = "1. Sig-level:  alpha = ",
         .labelWidth = 23,
         .value = &V::alpha,
         .field = {5, 3},
         .drawn = 28,
         .at = {p.left, p.rows[0]}},
        {.label = "2. Power:  1-beta = ",
         .labelWidth = 20,
         .value = &V::power,
         .field = {5, 3},
         .drawn = 25,
         .at = {p.left, p.rows[1]}},
        alternative,
        {.label = "4. Discord prob: rho_max =",
         .labelWidth = 26,
         .value = &V::rhoMax,
         .field = {6, 4},
         .drawn = 33,
         .at = {p.left, p.rows[3]}},
        {.label = "5. Stand Dev:  SD = ",
         .labelWidth = 20,
         .value = &V::stdDev,
         .field = {8, 3},
         .drawn = 28,
         .at = {p.right, p.rows[0]},
         .shownIn = n},
        {.label = "6. Alternative:  mu_a = ",
         .labelWidth = 24,
         .value = &V::altMean,
         .field = {8, 3},
         .drawn = 32,
         .at = {p.right, p.rows[1]},
         .shownIn = n},
        {.label = "7. Sample Size:  m = ",
         .labelWidth = 21,
         .value = &V::sampleSize,
         .field = {5, kI},
         .drawn = 26,
         .at = {p.right, p.rows[2]},
         .shownIn = n},
        {.label = "8. Number of looks:  K = ",
         .labelWidth = 25,
         .value = &V::looks,
         .field = {5, kI},
         .drawn = 30,
         .at = {p.right, p.rows[3]},
         .shownIn = n},
    }};
}

// A fixed text at a fixed place.
struct Caption {
    WorldPoint at;
    std::string_view text;
};

// Draws one plot pass onto a canvas in the plot's world coordinates.
class PlotPainter {
  public:
    // The font is the window font record itself: the vertical caption turns it and sets it
    // back.
    PlotPainter(Canvas& canvas, const PlotScale& scale, FontDescription& font);

    // The start of every pass: the font, for an export the white area of the client
    // rectangle under an invisible pen, the advanced mode, the origin, the black pen and the
    // frame rectangle.
    void begin(const Rect& client, bool whiteBackground);

    void pen(const Pen& pen) { canvas_.selectPen(pen); }
    void moveTo(WorldPoint p);
    void lineTo(WorldPoint p);
    void line(WorldPoint from, WorldPoint to);
    // A path kept inside the plot's frame: it starts at a point, and each next point adds the
    // part of the segment to it that lies inside the frame.
    void pathStart(WorldPoint p);
    void pathTo(WorldPoint p);
    // A square of half device units either side of the point, outlined with the current pen
    // and filled white.
    void mark(WorldPoint at, int half);
    // Whether the point lies inside the plot's frame.
    bool inFrame(WorldPoint p) const;
    void text(WorldPoint at, std::string_view text);
    void texts(std::span<const Caption> captions);
    // Right-aligned texts, then the default alignment again.
    void rightAligned(std::span<const Caption> captions);
    // The text drawn upward: the font record's escapement and orientation are 900 for it and
    // 0 again after it.
    void verticalCaption(WorldPoint at, std::string_view text);
    void designBlock(std::span<const DesignLine> lines, const DesignValues& values, bool normseq);

    const PlotMapping& mapping() const { return mapping_; }

  private:
    Canvas& canvas_;
    PlotMapping mapping_;
    FontDescription& font_;
    WorldPoint pathEnd_;
    bool penAtPathEnd_ = false;  // the canvas's current position is pathEnd_
};

// The turned caption's escapement and orientation: text running upward.
inline constexpr int kUpward = 900;

}  // namespace qalix
