#include "graphics/power_plot.hpp"
#include "graphics/plot_page.hpp"

#include <array>
#include <cmath>
#include <vector>

#include "design/fields.hpp"
#include "design/sequential_design.hpp"
#include "design/trial_scale.hpp"
#include "graphics/difference_scale.hpp"
#include "graphics/plot_entries.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

constexpr CurveBlockPlace kBlockPlace{-3.5f, -1.3f, {-0.37f, -0.42f, -0.47f, -0.52f}};
constexpr auto kWindowLines = curveDesignLines(kBlockPlace, false);
constexpr auto kExportedLines = curveDesignLines(kBlockPlace, true);

constexpr Caption kDeltaRow{{-1.7f, -0.025f}, "Standardized Mean:   delta ="};
constexpr WorldPoint kMeanRowAt{-1.7f, -0.135f};
constexpr Caption kVerticalCaption{{-2.0f, 0.2f}, "Power: Probability to reject H_0"};
constexpr Caption kTitle{{0.9f, 1.35f}, "POWER FUNCTION"};
constexpr Caption kBlockTitle{{-3.5f, -0.28f}, "DESIGN PARAMETERS :"};

constexpr std::array<Caption, 14> kDeltaLabels = {{
    {{-1.5f, -0.025f}, "-1.5"},
    {{-1.0f, -0.025f}, "-1.0"},
    {{-0.5f, -0.025f}, "-0.5"},
    {{0.0f, -0.025f}, "0.0"},
    {{0.5f, -0.025f}, "0.5"},
    {{1.0f, -0.025f}, "1.0"},
    {{1.5f, -0.025f}, "1.5"},
    {{2.0f, -0.025f}, "2.0"},
    {{2.5f, -0.025f}, "2.5"},
    {{3.0f, -0.025f}, "3.0"},
    {{3.5f, -0.025f}, "3.5"},
    {{4.0f, -0.025f}, "4.0"},
    {{4.5f, -0.025f}, "4.5"},
    {{5.0f, -0.025f}, "5.0"},
}};
constexpr std::array<Caption, 10> kProbabilityLabels = {{
    {{-0.25f, 0.1f}, "0.1"},
    {{-0.25f, 0.2f}, "0.2"},
    {{-0.25f, 0.3f}, "0.3"},
    {{-0.25f, 0.4f}, "0.4"},
    {{-0.25f, 0.5f}, "0.5"},
    {{-0.25f, 0.6f}, "0.6"},
    {{-0.25f, 0.7f}, "0.7"},
    {{-0.25f, 0.8f}, "0.8"},
    {{-0.25f, 0.9f}, "0.9"},
    {{-0.25f, 1.0f}, "1.0"},
}};

constexpr float kLeft = -1.5f, kRight = 5.0f, kTop = 1.2f;
// Means of the data scale under every half of delta, and the ticks of both rows.
constexpr int kFirstMeanLabel = -3, kLastMeanLabel = 10;
constexpr int kFirstDeltaTick = -2, kLastDeltaTick = 10;
constexpr float kHalf = 0.5f;
constexpr float kMeanRow = -0.135f;
constexpr NumberField kMeanField{6, 4};
constexpr float kDeltaTickEnd = -0.02f;
constexpr float kMeanTickFrom = -0.2f, kMeanTickEnd = -0.18f;
// Ticks of the probability axis, twentieths, the even ones longer.
constexpr int kProbabilityTicks = 20;
constexpr float kProbabilityTickStep = 20.0f;
constexpr float kShortTick = -0.02f, kLongTick = -0.035f;
// The curve: 51 points from delta = -1.5 to 5.
constexpr int kCurveSteps = 50;
constexpr float kCurveSpan = 6.5f;
// Reference lines and their labels.
constexpr float kReferenceLow = -0.22f, kAlphaFrom = -1.0f;
constexpr float kLabelShift = 0.01f, kAlternativeLabelY = 0.06f;
constexpr float kAlphaLabelX = -1.45f, kPowerLabelX = 5.05f, kLabelRaise = 0.02f;
constexpr NumberField kAlternativeField{6, 3};
constexpr NumberField kProbabilityField{6, 4};

class PowerPass {
  public:
    PowerPass(PlotContext& program, Canvas& canvas, const PowerVariant& variant)
        : program_(program),
          r_(program.record),
          variant_(variant),
          painter_(canvas, kPowerScale, program.windowFont),
          normseq_(isNormseq(r_)),
          da_(static_cast<float>(standardizedAlternative(r_))),
          guide_(normseq_ ? static_cast<float>(deltaOfMu(r_, r_.altMean)) : da_) {}

