// qalix compare: candidate designs side by side, each a row of its results at the mean 0 and
// at the alternative.
#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "cli/design_options.hpp"
#include "cli/output.hpp"
#include "design/info_times.hpp"
#include "document/candidate_runs.hpp"
#include "document/comparison.hpp"
#include "document/design_file.hpp"
#include "document/design_inputs.hpp"
#include "document/parallel_runs.hpp"
#include "numeric/number_text.hpp"
#include "report/comparison_html.hpp"
#include "shell/startup.hpp"

namespace qalix {

namespace {

// A design to compare: its inputs, and the options that made it, to name it by.
struct Candidate {
    DesignInputs inputs;
    std::string options;
};

// The alternatives of an option, or one that leaves the option out.
std::vector<std::optional<std::string>> alternatives(const std::optional<std::string>& given) {
    if (!given) return {std::nullopt};
    std::vector<std::optional<std::string>> all;
    for (std::string& choice : splitAt(*given, kAlternativeSeparator))
        all.emplace_back(std::move(choice));
    return all;
}

// An option with alternatives, and how one of them is given to a candidate's options.
struct Axis {
    std::string_view name;
    std::vector<std::optional<std::string>> values;
    void (*give)(DesignOptions&, const std::string&);
};

// The options with alternatives, the one varying slowest first.
std::vector<Axis> axesOf(const ComparisonOptions& o) {
    const bool times = o.times.has_value();
    const bool a = o.a.has_value();
    return {
        {"--allocation", alternatives(o.allocation),
         [](DesignOptions& c, const std::string& v) { c.allocation = v; }},
        {"--looks", alternatives(o.looks),
         [](DesignOptions& c, const std::string& v) { c.looks = v; }},
        {times ? "--times" : "--groups", alternatives(times ? o.times : o.groups),
         times ? +[](DesignOptions& c, const std::string& v) { c.times = splitAt(v, ','); }
               : +[](DesignOptions& c, const std::string& v) { c.groups = splitAt(v, ','); }},
        {a ? "--a" : "--rho", alternatives(a ? o.a : o.rho),
         a ? +[](DesignOptions& c, const std::string& v) { c.a = v; }
           : +[](DesignOptions& c, const std::string& v) { c.rho = v; }},
        {"--level", alternatives(o.level),
         [](DesignOptions& c, const std::string& v) { c.level = v; }},
    };
}

// The product of the alternatives, with a file each, is at most kMaxCandidates.
void checkCount(std::size_t files, const std::vector<Axis>& axes) {
    std::size_t count = std::max<std::size_t>(files, 1);
    for (const Axis& axis : axes) {
        count *= axis.values.size();
        if (count > kMaxCandidates) {
            throw UsageError("compare takes at most " + std::to_string(kMaxCandidates) +
                             " candidates: the alternatives given make more; compare them in "
                             "parts");
        }
    }
}

// A list of looks of the wrong length for the candidate's number of looks is refused here,
// before any candidate is computed. A number of looks the panel cannot take is its to refuse.
void checkLooks(const Candidate& c) {
    const std::optional<std::vector<std::string>>& placed =
        c.inputs.groups ? c.inputs.groups : c.inputs.times;
    int K = 0;
    if (!placed ||
        readFree(c.inputs.looks.value_or(std::string(kStartupLooks)), K) != ReadStatus::Ok ||
        K < kMinLooks || K > kMaxLooks || placed->size() == static_cast<std::size_t>(K - 1)) {
        return;
    }
    throw InputError("the candidate" + (c.options.empty() ? "" : " " + c.options) + " has " +
                     std::to_string(K) + " looks: give " + std::to_string(K - 1) + " " +
                     (c.inputs.groups ? "group sizes" : "information times") +
                     ", one for each look before the last, not " + std::to_string(placed->size()));
}

void addCandidates(const CliOptions& o, const DesignFile* file, const std::string& named,
                   const std::vector<Axis>& axes, std::vector<Candidate>& candidates) {
    std::vector<std::size_t> at(axes.size(), 0);
    for (;;) {
        CliOptions c = o;
        std::string options = named;
        for (std::size_t i = 0; i < axes.size(); ++i) {
            const std::optional<std::string>& value = axes[i].values[at[i]];
            if (!value) continue;
            axes[i].give(c.inputs, *value);
            options += (options.empty() ? "" : " ") + std::string(axes[i].name) + " " + *value;
        }
        candidates.push_back(
            {file ? openedInputs(*file, c) : givenInputs(c.inputs, true), options});
        checkLooks(candidates.back());
        // The next combination, the last option varying fastest.
        std::size_t i = axes.size();
        while (i > 0 && ++at[i - 1] == axes[i - 1].values.size())
            at[--i] = 0;
        if (i == 0) return;
    }
}

std::vector<Candidate> candidatesOf(const CliOptions& o) {
    const std::vector<Axis> axes = axesOf(o.comparison);
    checkCount(o.comparison.files.size(), axes);
    std::vector<Candidate> candidates;
    if (o.comparison.files.empty()) addCandidates(o, nullptr, "", axes, candidates);
    for (const std::string& path : o.comparison.files) {
        const DesignFile file = readDesignFile(path);
        addCandidates(o, &file, "--open " + path, axes, candidates);
    }
    return candidates;
}

// Each line a candidate printed, after the candidate's number and options.
void printMessages(const std::vector<Candidate>& candidates,
                   const std::vector<CandidateOutcome>& outcomes, std::ostream& err) {
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        std::istringstream lines(outcomes[i].messages);
        for (std::string line; std::getline(lines, line);) {
            err << "Candidate " << i + 1
                << (candidates[i].options.empty() ? "" : " (" + candidates[i].options + ")") << ": "
                << line << '\n';
        }
    }
}

// The table and the curves as the document --out names.
bool writeComparison(const OutputOptions& o, std::vector<ComparisonRow> rows,
                     const DocumentRenderer& documents, std::ostream& err) {
    ComparisonDocument document;
    document.title = o.title.value_or("");
    document.paper = o.paper.value_or("a4") == "letter" ? Paper::Letter : Paper::A4;
    document.rows = std::move(rows);
    return writeDocument(*o.out, comparisonHtml(document), document.paper == Paper::Letter,
                         documents, "comparison", err);
}

// Computes the candidates, each in a program of its own, says on err what any of them showed,
// and returns the rows of those computed, each named by the options that made it.
std::vector<ComparisonRow> computeRows(const std::vector<Candidate>& candidates,
                                       const CliOptions& o, std::ostream& err) {
    std::vector<DesignInputs> inputs;
    for (const Candidate& candidate : candidates)
        inputs.push_back(candidate.inputs);
    const auto threads = static_cast<unsigned>(o.comparison.jobs.value_or(defaultThreads()));
    std::vector<CandidateOutcome> outcomes =
        computeCandidates(inputs, threads, o.output.out.has_value());
    printMessages(candidates, outcomes, err);
    std::vector<ComparisonRow> rows;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        if (!outcomes[i].row) continue;
        rows.push_back(std::move(*outcomes[i].row));
        rows.back().label = candidates[i].options;
    }
    return rows;
}

}  // namespace

int runCompare(const CliOptions& o, const CommandContext& c) {
    std::vector<Candidate> candidates;
    try {
        candidates = candidatesOf(o);
    } catch (const DesignFileError& e) {
        c.err << "Error: " << e.what() << '\n';
        return 1;
    }
    const std::vector<ComparisonRow> rows = computeRows(candidates, o, c.err);
    if (!saveText(o.output.csv, comparisonCsv(rows), c.err)) return 1;
    if (o.output.out && !writeComparison(o.output, rows, c.documents, c.err)) return 1;
    if (o.output.json) {
        writeJson(comparisonJson(rows), c.out);
    } else {
        c.out << comparisonText(rows);
    }
    return rows.size() == candidates.size() ? 0 : 1;
}

}  // namespace qalix
