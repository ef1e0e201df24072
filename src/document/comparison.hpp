// Candidate designs side by side. Each is computed in a program of its own as the design
// command computes it, with the operating characteristics at the null mean 0 and at the
// alternative the panel shows, and gives one row of what a choice among them rests on: the
// coefficient and discordance, the actual level and power, the maximum and expected sizes and
// the probability of an early stop. As aligned text, JSON and CSV.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "document/design_snapshot.hpp"
#include "document/snapshot_json.hpp"
#include "platform/headless/session.hpp"

namespace qalix {

// A candidate's power function and expected information time, each at the means the plots
// draw; with the scale its means and sizes are on.
struct ComparedCurves {
    bool onDataScale = false;  // normal outcomes: means mu and sample sizes
    double maxSize = 0.0;      // the last look's cumulative size; 0 on information time
    std::vector<DesignSnapshot::PowerPoint> power;
    std::vector<DesignSnapshot::ExpectedPoint> expected;
};

struct ComparisonRow {
    std::size_t candidate = 0;  // from 1, in the order the candidates were given
    std::string label;          // what makes it a candidate (its options or its file)
    std::string design;
    Shown alternative;   // the mean typed as the alternative: mu_a, or delta_a on information time
    ShownFields fields;  // the columns, in order
    // The fixed-sample inputs every candidate of a comparison usually shares, as the panel
    // shows them: alpha, power, the alternative and sigma (none on information time).
    std::vector<std::pair<std::string, std::string>> fixedInputs;
    std::string command;
    ComparedCurves curves;  // when asked for
};

// Enters the design as the design command does and captures it with the characteristics at 0
// and at the alternative; its inputs complete (design_command.hpp), the two means among them.
// With `curves`, the snapshot holds the power function and expected information time too.
DesignSnapshot comparedSnapshot(Session& session, DesignInputs inputs, bool curves = false);

ComparisonRow comparisonRow(std::size_t candidate, const DesignSnapshot& snapshot);

// The columns K to "N max/M", which describe the design itself; the expectations follow them.
inline constexpr std::size_t kDesignColumns = 10;

// The headings of the table, then its cells, a row per candidate, without the commands.
std::vector<std::vector<std::string>> comparisonCells(const std::vector<ComparisonRow>& rows);
// Right-aligned columns under their headings, the command last.
std::string comparisonText(const std::vector<ComparisonRow>& rows);
// An array of rows, every shown field as {"text", "value"}.
Json comparisonJson(const std::vector<ComparisonRow>& rows);
// RFC 4180, a header row, values in full.
std::string comparisonCsv(const std::vector<ComparisonRow>& rows);

}  // namespace qalix
