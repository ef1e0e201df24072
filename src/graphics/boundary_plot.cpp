#include "graphics/boundary_plot.hpp"
#include "graphics/plot_page.hpp"

#include <array>
#include <cmath>
#include <string>

#include "design/allocation.hpp"
#include "design/fields.hpp"
#include "design/panel_ids.hpp"
#include "design/sequential_design.hpp"
#include "graphics/difference_scale.hpp"
#include "graphics/observed_path.hpp"
#include "graphics/plot_entries.hpp"
#include "numeric/normal.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

using V = DesignValues;
constexpr int kI = NumberField::kInteger;

constexpr std::array<DesignLine, 9> kWindowLines = {{
    {.label = "1. Sig-level:  alpha = ",
     .labelWidth = 23,
     .value = &V::alpha,
     .field = {6, 4},
     .drawn = 29,
     .at = {-0.75f, -0.6f}},
    {.label = "2. Power:  1-beta = ",
     .labelWidth = 20,
     .value = &V::power,
     .field = {6, 4},
     .drawn = 26,
     .at = {-0.75f, -0.8f}},
    {.label = "3. Alt. std mean:  delta_a = ",
     .labelWidth = 29,
     .value = &V::alternative,
     .field = {8, 3},
     .drawn = 37,
     .at = {-0.75f, -1.0f}},
    {.label = "4. Discord prob: rho_max = ",
     .labelWidth = 26,
     .value = &V::rhoMax,
     .field = {7, 4},
     .drawn = 33,
     .at = {-0.75f, -1.2f}},
    {.label = "5. Stand Dev:  SD = ",
     .labelWidth = 20,
     .value = &V::stdDev,
     .field = {8, 3},
     .drawn = 28,
     .at = {-0.75f, -1.5f},
     .shownIn = ShownIn::Normseq},
    {.label = "6. Alternative:  mu_a = ",
     .labelWidth = 24,
     .value = &V::altMean,
     .field = {8, 3},
     .drawn = 32,
     .at = {-0.75f, -1.7f},
     .shownIn = ShownIn::Normseq},
    {.label = "7. Sample Size:  m = ",
     .labelWidth = 21,
     .value = &V::sampleSize,
     .field = {5, kI},
     .drawn = 26,
     .at = {-0.75f, -1.9f},
     .shownIn = ShownIn::Normseq},
    {.label = "8. Number of looks:  K = ",
     .labelWidth = 25,
     .value = &V::looks,
     .field = {5, kI},
     .drawn = 30,
     .at = {-0.75f, -2.1f},
     .shownIn = ShownIn::Normseq},
    {.label = "5. Number of looks:  K = ",
     .labelWidth = 25,
     .value = &V::looks,
     .field = {5, kI},
     .drawn = 30,
     .at = {-0.8f, -1.5f},
     .shownIn = ShownIn::OtherDesigns},
}};

// The export's line 3 and 4 read differently, and other designs show no number of looks.
constexpr std::array<DesignLine, 8> kExportedLines = {{
    kWindowLines[0],
    kWindowLines[1],
    {.label = "3. Std alternative:   delta_a = ",
     .labelWidth = 31,
     .value = &V::alternative,
     .field = {8, 3},
     .drawn = 39,
     .at = {-0.75f, -1.0f}},
    {.label = "4. Discord prob: rho_max = ",
     .labelWidth = 27,
     .value = &V::rhoMax,
     .field = {6, 4},
     .drawn = 33,
     .at = {-0.75f, -1.2f}},
    kWindowLines[4],
    kWindowLines[5],
    kWindowLines[6],
    kWindowLines[7],
}};

// Texts beside the time axis, right-aligned at x = 0; the last only in the "normseq" design.
constexpr std::array<Caption, 4> kRowCaptions = {{
    {{0.0f, -2.1f}, "Information Times :"},
    {{0.0f, -2.6f}, "Significance if P-value < or = :"},
    {{0.0f, -2.8f}, "Futility if P-value > or = :"},
    {{0.0f, -2.3f}, "Cumulative Sample Sizes :"},
}};
constexpr std::size_t kRowCaptionsOfEveryDesign = 3;

