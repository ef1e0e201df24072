#include "cli/compare_command.hpp"

#include <algorithm>
#include <numeric>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/design_files.hpp"
#include "cli/report.hpp"
#include "design/info_times.hpp"
#include "document/comparison.hpp"
#include "document/design_entry.hpp"
#include "document/design_file.hpp"
#include "document/parallel_runs.hpp"
#include "numeric/number_text.hpp"
#include "shell/startup.hpp"

namespace qalix {

namespace {

// A design to compare: its inputs, and the options that made it, to name it by.
struct Candidate {
    DesignInputs inputs;
    std::string options;
};

// What computing a candidate gave: its row, or none and the message that stopped it.
struct Outcome {
    std::optional<ComparisonRow> row;
    std::string messages;
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
    void (*give)(CliOptions&, const std::string&);
};

// The options with alternatives, the one varying slowest first.
std::vector<Axis> axesOf(const CliOptions& o) {
    const bool times = o.timesChoices.has_value();
    const bool a = o.aChoices.has_value();
    return {
        {"--looks", alternatives(o.looksChoices),
         [](CliOptions& c, const std::string& v) { c.looks = v; }},
        {times ? "--times" : "--groups", alternatives(times ? o.timesChoices : o.groupsChoices),
         times ? +[](CliOptions& c, const std::string& v) { c.times = splitAt(v, ','); }
               : +[](CliOptions& c, const std::string& v) { c.groups = splitAt(v, ','); }},
        {a ? "--a" : "--rho", alternatives(a ? o.aChoices : o.rhoChoices),
         a ? +[](CliOptions& c, const std::string& v) { c.a = v; }
           : +[](CliOptions& c, const std::string& v) { c.rho = v; }},
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
            axes[i].give(c, *value);
            options += (options.empty() ? "" : " ") + std::string(axes[i].name) + " " + *value;
        }
        candidates.push_back({file ? openedInputs(*file, c) : givenInputs(c), options});
        checkLooks(candidates.back());
        // The next combination, the last option varying fastest.
        std::size_t i = axes.size();
        while (i > 0 && ++at[i - 1] == axes[i - 1].values.size())
            at[--i] = 0;
        if (i == 0) return;
    }
}

std::vector<Candidate> candidatesOf(const CliOptions& o) {
    const std::vector<Axis> axes = axesOf(o);
    checkCount(o.openFiles.size(), axes);
    std::vector<Candidate> candidates;
    if (o.openFiles.empty()) addCandidates(o, nullptr, "", axes, candidates);
    for (const std::string& path : o.openFiles) {
        const DesignFile file = readDesignFile(path);
        addCandidates(o, &file, "--open " + path, axes, candidates);
    }
    return candidates;
}

// Computes one candidate in a program of its own; what it prints is kept for later, so that
// the candidates' messages come out in their order whatever thread ran them.
Outcome compute(std::size_t index, const Candidate& candidate) {
    Outcome outcome;
    std::ostringstream messages;
    Session s;
    s.platform().echoConsole(&messages);
    s.printNotices(&messages);
    try {
        s.start();
        outcome.row = comparisonRow(index + 1, comparedSnapshot(s, candidate.inputs));
    } catch (const MessageShown& shown) {
        messages << shown.message.caption << ": " << shown.message.text << '\n';
    } catch (const ControlRefused& refused) {
        messages << "qalix: " << refused.what() << '\n';
    } catch (const InputError& e) {  // a number of looks checkLooks could not read
        messages << "qalix: " << e.what() << '\n';
    }
    outcome.messages = messages.str();
    return outcome;
}

// Each line a candidate printed, after the candidate's number and options.
void printMessages(const std::vector<Candidate>& candidates, const std::vector<Outcome>& outcomes,
                   std::ostream& err) {
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        std::istringstream lines(outcomes[i].messages);
        for (std::string line; std::getline(lines, line);) {
            err << "Candidate " << i + 1
                << (candidates[i].options.empty() ? "" : " (" + candidates[i].options + ")") << ": "
                << line << '\n';
        }
    }
}

// The candidates with the most looks first: the costliest start first, so that the threads
// end together instead of one computing the last 16-look design alone.
std::vector<std::size_t> costliestFirst(const std::vector<Candidate>& candidates) {
    std::vector<std::size_t> order(candidates.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto looks = [&candidates](std::size_t i) {
        double k = 0.0;
        const auto& text = candidates[i].inputs.looks;
        return text && readFree(*text, k) == ReadStatus::Ok ? k : 0.0;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&looks](std::size_t a, std::size_t b) { return looks(a) > looks(b); });
    return order;
}

}  // namespace

int runCompare(const CliOptions& o, std::ostream& out, std::ostream& err) {
    std::vector<Candidate> candidates;
    try {
        candidates = candidatesOf(o);
    } catch (const DesignFileError& e) {
        err << "Error: " << e.what() << '\n';
        return 1;
    }
    std::vector<Outcome> outcomes(candidates.size());
    const auto threads = static_cast<unsigned>(o.jobs.value_or(defaultThreads()));
    const std::vector<std::size_t> order = costliestFirst(candidates);
    runInParallel(candidates.size(), threads, [&](std::size_t j) {
        const std::size_t i = order[j];
        outcomes[i] = compute(i, candidates[i]);
    });
    printMessages(candidates, outcomes, err);
    std::vector<ComparisonRow> rows;
    for (Outcome& outcome : outcomes) {
        if (outcome.row) rows.push_back(std::move(*outcome.row));
    }
    if (!saveText(o.csv, comparisonCsv(rows), err)) return 1;
    if (o.json) {
        writeJson(comparisonJson(rows), out);
    } else {
        out << comparisonText(rows);
    }
    return rows.size() == candidates.size() ? 0 : 1;
}

}  // namespace qalix
