// "Critical Boundary Values" (dialog 111): the futility and significance boundaries of a look
// on the sum scale, the Brownian scale and as critical P-values.
#include <array>
#include <cmath>
#include <map>
#include <ostream>
#include <string>

#include "characteristics/designed_program.hpp"

namespace qalix::testing {
namespace {

using namespace boundaries;

// The boundaries are held in single precision: 1e-6 covers their rounding at these sizes.
constexpr double kFloatTolerance = 1e-6;
// The P-values rest on the program's distribution function (Simpson on 200 intervals) and
// single precision; the C library's erfc is the reference.
constexpr double kPValueTolerance = 1e-6;
// A value shown in Fw.d is within half a unit of its last decimal.
constexpr double kF83 = 5e-4 + 1e-6;
constexpr double kF84 = 5e-5 + 1e-6;

struct Expected {
    double upper;
    double lower;
};

Expected brownianBoundaries(double a, double t) {
    const double z = criticalValue();
    return {z * t + boundaryHalfWidth(a, t), z * t - boundaryHalfWidth(a, t)};
}

class BoundaryValues : public DesignedProgram {
  protected:
    std::string shownText(int control) { return ui.text(kBoundaryDialog, control); }
    double value(int control) { return shown(kBoundaryDialog, control); }
    const qalix::BoundaryValues& full() { return program.characteristics().boundary; }
    float time() { return program.characteristics().time; }

    // Every number of the dialog against the boundaries worked out for a and the time shown,
    // with sum scale factor sigma * sqrt(m).
    void expectBoundariesAt(double a, double t, double sumScale) {
        const Expected b = brownianBoundaries(a, t);
        EXPECT_NEAR(full().upperStd, b.upper, kFloatTolerance);
        EXPECT_NEAR(full().lowerStd, b.lower, kFloatTolerance);
        const double pUpper = 1.0 - Phi(b.upper / std::sqrt(t));
        const double pLower = 1.0 - Phi(b.lower / std::sqrt(t));
        EXPECT_NEAR(full().upperP, pUpper, kPValueTolerance);
        EXPECT_NEAR(full().lowerP, pLower, kPValueTolerance);
        EXPECT_NEAR(value(kUpperStd), b.upper, kF84);
        EXPECT_NEAR(value(kLowerStd), b.lower, kF84);
        EXPECT_NEAR(value(kUpperP), pUpper, kF84);
        EXPECT_NEAR(value(kLowerP), pLower, kF84);
        EXPECT_NEAR(value(kUpperSum), b.upper * sumScale, kF83);
        EXPECT_NEAR(value(kLowerSum), b.lower * sumScale, kF83);
    }
};

// The start-up design: m = 25, sigma = 1, K = 4 with group sizes 6, 6, 6, 7.
struct LookCase {
    int look;
    int cumulative;
    const char* timeText;
};

void PrintTo(const LookCase& c, std::ostream* os) {
    *os << "look " << c.look;
}

class EachLook : public BoundaryValues, public ::testing::WithParamInterface<LookCase> {};

TEST_P(EachLook, ShowsTheBoundariesAtItsCumulativeSize) {
    const LookCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kBoundaryDialog, [&] {
        ui.spin(kBoundaryDialog, kLookSpin, c.look);
        EXPECT_EQ(shownText(kLookEdit), std::to_string(c.look));
        EXPECT_EQ(shownText(kPartialSizeEdit), std::to_string(c.cumulative));
        EXPECT_EQ(shownText(kTimeCombo), c.timeText);
        // t = n / M in single precision.
        EXPECT_FLOAT_EQ(time(), static_cast<float>(c.cumulative) / 25.0f);
        expectBoundariesAt(coefficient(), c.cumulative / 25.0, 1.0 * std::sqrt(25.0));
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kBoundaryButton);
}

INSTANTIATE_TEST_SUITE_P(StartupDesign, EachLook,
                         ::testing::Values(LookCase{1, 6, "0.2400"}, LookCase{2, 12, "0.4800"},
                                           LookCase{3, 18, "0.7200"}, LookCase{4, 25, "1.0000"}));

TEST_F(BoundaryValues, OpensAtTheFirstLookWithSampleSizeLabels) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kBoundaryDialog, [&] {
        EXPECT_TRUE(program.dialog(kBoundaryDialog).isOpen());
        ui.spin(kBoundaryDialog, kLookSpin, 3);
        ui.spin(kBoundaryDialog, kPartialSizeSpin, 20);
    });
    ui.click(panel::kBoundaryButton);
    EXPECT_FALSE(program.dialog(kBoundaryDialog).isOpen());
    // A new opening starts again at look 1, wherever the last one was left.
    whenShown(kBoundaryDialog, [&] {
        EXPECT_EQ(shownText(kLookEdit), "1");
        EXPECT_EQ(shownText(kPartialSizeEdit), "6");
        EXPECT_EQ(shownText(kTimeCombo), "0.2400");
        EXPECT_EQ(shownText(kPartialSizeLabel), "Partial Sample Size");
        EXPECT_EQ(shownText(kPartialSizeGroup),
                  "Partial Sample Size and Information Time (Fraction)");
        EXPECT_TRUE(ui.enabled(kBoundaryDialog, kUpperSum));
        EXPECT_TRUE(ui.enabled(kBoundaryDialog, kLowerSum));
        expectBoundariesAt(coefficient(), 0.24, 5.0);
        // The look spin stops at K.
        ui.spin(kBoundaryDialog, kLookSpin, 9);
        EXPECT_EQ(shownText(kLookEdit), "4");
    });
    ui.click(panel::kBoundaryButton);
}