constexpr std::array<Caption, 2> kCaptions = {{
    {{0.35f, 4.4f}, "QALIX DESIGN AND BOUNDARIES"},
    {{-0.75f, -0.3f}, "DESIGN PARAMETERS :"},
}};
constexpr Caption kVerticalCaption{{-0.29f, 0.0f}, "Test Statistic   S_t"};
// The title of the right-hand scale, beyond its labels; drawn with two groups only.
constexpr WorldPoint kRightCaptionAt{1.33f, 0.0f};

constexpr std::array<Caption, 12> kTickLabels = {{
    {{0.0f, -0.05f}, "0.0"},
    {{0.2f, -0.05f}, "0.2"},
    {{0.4f, -0.05f}, "0.4"},
    {{0.6f, -0.05f}, "0.6"},
    {{0.8f, -0.05f}, "0.8"},
    {{1.0f, -0.05f}, "1"},
    {{-0.03f, -1.0f}, "-1"},
    {{-0.025f, 0.0f}, "0"},
    {{-0.025f, 1.0f}, "1"},
    {{-0.025f, 2.0f}, "2"},
    {{-0.025f, 3.0f}, "3"},
    {{-0.025f, 4.0f}, "4"},
}};

constexpr float kTop = 4.0f, kBottom = -2.0f, kLeft = -0.2f, kRight = 1.2f;
// Ticks of the time axis (tenths) and the statistic axis (halves), their lengths.
constexpr int kTimeTicks = 9;
constexpr float kTimeTickStep = 10.0f;
constexpr float kTimeTickLength = -0.05f;
constexpr int kLowestHalf = -4, kHighestHalf = 8;
constexpr float kHalf = 0.5f;
constexpr float kStatisticTickEnd = -0.01f;
// The cumulative-sum scale on the right.
constexpr float kSumLabelX = 1.21f, kSumTickFrom = 1.205f;
constexpr NumberField kSumField{6, 1};
constexpr int kSumDrawn = 7;
// The rows under the looks.
constexpr float kTimeRow = -2.1f, kSizeRow = -2.3f, kSignificanceRow = -2.6f, kFutilityRow = -2.8f;
constexpr NumberField kTimeField{5, 3};
constexpr NumberField kSizeField{5, 0};
constexpr int kSizeDrawn = 4;  // without the point F5.0 writes
constexpr NumberField kPValueField{6, 4};
// The continuous boundaries: segments at hundredths of information time.
constexpr int kCurveSteps = 100;
constexpr float kCurveStep = 100.0f;
// The final critical value: a mark at t = 1 and its label, and on the sum scale.
constexpr float kFinalMarkTo = 1.015f, kFinalLabelX = 1.02f, kFinalLabelRaise = 0.13f;
constexpr float kSumMarkTo = 1.19f;
constexpr int kFreeDrawn = 8;

// Half-width of the continuation region, sqrt(2 a t (1 - t)), in single precision.
float halfWidth(float a, float t) {
    return std::sqrt(2.0f * a * t * (1.0f - t));
}

class BoundaryPass {
  public:
    BoundaryPass(PlotContext& program, Canvas& canvas, const BoundaryVariant& variant)
        : program_(program),
          r_(program.record),
          variant_(variant),
          painter_(canvas, kBoundaryScale, program.windowFont),
          normseq_(isNormseq(r_)) {}

