// Ordinary designs locked: the command line's JSON for each line of golden/cases.txt against
// the output kept beside it (generated once by golden/regenerate.sh and checked against the
// program before the changes that followed). Texts must match exactly; full values, and texts
// that hold one in full precision, to 1e-12 relative: their last bits differ with the build
// (vector or scalar exp, sanitizer instrumentation).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.hpp"
#include "support/file_text.hpp"

namespace qalix::testing {
namespace {

constexpr double kRelativeTolerance = 1e-12;

const std::string kGoldenDir = std::string(QALIX_SOURCE_DIR) + "/tests/cli/golden/";

struct GoldenCase {
    std::string name;
    std::vector<std::string> args;
};

std::vector<GoldenCase> goldenCases() {
    std::vector<GoldenCase> cases;
    std::ifstream in(kGoldenDir + "cases.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto colon = line.find(':');
        GoldenCase c{line.substr(0, colon), {}};
        std::istringstream words(line.substr(colon + 1));
        for (std::string w; words >> w;)
            c.args.push_back(w);
        cases.push_back(std::move(c));
    }
    return cases;
}

// A text in full precision, as the panel shows the searched coefficient: free-format digits
// beyond any fixed field, which hold the value itself.
bool fullPrecisionText(const JsonValue& v) {
    static const std::regex number("-?[0-9]*\\.[0-9]{12,}(e[-+][0-9]+)?");
    return v.kind == JsonValue::Kind::String && std::regex_match(v.text, number);
}

void expectNear(double actual, double expected, const std::string& path) {
    EXPECT_NEAR(actual, expected, kRelativeTolerance * std::max(1.0, std::abs(expected))) << path;
}

void expectSame(const JsonValue& expected, const JsonValue& actual, const std::string& path) {
    ASSERT_EQ(static_cast<int>(actual.kind), static_cast<int>(expected.kind)) << path;
    if (expected.kind == JsonValue::Kind::Number || fullPrecisionText(expected)) {
        expectNear(actual.number(), expected.number(), path);
        return;
    }
    EXPECT_EQ(actual.text, expected.text) << path;
    ASSERT_EQ(actual.items.size(), expected.items.size()) << path;
    for (std::size_t i = 0; i < expected.items.size(); ++i)
        expectSame(expected.items[i], actual.items[i], path + "[" + std::to_string(i) + "]");
    ASSERT_EQ(actual.members.size(), expected.members.size()) << path;
    for (std::size_t i = 0; i < expected.members.size(); ++i) {
        const auto& [key, value] = expected.members[i];
        ASSERT_EQ(actual.members[i].first, key) << path;
        expectSame(value, actual.members[i].second, path + "." + key);
    }
}

TEST(GoldenDesigns, KeepTheirTextsAndValues) {
    const std::vector<GoldenCase> cases = goldenCases();
    ASSERT_GE(cases.size(), 7u);
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = run(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        expectSame(parseJson(fileText(kGoldenDir + c.name + ".json")), r.json(), "");
    }
}

}  // namespace
}  // namespace qalix::testing
