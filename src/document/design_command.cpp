#include "document/design_command.hpp"

#include <algorithm>

namespace qalix {

namespace {

// The parameter as typed, else as the panel showed it, unless it is the one computed.
void complete(std::optional<std::string>& input, const DesignSnapshot& d, std::string_view name) {
    if (!input && d.inputs.solve != name) input = d.panelText(name);
}

std::string joined(const std::vector<std::string>& texts) {
    std::string list;
    for (const std::string& t : texts)
        list += (list.empty() ? "" : ",") + t;
    return list;
}

void option(std::string& command, std::string_view name, const std::optional<std::string>& value) {
    if (value) command += " " + std::string(name) + " " + shellQuoted(*value);
}

}  // namespace

DesignInputs completeInputs(const DesignSnapshot& d) {
    DesignInputs in = d.inputs;
    complete(in.alpha, d, "alpha");
    complete(in.power, d, "power");
    if (!isBrownianKey(in.design)) {  // on information time these are not the user's to type
        complete(in.sd, d, "sd");
        complete(in.mu, d, "mu");
        complete(in.m, d, "m");
    }
    if (d.sequential) {
        complete(in.looks, d, "looks");
        if (!in.a) complete(in.rho, d, "rho");
    }
    return in;
}

std::string designCommand(const DesignInputs& in) {
    std::string command = "qalix design --design " + shellQuoted(in.design);
    option(command, "--allocation", in.allocation);
    option(command, "--alpha", in.alpha);
    option(command, "--power", in.power);
    option(command, "--sd", in.sd);
    option(command, "--mu", in.mu);
    option(command, "--m", in.m);
    option(command, "--solve", in.solve);
    option(command, "--looks", in.looks);
    if (in.groups) option(command, "--groups", joined(*in.groups));
    if (in.times) option(command, "--times", joined(*in.times));
    option(command, "--rho", in.rho);
    option(command, "--a", in.a);
    option(command, "--level", in.level);
    if (in.holdPower) command += " --hold-power";
    if (in.means)
        option(command, in.means->onDataScale ? "--means" : "--delta", joined(in.means->texts));
    return command;
}

std::string shellQuoted(const std::string& word) {
    const bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) ||
               std::string_view("_.,+-=/:@%").find(c) != std::string_view::npos;
    });
    if (plain) return word;
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string analysisCommand(const DesignInputs& inputs, const std::vector<std::string>& looks,
                            const std::optional<std::string>& confidence) {
    DesignInputs design = inputs;
    design.means.reset();  // the analysis computes no characteristics at means of its own
    const std::string prefix = "qalix design";
    std::string command = "qalix analyse" + designCommand(design).substr(prefix.size());
    for (const std::string& look : looks)
        option(command, "--observed", look);
    option(command, "--confidence", confidence);
    return command;
}

}  // namespace qalix
