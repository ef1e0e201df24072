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

}  // namespace

bool saveText(const std::optional<std::string>& path, const std::string& text, std::ostream& err) {
    if (!path) return true;
    if (const auto failed = io::saveFile(*path, text)) {
        err << "Error: Cannot save the file " << failed->describe() << '\n';
        return false;
    }
    return true;
}

DesignInputs givenInputs(const CliOptions& options) {
    const DesignOptions& o = options.inputs;
    DesignInputs in;
    in.design = o.design;
    in.alpha = o.alpha;
    in.power = o.power;
    in.sd = o.sd;
    in.mu = o.mu;
    in.m = o.m;
    in.solve = o.solve;
    if (!in.solve && options.command != kFixedCommand && o.design == kNormseqKey && !o.m)
        in.solve = "m";
    in.looks = o.looks;
    in.groups = o.groups;
    in.times = o.times;
    in.rho = o.rho;
    in.a = o.a;
    if (o.deltas) in.means = MeanList{false, *o.deltas};
    if (o.means) in.means = MeanList{true, *o.means};
    return in;
}

DesignInputs openedInputs(const DesignFile& file, const CliOptions& options) {
    const DesignOptions& o = options.inputs;
    DesignInputs in = file.inputs;
    if (given(options, "--design")) in.design = o.design;
    struct Parameter {
        std::string_view name;
        std::optional<std::string> DesignInputs::*input;
        std::optional<std::string> DesignOptions::*option;
    };
    const Parameter parameters[] = {{"alpha", &DesignInputs::alpha, &DesignOptions::alpha},
                                    {"power", &DesignInputs::power, &DesignOptions::power},
                                    {"sd", &DesignInputs::sd, &DesignOptions::sd},
                                    {"mu", &DesignInputs::mu, &DesignOptions::mu},
                                    {"m", &DesignInputs::m, &DesignOptions::m}};
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

bool writeDesignFiles(const OutputOptions& o, const DesignSnapshot& snapshot, std::ostream& err) {
    if (o.saveDesign &&
        !saveText(designFileTarget(*o.saveDesign),
                  designFileText(snapshot, o.title.value_or(""), o.notes.value_or("")), err)) {
        return false;
    }
    if (o.csv && !saveText(o.csv, boundariesCsv(snapshot), err)) return false;
    return !o.curvesCsv || saveText(o.curvesCsv, curvesCsv(snapshot), err);
}

}  // namespace qalix