// At t = 1 the half-width vanishes: both boundaries are z and both P-values are alpha.
TEST_F(BoundaryValues, BoundariesMeetAtTheCriticalValueAtTimeOne) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kBoundaryDialog, [&] {
        const auto expectMeeting = [&](const char* how) {
            SCOPED_TRACE(how);
            EXPECT_FLOAT_EQ(time(), 1.0f);
            EXPECT_FLOAT_EQ(full().upperStd, criticalValue());
            EXPECT_FLOAT_EQ(full().lowerStd, criticalValue());
            // 1 - Phi(z_alpha) = alpha, up to the accuracy of the program's Phi.
            EXPECT_NEAR(full().upperP, 0.05, kPValueTolerance);
            EXPECT_NEAR(full().lowerP, 0.05, kPValueTolerance);
            EXPECT_EQ(shownText(kUpperStd), "1.6449");
            EXPECT_EQ(shownText(kLowerStd), "1.6449");
            EXPECT_EQ(shownText(kUpperP), "0.0500");
            EXPECT_EQ(shownText(kLowerP), "0.0500");
            EXPECT_EQ(shownText(kUpperSum), shownText(kLowerSum));
            EXPECT_EQ(shownText(kTimeCombo), "1.0000");
            EXPECT_EQ(shownText(kPartialSizeEdit), "25");
        };
        ui.spin(kBoundaryDialog, kLookSpin, 4);
        expectMeeting("last look");
        ui.spin(kBoundaryDialog, kLookSpin, 1);
        ui.type(kBoundaryDialog, kTimeCombo, "1.0");
        ui.click(kBoundaryDialog, kTimeButton);
        expectMeeting("information time 1.0");
        ui.spin(kBoundaryDialog, kLookSpin, 1);
        ui.spin(kBoundaryDialog, kPartialSizeSpin, 25);
        expectMeeting("partial size M");
    });
    ui.click(panel::kBoundaryButton);
}

// A typed time snaps to the grid of 1/M: n = nint(t * M), halves away from zero.
struct TypedTime {
    const char* text;
    int n;
    const char* shownTime;
};

void PrintTo(const TypedTime& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class TypedInformationTime : public BoundaryValues,
                             public ::testing::WithParamInterface<TypedTime> {};

TEST_P(TypedInformationTime, SnapsToAPartialSize) {
    const TypedTime& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kBoundaryDialog, [&] {
        ui.type(kBoundaryDialog, kTimeCombo, c.text);
        ui.click(kBoundaryDialog, kTimeButton);
        EXPECT_EQ(shownText(kPartialSizeEdit), std::to_string(c.n));
        EXPECT_EQ(shownText(kTimeCombo), c.shownTime);
        expectBoundariesAt(coefficient(), c.n / 25.0, 5.0);
        EXPECT_TRUE(takeMessages().empty());
    });
    ui.click(panel::kBoundaryButton);
}

