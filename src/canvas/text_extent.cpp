#include "canvas/text_extent.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <numeric>

#include "canvas/saturate.hpp"
#include "canvas/utf16.hpp"

namespace qalix {

namespace {

// Advance widths of Times New Roman (the start-up face; the standard Times faces share its
// metrics) for the characters 32 to 126, in thousandths of an em.
constexpr char16_t kFirstTabulated = 32;
constexpr std::array<int, 95> kTimesAdvances = {
    250, 333, 408, 500, 500, 833, 778, 180, 333, 333, 500, 564, 250, 333, 250, 278,  //  !"#..
    500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 278, 278, 564, 564, 564, 444,  // 0..?
    921, 722, 667, 667, 722, 611, 556, 722, 722, 333, 389, 722, 611, 889, 722, 722,  // @..O
    556, 722, 667, 556, 611, 722, 722, 944, 722, 722, 611, 333, 278, 333, 469, 500,  // P.._
    333, 444, 500, 444, 500, 444, 333, 500, 500, 278, 278, 500, 278, 778, 500, 500,  // `..o
    500, 500, 333, 389, 278, 500, 500, 722, 500, 500, 444, 480, 200, 480, 541};      // p..~
constexpr int kOtherAdvance = 500;  // characters outside the table
constexpr int kFixedPitchAdvance = 600;
constexpr double kThousandthsPerEm = 1000.0;

// The em of Times New Roman is about 0.9 of its cell (ascent plus descent is 1.107 em), and
// its average character about 0.4 em wide.
constexpr double kEmPerCellHeight = 0.9;
constexpr double kAverageAdvanceEm = 0.4;
constexpr double kDefaultCellHeight = 16.0;  // what a 96-dpi screen gives for height 0

constexpr std::uint8_t kPitchMask = 0x03;
constexpr std::uint8_t kFixedPitch = 0x01;

// Corners of turned text land a rounding error off whole pixels (cos 90° is not exactly 0);
// so near a whole number they are taken as it.
constexpr double kSnapTolerance = 1e-6;

constexpr double kTenthsPerDegree = 10.0;
constexpr double kDegreesPerHalfTurn = 180.0;

int advanceThousandths(const FontDescription& font, char16_t c) {
    if ((font.pitchAndFamily & kPitchMask) == kFixedPitch) return kFixedPitchAdvance;
    const std::size_t index = static_cast<std::size_t>(c) - kFirstTabulated;
    if (c >= kFirstTabulated && index < kTimesAdvances.size()) return kTimesAdvances[index];
    return kOtherAdvance;
}

// The em measured along the baseline: the font's own, or the one that gives its average
// character the width the font asks for.
double horizontalEm(const FontDescription& font) {
    if (font.width > 0) return font.width / kAverageAdvanceEm;
    return estimatedCellHeight(font) * kEmPerCellHeight;
}

}  // namespace

double estimatedCellHeight(const FontDescription& font) {
    if (font.height > 0) return font.height;
    if (font.height < 0) return -font.height / kEmPerCellHeight;
    return kDefaultCellHeight;
}

std::vector<int> estimatedAdvances(const FontDescription& font, std::u16string_view text) {
    const double em = horizontalEm(font);
    std::vector<int> advances;
    advances.reserve(text.size());
    double exact = 0.0;
    std::int64_t placed = 0;  // two ints apart: wider than an int (long is 32 bits on Windows)
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool secondOfPair = i > 0 && isLowSurrogate(text[i]) && isHighSurrogate(text[i - 1]);
        if (!secondOfPair) exact += advanceThousandths(font, text[i]) * em / kThousandthsPerEm;
        const std::int64_t next = saturatingRound(exact);
        advances.push_back(saturatingRound(static_cast<double>(next - placed)));
        placed = next;
    }
    return advances;
}

TextBox estimatedTextBox(const FontDescription& font, TextAlign align, int x, int y,
                         const std::vector<int>& advances) {
    const double length = std::accumulate(advances.begin(), advances.end(), 0.0);
    if (advances.empty() || length <= 0.0) return {};
    // Along the baseline and down the characters, turned counter-clockwise on the screen.
    const double angle =
        font.escapement / kTenthsPerDegree * std::numbers::pi / kDegreesPerHalfTurn;
    const double alongX = std::cos(angle), alongY = -std::sin(angle);
    const double downX = std::sin(angle), downY = std::cos(angle);
    const double start = align == TextAlign::RightTop ? -length : 0.0;
    const double height = estimatedCellHeight(font);
    double minX = x, maxX = x, minY = y, maxY = y;
    for (double a : {start, start + length}) {
        for (double d : {0.0, height}) {
            const double px = x + a * alongX + d * downX, py = y + a * alongY + d * downY;
            minX = std::min(minX, px), maxX = std::max(maxX, px);
            minY = std::min(minY, py), maxY = std::max(maxY, py);
        }
    }
    // The covered pixels: from the one holding the low edge to the one before the high edge.
    auto snap = [](double v) {
        const double whole = std::round(v);
        return std::abs(v - whole) < kSnapTolerance ? whole : v;
    };
    auto low = [&](double v) { return saturatingFloor(snap(v)); };
    auto high = [&](double v) { return saturatingRound(std::ceil(snap(v)) - 1.0); };
    return {false, {low(minX), low(minY), high(maxX), high(maxY)}};
}

}  // namespace qalix
