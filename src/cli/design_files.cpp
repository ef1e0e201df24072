#include "cli/design_files.hpp"

#include <algorithm>

#include "document/design_tables.hpp"
#include "io/files.hpp"

namespace qalix {

namespace {

bool given(const CliOptions& o, std::string_view name) {
    return std::find(o.given.begin(), o.given.end(), name) != o.given.end();
}

template <typename T>
void replace(std::optional<T>& input, const std::optional<T>& option) {
    if (option) input = option;
}

bool save(const std::optional<std::string>& path, const std::string& text, std::ostream& err) {
    if (!path) return true;
    if (const auto failed = io::saveFile(*path, text)) {
        err << "Error: Cannot save the file " << failed->describe() << '\n';
        return false;
    }
    return true;
}

}  // namespace

DesignInputs openedInputs(const DesignFile& file, const CliOptions& o) {
    DesignInputs in = file.inputs;
    if (given(o, "--design")) in.design = o.design;
    struct Parameter {
        std::string_view name;
        std::optional<std::string> DesignInputs::*input;
        std::optional<std::string> CliOptions::*option;
    };
    const Parameter parameters[] = {{"alpha", &DesignInputs::alpha, &CliOptions::alpha},
                                    {"power", &DesignInputs::power, &CliOptions::power},
                                    {"sd", &DesignInputs::sd, &CliOptions::sd},
                                    {"mu", &DesignInputs::mu, &CliOptions::mu},
                                    {"m", &DesignInputs::m, &CliOptions::m}};
    if (o.solve) in.solve = o.solve;
    for (const Parameter& p : parameters) {
        replace(in.*p.input, o.*p.option);
        if (in.solve != p.name) continue;
        // The one computed has no value of its own; one given is no longer computed.
        if (o.solve) {
            (in.*p.input).reset();
        } else if (o.*p.option) {
            in.solve.reset();
        }
    }
    replace(in.looks, o.looks);
    if (o.groups || o.times) {
        in.groups = o.groups;
        in.times = o.times;
    }
    if (o.rho || o.a) {
        in.rho = o.rho;
        in.a = o.a;
    }
    if (o.deltas) in.means = MeanList{false, *o.deltas};
    if (o.means) in.means = MeanList{true, *o.means};
    return in;
}

bool changesInputs(const CliOptions& o) {
    for (std::string_view name :
         {"--design", "--alpha", "--power", "--sd", "--mu", "--m", "--solve", "--looks", "--groups",
          "--times", "--rho", "--a", "--delta", "--means"}) {
        if (given(o, name)) return true;
    }
    return false;
}

bool writeDesignFiles(const CliOptions& o, const DesignSnapshot& snapshot, std::ostream& err) {
    if (o.saveDesign &&
        !save(designFileTarget(*o.saveDesign),
              designFileText(snapshot, o.title.value_or(""), o.notes.value_or("")), err)) {
        return false;
    }
    if (o.csv && !save(o.csv, boundariesCsv(snapshot), err)) return false;
    return !o.curvesCsv || save(o.curvesCsv, curvesCsv(snapshot), err);
}

std::optional<std::string> resultsDiffer(const DesignFile& file, const Json& now) {
    const auto difference = firstDifference(file.derived, now);
    if (!difference) return std::nullopt;
    return "The results differ from those the design file holds (written by " +
           (file.program.empty() ? std::string("another program") : file.program) + "), first at " +
           *difference + ".";
}

}  // namespace qalix