    void run(float rhoMax) {
        painter_.begin(kPlotPage, variant_.whiteBackground);
        N_ = roundedSampleSize(r_, kRoundUp6);
        axes();
        captions();
        painter_.designBlock(variant_.designLines, designValues(rhoMax), normseq_);
        painter_.texts(kTickLabels);
        timeTicks();
        if (!statisticTicks() || !readBoundary() || !timesUsable() || !upperLooks()) return;
        lowerLooks();
        continuousBoundaries();
        finalCriticalValue();
        // Sample paths are sums of one sample's observations: no path of them fits two groups.
        const SamplePaths paths = twoGroups(r_) ? SamplePaths::None : variant_.paths(r_);
        drawSamplePaths(painter_, program_, paths, variant_.legend, N_);
        drawObservedPath(painter_, program_);
    }

  private:
    void axes() {
        painter_.line({kLeft, 0.0f}, {kRight, 0.0f});
        painter_.line({0.0f, kBottom}, {0.0f, kTop});
        painter_.line({1.0f, kBottom}, {1.0f, kTop});
    }

    void captions() {
        const std::size_t rows = normseq_ ? kRowCaptions.size() : kRowCaptionsOfEveryDesign;
        painter_.rightAligned(std::span(kRowCaptions).first(rows));
        painter_.verticalCaption(kVerticalCaption.at, kVerticalCaption.text);
        painter_.texts(kCaptions);
    }

    DesignValues designValues(float rhoMax) {
        const double alternative = standardizedAlternative(r_);
        if (variant_.storesAlternative) r_.altDelta = alternative;
        return {r_.alpha,
                r_.power,
                alternative,
                static_cast<double>(rhoMax),
                r_.stdDev,
                r_.altMean,
                static_cast<double>(roundedSampleSize(r_, variant_.sizeRounding)),
                static_cast<double>(r_.numLooks)};
    }

    void timeTicks() {
        for (int i = 1; i <= kTimeTicks; ++i) {
            const float t = static_cast<float>(i) / kTimeTickStep;
            painter_.line({t, 0.0f}, {t, kTimeTickLength});
        }
    }

    // Ticks of the statistic, and in the "normseq" design the scale of the observations on the
    // right at every whole S: their cumulative sum, or with two groups N_k x D.
    bool statisticTicks() {
        for (int i = kLowestHalf; i <= kHighestHalf; ++i) {
            const float y = kHalf * static_cast<float>(i);
            painter_.line({0.0f, y}, {kStatisticTickEnd, y});
            if (!normseq_ || i % 2 != 0 || !hasLooks(r_)) continue;
            if (!readLastCumulativeSize(program_, lastSize_) ||
                !readField(program_, program_.panel(), panel::kSdCombo, r_.stdDev))
                return false;
            const double sum = observedScaleOfBrownian(r_, y, lastSize_);
            painter_.text({kSumLabelX, y}, drawnText(formatField(sum, kSumField), kSumDrawn));
            painter_.line({kSumTickFrom, y}, {kRight, y});
        }
        if (normseq_ && hasLooks(r_) && twoGroups(r_))
            painter_.verticalCaption(kRightCaptionAt, kTotalTimesDifferenceTitle);
        return true;
    }

    bool readBoundary() {
        if (!readField(program_, program_.panel(), panel::kAlphaCombo, r_.alpha)) return false;
        z_ = refreshZAlpha(program_);
        double a = 0.0;
        if (!readCoefficient(program_, a)) return false;
        a_ = static_cast<float>(a);
        // The half-widths sqrt(2 a t (1 - t)) are formed in single precision: a typed a for
        // which 2a overflows it would give NaN at the last look.
        if (!std::isfinite(2.0f * a_)) {
            program_.error(coefficientOutOfRange(a));
            return false;
        }
        return true;
    }

    // The looks as "Update Changes" kept them, which checks no times: drawn only when they
    // increase to 1, as the coefficient search needs them too.
    bool timesUsable() {
        return looks() == 0 || timesInRange(program_, r_.infoTime.data(), looks());
    }

    float upper(float t) const { return z_ * t + halfWidth(a_, t); }
    float lower(float t) const { return z_ * t - halfWidth(a_, t); }
    float lookTime(int k) const { return static_cast<float>(r_.infoTime[slot(k)]); }
    static std::size_t slot(int k) { return static_cast<std::size_t>(k - 1); }

