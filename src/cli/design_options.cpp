#include "cli/design_options.hpp"

#include <algorithm>

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

DesignInputs givenInputs(const DesignOptions& o, bool sequential) {
    DesignInputs in;
    in.design = o.design;
    in.alpha = o.alpha;
    in.power = o.power;
    in.sd = o.sd;
    in.mu = o.mu;
    in.m = o.m;
    in.solve = o.solve;
    in.allocation = o.allocation;
    if (!in.solve && sequential && o.design == kNormseqKey && !o.m) in.solve = "m";
    in.looks = o.looks;
    in.groups = o.groups;
    in.times = o.times;
    in.rho = o.rho;
    in.a = o.a;
    in.level = o.level;
    in.holdPower = o.holdPower;
    if (o.deltas) in.means = MeanList{false, *o.deltas};
    if (o.means) in.means = MeanList{true, *o.means};
    return in;
}

std::optional<DesignFile> openedDesign(const DesignOptions& o) {
    return o.openDesign ? std::optional(readDesignFile(*o.openDesign)) : std::nullopt;
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
    replace(in.allocation, o.allocation);
    if (in.allocation && isBrownianKey(in.design)) {
        throw UsageError("the design file is of two groups (allocation " + *in.allocation +
                         "): on information time there are no patients to allocate");
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
    replace(in.level, o.level);
    if (o.holdPower) in.holdPower = true;
    if (o.deltas) in.means = MeanList{false, *o.deltas};
    if (o.means) in.means = MeanList{true, *o.means};
    return in;
}

bool changesInputs(const CliOptions& o) {
    for (std::string_view name : {"--design", "--allocation", "--alpha", "--power", "--sd", "--mu",
                                  "--m", "--solve", "--looks", "--groups", "--times", "--rho",
                                  "--a", "--level", "--hold-power", "--delta", "--means"}) {
        if (given(o, name)) return true;
    }
    return false;
}

}  // namespace qalix
