// One boundary on every scale the program shows it. The trial takes at most M observations (m
// rounded up) and its sum after n of them has Z = sum / (sigma sqrt(n)): the sum, the mean, Z
// and the P-value of a look describe one boundary only when every conversion is made on M.
// With the unrounded m they did not: the final sum of the m = 24.73 design was 8.180, whose Z
// over 25 observations is 1.636, beside a P-value of 0.0500.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.hpp"
#include "file_folder.hpp"
#include "support/file_text.hpp"

namespace qalix::testing {
namespace {

struct ScaleCase {
    const char* what;
    std::vector<std::string> design;
    double sd;
    int maxSize;             // M, by hand
    const char* finalSum;    // z sqrt(M) sd, by hand, as the dialog shows it
    const char* finalMean;   // the final sum over M, four decimals
    const char* nonbinding;  // the level with the futility boundaries ignored, when known
};

// z_0.95 = 1.6448536, z_0.975 = 1.9599640.
const ScaleCase kCases[] = {
    // m = (2.4864748 / 0.5)^2 = 24.73: M = 25, 1.6448536 * 5 = 8.224.
    // Its level with futility ignored, 0.0515, is an independent package's.
    {"m solved, 24.73", {"--looks", "4", "--rho", "0.02"}, 1.0, 25, "8.224", "0.3290", "0.0515"},
    // m = ((1.9599640 + 1.2815516) / 0.3)^2 = 116.75: M = 117, 1.959964 * sqrt(117) = 21.200.
    {"alpha 0.025, power 0.9, mu 0.3",
     {"--alpha", "0.025", "--power", "0.9", "--mu", "0.3", "--looks", "4"},
     1.0,
     117,
     "21.200",
     "0.1812",
     ""},
    // m = 50 given, sigma 2: 1.6448536 * 2 * sqrt(50) = 23.262.
    {"m 50, sigma 2, groups typed",
     {"--looks", "3", "--m", "50", "--sd", "2", "--groups", "10,20"},
     2.0,
     50,
     "23.262",
     "0.4652",
     ""},
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.what;
}

std::string fixed(double value, int places) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", places, value);
    return text;
}

class Scales : public FileFolderTest, public ::testing::WithParamInterface<ScaleCase> {};

TEST_P(Scales, EveryOutputShowsOneBoundaryOnM) {
    const ScaleCase& c = GetParam();
    std::vector<std::string> args = {"design", "--look-details", "--json"};
    args.insert(args.end(), c.design.begin(), c.design.end());
    const CliRun design = run(args);
    ASSERT_EQ(design.status, 0) << design.err;
    const JsonValue json = design.json();
    const auto& looks = json["boundaries"].items;
    ASSERT_FALSE(looks.empty());
    EXPECT_EQ(looks.back()["upperSum"]["text"].text, c.finalSum);
    EXPECT_EQ(looks.back()["n"].number(), c.maxSize);
    if (*c.nonbinding != '\0') {
        EXPECT_EQ(json["nonbindingLevel"]["text"].text, c.nonbinding);
    }
    EXPECT_GE(json["nonbindingLevel"]["value"].number(), json["values"]["actualSigLevel"].number());
    for (const JsonValue& look : looks) {
        SCOPED_TRACE(look["look"].number());
        const double n = look["n"].number();
        const double t = look["infoTime"]["value"].number();
        EXPECT_NEAR(t, n / c.maxSize, 1e-6);
        for (const char* side : {"upper", "lower"}) {
            const std::string s = side;
            // Z from the sum over sqrt(n) is Z from S_t over sqrt(t), to the digits shown.
            const double zOfSum = look[s + "Sum"]["value"].number() / (c.sd * std::sqrt(n));
            const double zOfS = look[s + "Std"]["value"].number() / std::sqrt(t);
            EXPECT_EQ(fixed(zOfSum, 4), fixed(zOfS, 4)) << side;
            EXPECT_NEAR(1.0 - 0.5 * std::erfc(-zOfSum / std::sqrt(2.0)),
                        look[s + "P"]["value"].number(), 1e-4)
                << side;
        }
    }

    // The report: the same final sum and mean, and at mu_a the design's actual power.
    std::vector<std::string> report = {"report", "--out", path("r.html")};
    report.insert(report.end(), c.design.begin(), c.design.end());
    ASSERT_EQ(run(report).status, 0);
    const std::string html = fileText(path("r.html"));
    EXPECT_NE(html.find("the sum of the observations is at least " + std::string(c.finalSum) +
                        ", their mean at least " + c.finalMean),
              std::string::npos);
    std::ostringstream mu;
    mu << json["values"]["mu"].number();
    const std::string cell = "</td><td style=\"white-space: nowrap\">";
    EXPECT_NE(html.find(">mu = " + mu.str() + cell + json["panel"]["actualPower"].text + "</td>"),
              std::string::npos)
        << "the range table's power at mu_a";
}

INSTANTIATE_TEST_SUITE_P(Designs, Scales, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ScaleCase>& p) {
                             std::string name;
                             for (char ch : std::string(p.param.what))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

}  // namespace
}  // namespace qalix::testing