    void pValue(float t, float s, float row) {
        const double p = 1.0 - HNM(s / std::sqrt(t));
        painter_.text({t, row}, drawnText(formatField(p, kPValueField), kPValueField.width));
    }

    bool upperLooks() {
        painter_.pen(plotpen::kCurve);
        painter_.moveTo({0.0f, 0.0f});
        for (int k = 1; k <= looks(); ++k) {
            const float t = lookTime(k);
            const float u = upper(t);
            painter_.line({t, u}, {t, kTop});
            painter_.text({t, kTimeRow}, drawnText(formatField(t, kTimeField), kTimeField.width));
            pValue(t, u, kSignificanceRow);
            if (!normseq_) continue;
            if (!readLastCumulativeSize(program_, lastSize_)) return false;
            const float size = static_cast<float>(lastSize_) * t;
            painter_.text({t, kSizeRow}, drawnText(formatField(size, kSizeField), kSizeDrawn));
        }
        return true;
    }

    void lowerLooks() {
        painter_.pen(plotpen::kLower);
        painter_.moveTo({0.0f, 0.0f});
        for (int k = 1; k <= looks(); ++k) {
            const float t = lookTime(k);
            lastLower_ = lower(t);
            painter_.line({t, lastLower_}, {t, kBottom});
            pValue(t, lastLower_, kFutilityRow);
        }
    }

    void boundaryCurve(bool upperSide) {
        painter_.moveTo({0.0f, 0.0f});
        for (int i = 1; i <= kCurveSteps; ++i) {
            const float t = static_cast<float>(i) / kCurveStep;
            painter_.lineTo({t, upperSide ? upper(t) : lower(t)});
        }
    }

    void continuousBoundaries() {
        painter_.pen(plotpen::kContinuous);
        boundaryCurve(true);
        boundaryCurve(false);
    }

    // The lower boundary at the last look, where both boundaries meet the critical value.
    void finalCriticalValue() {
        if (looks() < 1) return;
        const float l = lastLower_;
        painter_.pen(plotpen::kFinal);
        painter_.line({1.0f, l}, {kFinalMarkTo, l});
        painter_.text({kFinalLabelX, l + kFinalLabelRaise},
                      drawnText(formatField(l, kPValueField), kPValueField.width));
        if (!normseq_) return;
        painter_.line({kRight, l}, {kSumMarkTo, l});
        const double sum = observedScaleOfBrownian(r_, l, lastSize_);
        // A free-format write starts with a blank; a sum that overflowed fills the label with
        // asterisks, as the fixed fields do.
        const std::string value = std::isinf(sum) ? std::string(kFreeDrawn, '*') : formatFree(sum);
        const std::string text = drawnText(" " + value, kFreeDrawn);
        painter_.rightAligned(std::array{Caption{{kSumMarkTo, l}, text}});
    }

    int looks() const { return hasLooks(r_) ? r_.numLooks : 0; }

    PlotContext& program_;
    DesignRecord& r_;
    const BoundaryVariant& variant_;
    PlotPainter painter_;
    bool normseq_;
    int N_ = 0;
    int lastSize_ = 0;  // N_K as read last
    float z_ = 0.0f;
    float a_ = 0.0f;
    float lastLower_ = 0.0f;
};

}  // namespace

const BoundaryVariant kWindowBoundary{kWindowLines, kRoundUp5,   true,
                                      false,        windowPaths, PathLegend::ByDesign};
const BoundaryVariant kExportedBoundary{kExportedLines, kRoundUp6,     false,
                                        true,           exportedPaths, PathLegend::MeanAndDelta};

void PlotBound(PlotContext& program, Canvas& canvas, const BoundaryVariant& variant, float rhoMax) {
    BoundaryPass(program, canvas, variant).run(rhoMax);
}

}  // namespace qalix
