#include "graphics/expected_size_plot.hpp"
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

constexpr CurveBlockPlace kBlockPlace{-18.8f, -8.0f, {-0.45f, -0.5f, -0.55f, -0.6f}};
constexpr auto kWindowLines = curveDesignLines(kBlockPlace, false);
constexpr auto kExportedLines = curveDesignLines(kBlockPlace, true);

constexpr Caption kDeltaRow{{-11.0f, -0.025f}, "Standardized Mean:   delta ="};
constexpr WorldPoint kMeanRowAt{-11.0f, -0.135f};
constexpr Caption kVerticalCaption{{-12.5f, 0.2f}, "Information Time  or  Sample Size"};
constexpr std::array<Caption, 2> kCaptions = {{
    {{-5.0f, 1.35f}, "EXPECTED INFORMATION TIME OR SAMPLE SIZE"},
    {{-18.8f, -0.38f}, "DESIGN PARAMETERS :"},
}};
constexpr WorldPoint kMeanCaptionAt{-2.0f, -0.32f};

constexpr std::array<Caption, 13> kDeltaLabels = {{
    {{-10.0f, -0.025f}, "-10.0"},
    {{-8.0f, -0.025f}, "-8.0"},
    {{-6.0f, -0.025f}, "-6.0"},
    {{-4.0f, -0.025f}, "-4.0"},
    {{-2.0f, -0.025f}, "-2.0"},
    {{0.0f, -0.025f}, "0.0"},
    {{2.0f, -0.025f}, "2.0"},
    {{4.0f, -0.025f}, "4.0"},
    {{6.0f, -0.025f}, "6.0"},
    {{8.0f, -0.025f}, "8.0"},
    {{10.0f, -0.025f}, "10.0"},
    {{12.0f, -0.025f}, "12.0"},
    {{14.0f, -0.025f}, "14.0"},
}};
constexpr std::array<Caption, 10> kTimeLabels = {{
    {{-1.25f, 0.1f}, "0.1"},
    {{-1.25f, 0.2f}, "0.2"},
    {{-1.25f, 0.3f}, "0.3"},
    {{-1.25f, 0.4f}, "0.4"},
    {{-1.25f, 0.5f}, "0.5"},
    {{-1.25f, 0.6f}, "0.6"},
    {{-1.25f, 0.7f}, "0.7"},
    {{-1.25f, 0.8f}, "0.8"},
    {{-1.25f, 0.9f}, "0.9"},
    {{-1.25f, 1.0f}, "1.0"},
}};

constexpr float kLeft = -10.0f, kRight = 15.0f, kTop = 1.2f;
// Means of the data scale under every second delta.
constexpr int kFirstMeanLabel = -5, kLastMeanLabel = 7;
constexpr float kMeanLabelStep = 2.0f;
constexpr float kMeanRow = -0.135f;
constexpr NumberField kMeanField{5, 2};
constexpr int kMeanDrawn = 6;
// The sample-size scale near the left edge: M * t at every tenth of information time.
constexpr int kSizeLabels = 10;
constexpr float kSizeLabelStep = 0.1f;
constexpr float kSizeLabelX = -9.65f;
constexpr NumberField kSizeField{5, 1};
constexpr int kSizeDrawn = 6;
// Ticks at every whole delta, the even ones longer, on both rows.
constexpr int kFirstDeltaTick = -10, kLastDeltaTick = 15;
constexpr float kShortDeltaTick = -0.02f, kLongDeltaTick = -0.03f;
constexpr float kMeanTickFrom = -0.2f, kShortMeanTick = -0.18f, kLongMeanTick = -0.17f;
// Ticks of the time axis and of the left edge at every twentieth.
constexpr int kTimeTicks = 20;
constexpr float kTimeTickStep = 20.0f;
constexpr float kShortTimeTick = -0.2f, kLongTimeTick = -0.35f;
constexpr float kShortEdgeTick = -9.8f, kLongEdgeTick = -9.65f;
// The curve: 81 points from delta = -10 to 15.
constexpr int kCurveSteps = 80;
constexpr float kCurveSpan = 25.0f;
// The reference line and its labels.
constexpr float kReferenceLow = -0.22f;
constexpr float kLabelShift = 0.1f, kAlternativeLabelY = 0.06f;
constexpr NumberField kAlternativeField{6, 3};
constexpr NumberField kAltMeanField{5, 2};
constexpr int kReferenceDrawn = 6;

bool even(int i) {
    return i % 2 == 0;
}

class ExpectedSizePass {
  public:
    ExpectedSizePass(PlotContext& program, Canvas& canvas, const ExpectedSizeVariant& variant)
        : program_(program),
          r_(program.record),
          variant_(variant),
          painter_(canvas, kExpectedSizeScale, program.windowFont),
          normseq_(isNormseq(r_)),
          da_(static_cast<float>(standardizedAlternative(r_))),
          guide_(normseq_ ? static_cast<float>(deltaOfMu(r_, r_.altMean)) : da_) {}