    void run(float rhoMax) {
        painter_.begin(kPlotPage, variant_.whiteBackground);
        axes();
        captions();
        painter_.designBlock(variant_.designLines, designValues(rhoMax), normseq_);
        painter_.texts(kDeltaLabels);
        meanLabels();
        painter_.texts(kProbabilityLabels);
        ticks();
        if (!curve()) return;
        references();
    }

  private:
    void axes() {
        painter_.line({kLeft, 0.0f}, {kRight, 0.0f});
        painter_.line({0.0f, 0.0f}, {0.0f, kTop});
        painter_.line({kLeft, 1.0f}, {kRight, 1.0f});
    }

    void captions() {
        painter_.rightAligned(std::array{kDeltaRow, Caption{kMeanRowAt, meanRowText(r_)}});
        painter_.verticalCaption(kVerticalCaption.at, kVerticalCaption.text);
        painter_.text(kTitle.at, kTitle.text);
        painter_.text(variant_.meanCaptionAt, meanCaptionText(r_));
        painter_.text(kBlockTitle.at, kBlockTitle.text);
    }

    DesignValues designValues(float rhoMax) const {
        return {r_.alpha,
                r_.power,
                da_,
                static_cast<double>(rhoMax),
                r_.stdDev,
                r_.altMean,
                static_cast<double>(roundedSampleSize(r_, kRoundUp6)),
                static_cast<double>(r_.numLooks)};
    }

    // delta * sigma / sqrt(M): the trial's maximum size, as every scale of the design.
    void meanLabels() {
        if (!normseq_) return;
        for (int i = kFirstMeanLabel; i <= kLastMeanLabel; ++i) {
            const float x = kHalf * static_cast<float>(i);
            const double mu = muOfDelta(r_, x);
            painter_.text({x, kMeanRow}, drawnText(formatField(mu, kMeanField), kMeanField.width));
        }
    }

    void ticks() {
        for (int i = kFirstDeltaTick; i <= kLastDeltaTick; ++i) {
            const float x = kHalf * static_cast<float>(i);
            painter_.line({x, 0.0f}, {x, kDeltaTickEnd});
            if (normseq_) painter_.line({x, kMeanTickFrom}, {x, kMeanTickEnd});
        }
        for (int i = 1; i <= kProbabilityTicks; ++i) {
            const float y = static_cast<float>(i) / kProbabilityTickStep;
            painter_.line({0.0f, y}, {i % 2 == 0 ? kLongTick : kShortTick, y});
        }
    }

    bool curve() {
        const std::vector<double> table = powerFunction(program_);
        if (table.empty()) return false;
        painter_.pen(plotpen::kCurve);
        painter_.moveTo({kLeft, static_cast<float>(table[0])});
        for (int i = 0; i <= kCurveSteps; ++i) {
            const float x = static_cast<float>(i) * kCurveSpan / kCurveSteps + kLeft;
            painter_.lineTo({x, static_cast<float>(table[2 * static_cast<std::size_t>(i)])});
        }
        return true;
    }

    void references() {
        const auto power = static_cast<float>(r_.power);
        const float alpha = r_.alpha;
        painter_.pen(plotpen::kReference);
        painter_.line({guide_, kReferenceLow}, {guide_, 1.0f});
        painter_.line({0.0f, power}, {kRight, power});
        painter_.line({kAlphaFrom, alpha}, {0.0f, alpha});
        label({guide_ + kLabelShift, kAlternativeLabelY}, guide_, kAlternativeField);
        label({guide_ + kLabelShift, kReferenceLow}, r_.altMean, kProbabilityField);
        label({kAlphaLabelX, alpha + kLabelRaise}, alpha, kProbabilityField);
        label({kPowerLabelX, power + kLabelRaise}, power, kProbabilityField);
    }

    void label(WorldPoint at, double value, NumberField field) {
        painter_.text(at, drawnText(formatField(value, field), field.width));
    }

    PlotContext& program_;
    DesignRecord& r_;
    const PowerVariant& variant_;
    PlotPainter painter_;
    bool normseq_;
    float da_;  // delta_a = z_(1-alpha) + z_(power), of the design block
    // The design's alternative on this trial's M observations, where the curve shows the
    // design's actual power: on group sizes sqrt(M) mu_a / sigma, on information time delta_a.
    float guide_;
};

}  // namespace

const PowerVariant kWindowPower{kWindowLines, {0.9f, -0.32f}, false};
const PowerVariant kExportedPower{kExportedLines, {0.9f, -0.35f}, true};

void PlotPwrFunc(PlotContext& program, Canvas& canvas, const PowerVariant& variant, float rhoMax) {
    PowerPass(program, canvas, variant).run(rhoMax);
}

}  // namespace qalix