INSTANTIATE_TEST_SUITE_P(
    StartupDesign, TypedInformationTime,
    ::testing::Values(TypedTime{"0.5", 13, "0.5200"},  // 12.5 rounds away from zero
                      TypedTime{"1", 25, "1.0000"},    // no point: the whole number it says
                      TypedTime{"0.25", 6, "0.2400"},  // 6.25
                      TypedTime{"0.1", 3, "0.1200"},   // 2.5
                      TypedTime{"0.04", 1, "0.0400"}, TypedTime{"0.52", 13, "0.5200"},
                      // 0.58 * 25 is 14.499999999999998 in double precision but 14.5 in
                      // single, where the time is kept: 15, not 14.
                      TypedTime{"0.58", 15, "0.6000"}, TypedTime{"0.02", 1, "0.0400"}));

// A time that does not snap to a partial size 1..M is refused, and the dialog keeps what it
// showed: "5000" would have been 0.5 in implied decimals, "0.01" rounds to no observation.
TEST_F(BoundaryValues, TypedTimeOutsideTheLooksIsRefused) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kBoundaryDialog, [&] {
        ui.spin(kBoundaryDialog, kLookSpin, 2);
        const std::string upper = shownText(kUpperStd);
        for (const char* text : {"5000", "2", "1.01", "0", "-0.5", "0.01", "1e-3"}) {
            ui.type(kBoundaryDialog, kTimeCombo, text);
            ui.click(kBoundaryDialog, kTimeButton);
            EXPECT_EQ(takeMessages(),
                      std::vector<std::string>{
                          "Error: The information time must lie between 0 and 1, and its "
                          "product with M = 25 must round to at least 1."})
                << text;
            EXPECT_EQ(shownText(kPartialSizeEdit), "12") << text;
            EXPECT_EQ(shownText(kUpperStd), upper) << text;
            EXPECT_FLOAT_EQ(time(), 12.0f / 25.0f) << text;
        }
    });
    ui.click(panel::kBoundaryButton);
}

// m typed smaller after the group sizes were entered: look 3 (N_3 = 18 of M = 12) would lie
// at t = 1.5, beyond the end of the trial.
TEST_F(BoundaryValues, ALookBeyondTheMaximumSizeIsRefused) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    ui.type(panel::kSizeCombo, "12");
    whenShown(kBoundaryDialog, [&] {
        EXPECT_EQ(shownText(kTimeCombo), "0.5000");
        ui.spin(kBoundaryDialog, kLookSpin, 3);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{
                                      "Error: The information time must lie between 0 and 1, "
                                      "and its product with M = 12 must round to at least 1."});
        EXPECT_EQ(shownText(kTimeCombo), "0.5000");
        EXPECT_FLOAT_EQ(time(), 0.5f);
    });
    ui.click(panel::kBoundaryButton);
}

TEST_F(BoundaryValues, PartialSizeSpinStepsTheTimeByOneOverM) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kBoundaryDialog, [&] {
        ui.spin(kBoundaryDialog, kPartialSizeSpin, 13);
        EXPECT_EQ(shownText(kTimeCombo), "0.5200");
        expectBoundariesAt(coefficient(), 13.0 / 25.0, 5.0);
        ui.spin(kBoundaryDialog, kPartialSizeSpin, 7);
        EXPECT_EQ(shownText(kTimeCombo), "0.2800");
        expectBoundariesAt(coefficient(), 7.0 / 25.0, 5.0);
        // The range is 1..M.
        ui.spin(kBoundaryDialog, kPartialSizeSpin, 40);
        EXPECT_EQ(shownText(kPartialSizeEdit), "25");
        EXPECT_EQ(shownText(kTimeCombo), "1.0000");
    });
    ui.click(panel::kBoundaryButton);
}

// With m = 24.73 the trial takes M = 25 observations, and the sum scale is on M too: on
// sqrt(m) the final sum was 8.180, whose Z over 25 observations is 1.636, not 1.6449.
TEST_F(BoundaryValues, SumScaleIsOnTheMaximumSize) {
    ui.click(panel::kSizeButton);
    ASSERT_EQ(ui.text(panel::kSizeCombo), "24.73");
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kBoundaryDialog, [&] {
        for (int k = 1; k <= 4; ++k) {
            SCOPED_TRACE(k);
            ui.spin(kBoundaryDialog, kLookSpin, k);
            const int n = k < 4 ? 6 * k : 25;
            expectBoundariesAt(coefficient(), n / 25.0, std::sqrt(25.0));
        }
        EXPECT_EQ(ui.text(kBoundaryDialog, boundaries::kUpperSum), "8.224");  // 1.6449 * sqrt(25)
    });
    ui.click(panel::kBoundaryButton);
}

