#include "analysis/trial_analysis.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/reference_table.hpp"

namespace qalix {
namespace {

using qalix::testing::ReferenceRow;

// Against mvtnorm and uniroot (scripts/reference/trial_analysis.R): probabilities, the p-value
// among them, within 1e-6 plus the integration error written beside them; the estimate and the
// bounds within 1e-5 on the scale of the mean; the closed forms (Z from a sum or mean, the
// boundaries, the discordance, the naive values) within 1e-12.
constexpr double kProbabilityTolerance = 1e-6;
constexpr double kMeanTolerance = 1e-5;
constexpr double kClosedFormTolerance = 1e-12;

struct ReferenceCase {
    std::string name;
    std::vector<ReferenceRow> rows;  // its looks in order
};

std::vector<ReferenceCase> referenceCases() {
    std::vector<ReferenceCase> cases;
    for (ReferenceRow& row :
         qalix::testing::readReferenceTable("tests/analysis/trial_analysis_reference.csv")) {
        if (cases.empty() || cases.back().name != row.text("case"))
            cases.push_back({row.text("case"), {}});
        cases.back().rows.push_back(std::move(row));
    }
    return cases;
}

TrialDesign designOf(const ReferenceRow& row) {
    TrialDesign d;
    d.onInformationTime = row.integer("on_information_time") == 1;
    d.maxSize = row.integer("max_size");
    d.sigma = row.number("sigma");
    d.z = row.number("z");
    d.a = row.number("a");
    d.plannedTimes = row.numbers("planned_times");
    d.alternative = row.number("alternative");
    return d;
}

LookInput inputOf(const ReferenceRow& row, bool onInformationTime) {
    LookInput in;
    if (onInformationTime) {
        in.t = row.number("time");
    } else {
        in.n = row.number("n");
    }
    const std::string& kind = row.text("input");
    (kind == "sum" ? in.sum : kind == "mean" ? in.mean : in.z) = row.number("value");
    return in;
}

class TrialReference : public ::testing::TestWithParam<ReferenceCase> {};

// The cases run over every kind of outcome: efficacy at the first look and later, futility,
// reject and accept at the final look (at, above and below the planned final size), still
// running; on group sizes and on information time, at planned and other times.
TEST_P(TrialReference, LooksAndInferenceMatchTheIntegrals) {
    const std::vector<ReferenceRow>& rows = GetParam().rows;
    const TrialDesign d = designOf(rows.front());
    std::vector<LookInput> inputs;
    for (const ReferenceRow& row : rows)
        inputs.push_back(inputOf(row, d.onInformationTime));
    const TrialAnalysis r = analyseTrial(d, inputs, rows.front().number("confidence"));
    ASSERT_EQ(r.looks.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ReferenceRow& row = rows[i];
        const AnalysedLook& look = r.looks[i];
        SCOPED_TRACE("look " + std::to_string(i + 1));
        EXPECT_NEAR(look.z, row.number("z_look"), kClosedFormTolerance);
        EXPECT_NEAR(look.upperZ, row.number("upper_z"), kClosedFormTolerance);
        EXPECT_NEAR(look.lowerZ, row.number("lower_z"), kClosedFormTolerance);
        EXPECT_NEAR(look.upperS, row.number("upper_s"), kClosedFormTolerance);
        EXPECT_NEAR(look.lowerS, row.number("lower_s"), kClosedFormTolerance);
        EXPECT_EQ(decisionKey(look.decision), row.text("decision"));
        const bool continues = row.text("decision") == "continue";
        ASSERT_EQ(look.powerAlternative.has_value(), continues);
        ASSERT_EQ(look.powerEstimate.has_value(), continues);
        ASSERT_EQ(look.discordance.has_value(), continues);
        if (!continues) continue;
        const double tolerance = kProbabilityTolerance + row.number("power_error");
        EXPECT_NEAR(*look.powerAlternative, row.number("power_alternative"), tolerance);
        EXPECT_NEAR(*look.powerEstimate, row.number("power_estimate"), tolerance);
        EXPECT_NEAR(*look.discordance, row.number("discordance"), kClosedFormTolerance);
    }
    const ReferenceRow& last = rows.back();
    const double designTolerance = kProbabilityTolerance + last.number("design_error");
    EXPECT_NEAR(r.levelAtTimesUsed, last.number("level_at_times_used"), designTolerance);
    EXPECT_NEAR(r.powerAtTimesUsed, last.number("power_at_times_used"), designTolerance);
    ASSERT_EQ(r.final.has_value(), last.text("decision") != "continue");
    if (!r.final) return;
    const TrialInference& f = *r.final;
    EXPECT_NEAR(f.pValue, last.number("p_value"), kProbabilityTolerance);
    EXPECT_NEAR(f.estimate, last.number("estimate"), kMeanTolerance);
    EXPECT_NEAR(f.lower, last.number("lower_bound"), kMeanTolerance);
    EXPECT_NEAR(f.upper, last.number("upper_bound"), kMeanTolerance);
    EXPECT_NEAR(f.naivePValue, last.number("naive_p_value"), kClosedFormTolerance);
    EXPECT_NEAR(f.naiveMean, last.number("naive_mean"), kClosedFormTolerance);
    EXPECT_NEAR(f.naiveLower, last.number("naive_lower"), kClosedFormTolerance);
    EXPECT_NEAR(f.naiveUpper, last.number("naive_upper"), kClosedFormTolerance);

    // What the stage-wise ordering implies whatever the reference says. At the first look no
    // earlier look counts: the naive values exactly. Later, the earlier looks could have
    // stopped too: a p-value below the design's level, an estimate and bound below the naive.
    if (r.looks.back().decision != LookDecision::Efficacy) return;
    if (r.looks.size() == 1) {
        EXPECT_NEAR(f.pValue, f.naivePValue, 1e-12);
        EXPECT_NEAR(f.estimate, f.naiveMean, 1e-12);
        EXPECT_NEAR(f.lower, f.naiveLower, 1e-12);
    } else {
        EXPECT_LT(f.pValue, r.levelAtTimesUsed);
        EXPECT_LT(f.estimate, f.naiveMean);
        EXPECT_LT(f.lower, f.naiveLower);
    }
}

INSTANTIATE_TEST_SUITE_P(Mvtnorm, TrialReference, ::testing::ValuesIn(referenceCases()),
                         [](const auto& entry) {
                             std::string name;
                             for (const char ch : entry.param.name)
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

// An outcome exactly on the final boundary, every look before at its planned time on the
// critical line, is as extreme as any rejection: its p-value is the design's level at those
// times, for every design of the reference table (the program's one crossing routine on both
// sides, within 1e-6: the inference counts observations, the level information time).
TEST(TrialAnalysisChecks, TheFinalBoundaryHasTheDesignsLevel) {
    std::set<std::string> seen;
    for (const ReferenceCase& c : referenceCases()) {
        const ReferenceRow& row = c.rows.front();
        const TrialDesign d = designOf(row);
        if (!seen.insert(row.text("planned_times") + row.text("max_size") + row.text("a")).second)
            continue;
        std::vector<LookInput> looks;
        for (const double t : d.plannedTimes) {
            LookInput in;
            in.z = t < 1.0 ? d.z * std::sqrt(t) : d.z;
            (d.onInformationTime ? in.t : in.n) =
                d.onInformationTime ? t : std::round(t * d.maxSize);
            looks.push_back(in);
        }
        const TrialAnalysis r = analyseTrial(d, looks, 0.95);
        ASSERT_TRUE(r.final) << c.name;
        EXPECT_NEAR(r.final->pValue, r.levelAtTimesUsed, 1e-6) << c.name;
    }
}

LookInput sized(double n, double z) {
    LookInput in;
    in.n = n;
    in.z = z;
    return in;
}

LookInput timed(double t, double z) {
    LookInput in;
    in.t = t;
    in.z = z;
    return in;
}

// Refusals name the look they concern at the start of their message.
TEST(TrialAnalysisRefuses, HostileLooksNamingTheLook) {
    const TrialDesign sizes{
        false, 25, 1.0, 1.6448536, 2.9457910064901123, {0.24, 0.48, 0.72, 1.0}, 2.5, 0.05, 0.05};
    const TrialDesign times{true, 0, 1.0, 1.6448536, 2.109, {0.5, 1.0}, 2.5, 0.05, 0.05};
    LookInput sumAndMean = sized(12.0, 0.0);
    sumAndMean.z.reset();
    sumAndMean.sum = 2.0;
    sumAndMean.mean = 0.3;
    LookInput infiniteSum = sized(12.0, 0.0);
    infiniteSum.z.reset();
    infiniteSum.sum = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        const TrialDesign& design;
        std::vector<LookInput> looks;
        const char* look;
        const char* says;
    } cases[] = {
        {"not increasing", sizes, {sized(12, 0.5), sized(10, 0.5)}, "look 2", "not come after"},
        {"a sum not finite", sizes, {sized(6, 0.5), infiniteSum}, "look 2", "not a finite number"},
        {"n = 0", sizes, {sized(0, 0.5)}, "look 1", "at least 1"},
        {"after a stop", sizes, {sized(6, 3.5), sized(12, 1.0)}, "look 2", "stopped at look 1"},
        {"too many", times, {timed(0.3, 1), timed(0.6, 1), timed(0.9, 1)}, "look 3", "2 looks"},
        {"a sum and a mean", sizes, {sized(6, 0.5), sumAndMean}, "look 2", "exactly one of"},
        {"a time above 1", times, {timed(0.5, 1.0), timed(1.2, 2.0)}, "look 2", "at most 1"},
    };
    for (const auto& c : cases) {
        try {
            analyseTrial(c.design, c.looks, 0.95);
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const AnalysisInputError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(std::string("The ") + c.look + " ", 0), 0u) << message;
            EXPECT_NE(message.find(c.says), std::string::npos) << message;
        }
    }
}

}  // namespace
}  // namespace qalix
