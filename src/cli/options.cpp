#include "cli/options.hpp"

#include <map>

namespace qalix {

namespace {

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? comma : comma - start));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

bool oneOf(const std::string& value, std::initializer_list<const char*> allowed) {
    for (const char* a : allowed) {
        if (value == a) return true;
    }
    return false;
}

}  // namespace

CliOptions parseOptions(const std::vector<std::string>& args) {
    if (args.empty() || !oneOf(args[0], {"fixed", "design"})) {
        throw UsageError("a command is needed: fixed or design");
    }
    CliOptions o;
    o.command = args[0];
    const bool design = o.command == "design";
    const std::map<std::string, std::optional<std::string>*> texts = {
        {"--alpha", &o.alpha}, {"--power", &o.power}, {"--sd", &o.sd},
        {"--mu", &o.mu},       {"--m", &o.m},         {"--solve", &o.solve},
        {"--looks", &o.looks}, {"--rho", &o.rho},     {"--a", &o.a}};
    const std::map<std::string, std::optional<std::vector<std::string>>*> lists = {
        {"--groups", &o.groups},
        {"--times", &o.times},
        {"--delta", &o.deltas},
        {"--means", &o.means}};
    const std::map<std::string, bool*> flags = {
        {"--json", &o.json}, {"--curves", &o.curves}, {"--look-details", &o.lookDetails}};
    const auto designOnly = [&](const std::string& name) {
        const bool known = texts.count(name) || lists.count(name) || flags.count(name);
        const bool shared = oneOf(
            name, {"--design", "--alpha", "--power", "--sd", "--mu", "--m", "--solve", "--json"});
        if (!design && known && !shared) throw UsageError(name + " belongs to the design command");
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& name = args[i];
        designOnly(name);
        if (const auto f = flags.find(name); f != flags.end()) {
            *f->second = true;
            continue;
        }
        if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
        const std::string& value = args[++i];
        if (name == "--design") {
            o.design = value;
        } else if (const auto t = texts.find(name); t != texts.end()) {
            *t->second = value;
        } else if (const auto l = lists.find(name); l != lists.end()) {
            *l->second = splitList(value);
        } else {
            throw UsageError("unknown option " + name);
        }
    }
    if (!oneOf(o.design, {"normseq", "brownian", "fixed"})) {
        throw UsageError("--design takes normseq, brownian or fixed");
    }
    if (o.solve && !oneOf(*o.solve, {"m", "mu", "sd", "power", "alpha"})) {
        throw UsageError("--solve takes m, mu, sd, power or alpha");
    }
    if (o.groups && o.times) throw UsageError("give --groups or --times, not both");
    if (o.deltas && o.means) throw UsageError("give --delta or --means, not both");
    return o;
}

}  // namespace qalix