TEST_F(BoundaryValues, BrownianDesignShowsGridsAndNoSumScale) {
    ASSERT_NO_FATAL_FAILURE(completeDesign(brownianDesign()));
    whenShown(kBoundaryDialog, [&] {
        // 300 grid steps; the looks at 0.25, 0.5, 0.75, 1 are int(300 * t_k) steps.
        const std::map<int, std::pair<const char*, const char*>> looks = {{1, {"75", "0.2500"}},
                                                                          {2, {"150", "0.5000"}},
                                                                          {3, {"225", "0.7500"}},
                                                                          {4, {"300", "1.0000"}}};
        for (const auto& [k, shownLook] : looks) {
            SCOPED_TRACE(k);
            ui.spin(kBoundaryDialog, kLookSpin, k);
            EXPECT_EQ(shownText(kPartialSizeEdit), shownLook.first);
            EXPECT_EQ(shownText(kTimeCombo), shownLook.second);
            EXPECT_TRUE(isBlank(shownText(kUpperSum)));
            EXPECT_TRUE(isBlank(shownText(kLowerSum)));
            EXPECT_FALSE(ui.enabled(kBoundaryDialog, kUpperSum));
            EXPECT_FALSE(ui.enabled(kBoundaryDialog, kLowerSum));
            const Expected b = brownianBoundaries(coefficient(), 0.25 * k);
            EXPECT_NEAR(full().upperStd, b.upper, kFloatTolerance);
            EXPECT_NEAR(full().lowerStd, b.lower, kFloatTolerance);
            EXPECT_NEAR(value(kUpperP), 1.0 - Phi(b.upper / std::sqrt(0.25 * k)), kF84);
        }
        EXPECT_EQ(shownText(kPartialSizeLabel), "Number of Grids");
        EXPECT_EQ(shownText(kPartialSizeGroup), "Number of Grids and Information Time (Fraction)");
    });
    ui.click(panel::kBoundaryButton);

    // Back on normal outcomes the sum scale returns with its labels.
    ui.click(panel::kNormseqDesign);
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kBoundaryDialog, [&] {
        EXPECT_TRUE(ui.enabled(kBoundaryDialog, kUpperSum));
        EXPECT_TRUE(ui.enabled(kBoundaryDialog, kLowerSum));
        EXPECT_EQ(shownText(kPartialSizeLabel), "Partial Sample Size");
        EXPECT_EQ(shownText(kPartialSizeGroup),
                  "Partial Sample Size and Information Time (Fraction)");
        EXPECT_EQ(shownText(kPartialSizeEdit), "6");
        expectBoundariesAt(coefficient(), 0.24, 5.0);
    });
    ui.click(panel::kBoundaryButton);
}

class BoundaryUnreadableEntry : public BoundaryValues {
  protected:
    std::map<int, std::string> results() {
        std::map<int, std::string> texts;
        for (int c : {kPartialSizeEdit, kTimeCombo, kUpperSum, kLowerSum, kUpperStd, kLowerStd,
                      kUpperP, kLowerP})
            texts[c] = shownText(c);
        return texts;
    }
};

TEST_F(BoundaryUnreadableEntry, InformationTimeShowsTheErrorAndKeepsTheBoundaries) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    whenShown(kBoundaryDialog, [&] {
        ui.spin(kBoundaryDialog, kLookSpin, 2);
        auto before = results();
        ui.type(kBoundaryDialog, kTimeCombo, "abc");
        before[kTimeCombo] = "abc";  // what the user typed stays in the field
        ui.click(kBoundaryDialog, kTimeButton);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
        EXPECT_EQ(results(), before);
        EXPECT_FLOAT_EQ(time(), 12.0f / 25.0f);
    });
    ui.click(panel::kBoundaryButton);
}

}  // namespace
}  // namespace qalix::testing