    void run(float rhoMax) {
        painter_.begin(kPlotPage, variant_.whiteBackground);
        axes();
        painter_.rightAligned(std::array{kDeltaRow, Caption{kMeanRowAt, meanRowText(r_)}});
        painter_.verticalCaption(kVerticalCaption.at, kVerticalCaption.text);
        painter_.text(kCaptions[0].at, kCaptions[0].text);
        painter_.text(kMeanCaptionAt, meanCaptionText(r_));
        painter_.text(kCaptions[1].at, kCaptions[1].text);
        painter_.designBlock(variant_.designLines, designValues(rhoMax), normseq_);
        painter_.texts(kDeltaLabels);
        meanLabels();
        painter_.texts(kTimeLabels);
        sizeLabels();
        deltaTicks();
        timeTicks();
        if (!curve()) return;
        reference();
    }

  private:
    void axes() {
        painter_.line({kLeft, 0.0f}, {kRight, 0.0f});
        painter_.line({0.0f, 0.0f}, {0.0f, kTop});
        painter_.line({kLeft, 1.0f}, {kRight, 1.0f});
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
            const float x = kMeanLabelStep * static_cast<float>(i);
            const double mu = muOfDelta(r_, x);
            painter_.text({x, kMeanRow}, drawnText(formatField(mu, kMeanField), kMeanDrawn));
        }
    }

    void sizeLabels() {
        if (!normseq_) return;
        const int M = roundedSampleSize(r_, variant_.sizeScaleRounding);
        for (int i = 1; i <= kSizeLabels; ++i) {
            const float y = kSizeLabelStep * static_cast<float>(i);
            const float size = static_cast<float>(M) * y;
            painter_.text({kSizeLabelX, y}, drawnText(formatField(size, kSizeField), kSizeDrawn));
        }
    }

    void deltaTicks() {
        for (int i = kFirstDeltaTick; i <= kLastDeltaTick; ++i) {
            const auto x = static_cast<float>(i);
            painter_.line({x, 0.0f}, {x, even(i) ? kLongDeltaTick : kShortDeltaTick});
            if (normseq_)
                painter_.line({x, kMeanTickFrom}, {x, even(i) ? kLongMeanTick : kShortMeanTick});
        }
    }

    void timeTicks() {
        for (int i = 1; i <= kTimeTicks; ++i) {
            const float y = static_cast<float>(i) / kTimeTickStep;
            painter_.line({0.0f, y}, {even(i) ? kLongTimeTick : kShortTimeTick, y});
            painter_.line({kLeft, y}, {even(i) ? kLongEdgeTick : kShortEdgeTick, y});
        }
    }

    bool curve() {
        const std::vector<double> table = expectedInformation(program_);
        if (table.empty()) return false;
        painter_.pen(plotpen::kCurve);
        painter_.moveTo({kLeft, static_cast<float>(table[0])});
        for (int i = 0; i <= kCurveSteps; ++i) {
            const float x = static_cast<float>(i) * kCurveSpan / kCurveSteps + kLeft;
            painter_.lineTo({x, static_cast<float>(table[static_cast<std::size_t>(i)])});
        }
        return true;
    }

    void reference() {
        painter_.pen(plotpen::kReference);
        painter_.line({guide_, kReferenceLow}, {guide_, 1.0f});
        painter_.text({guide_ + kLabelShift, kAlternativeLabelY},
                      drawnText(formatField(guide_, kAlternativeField), kReferenceDrawn));
        painter_.text({guide_ + kLabelShift, kReferenceLow},
                      drawnText(formatField(r_.altMean, kAltMeanField), kReferenceDrawn));
    }

    PlotContext& program_;
    DesignRecord& r_;
    const ExpectedSizeVariant& variant_;
    PlotPainter painter_;
    bool normseq_;
    float da_;  // delta_a = z_(1-alpha) + z_(power), of the design block
    // The design's alternative on this trial's M observations, where the curve shows the
    // design's actual power: on group sizes sqrt(M) mu_a / sigma, on information time delta_a.
    float guide_;
};

}  // namespace

const ExpectedSizeVariant kWindowExpectedSize{kWindowLines, kRoundUp5, false};
const ExpectedSizeVariant kExportedExpectedSize{kExportedLines, kRoundUp6, true};

void PlotExpecSize(PlotContext& program, Canvas& canvas, const ExpectedSizeVariant& variant,
                   float rhoMax) {
    ExpectedSizePass(program, canvas, variant).run(rhoMax);
}

}  // namespace qalix
