#include "cli/options.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <type_traits>
#include <utility>

#include "design/design_record.hpp"
#include "io/files.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

constexpr std::string_view kOptionPrefix = "--";
constexpr std::string_view kHelpOption = "--help";
// Width of the "--name VALUE" column of the help.
constexpr int kHelpColumn = 24;

// Options of the fixed-sample design: every command types them into section 2 of the panel.
const OptionRule kDesignKind{.name = "--design",
                             .placeholder = "D",
                             .help =
                                 "normseq (default; looks by group sizes), brownian (looks "
                                 "on information time) or fixed",
                             .target = &CliOptions::design};
const OptionRule kAlpha{.name = "--alpha",
                        .placeholder = "T",
                        .help = "one-sided significance level, between 0 and 1",
                        .target = &CliOptions::alpha,
                        .check = ValueCheck::Number};
const OptionRule kPower{.name = "--power",
                        .placeholder = "T",
                        .help = "power at the alternative, between alpha and 1",
                        .target = &CliOptions::power,
                        .check = ValueCheck::Number};
const OptionRule kSd{.name = "--sd",
                     .placeholder = "T",
                     .help = "standard deviation sigma of one observation, above 0",
                     .target = &CliOptions::sd,
                     .check = ValueCheck::Number,
                     .unusedIn = kBrownianName,
                     .why = "on information time there is no standard deviation to enter"};
const OptionRule kMu{.name = "--mu",
                     .placeholder = "T",
                     .help = "alternative mean mu_a, above 0",
                     .target = &CliOptions::mu,
                     .check = ValueCheck::Number,
                     .unusedIn = kBrownianName,
                     .why =
                         "on information time the alternative is delta_a = z_(1-alpha) + "
                         "z_(power), set by --alpha and --power"};
const OptionRule kSize{.name = "--m",
                       .placeholder = "T",
                       .help = "sample size m, above 0",
                       .target = &CliOptions::m,
                       .check = ValueCheck::Number,
                       .unusedIn = kBrownianName,
                       .why = "on information time m is the number of grid steps, 300"};
const OptionRule kSolve{.name = "--solve",
                        .placeholder = "P",
                        .help =
                            "compute P from the other four: m, mu, sd, power or alpha (power "
                            "or alpha on information time)",
                        .target = &CliOptions::solve};
const OptionRule kJson{.name = "--json",
                       .placeholder = "",
                       .help =
                           "print JSON: every shown field as {\"text\", \"value\"}, values "
                           "in full",
                       .target = &CliOptions::json};
const OptionRule kHelp{
    .name = "--help", .placeholder = "", .help = "print this help", .target = &CliOptions::help};

// Options of the sequential design and its operating characteristics.
const OptionRule kLooks{.name = "--looks",
                        .placeholder = "K",
                        .help = "number of looks, 2 to 16 (default 4)",
                        .target = &CliOptions::looks,
                        .check = ValueCheck::Number};
const OptionRule kGroups{.name = "--groups",
                         .placeholder = "n1,...",
                         .help =
                             "group sizes of the looks before the last; the last takes the "
                             "rest of m",
                         .target = &CliOptions::groups,
                         .check = ValueCheck::Number,
                         .unusedIn = kBrownianName,
                         .why = "looks on information time are placed with --times"};
const OptionRule kTimes{.name = "--times",
                        .placeholder = "t1,...",
                        .help = "information times of the looks before the last, the last is 1",
                        .target = &CliOptions::times,
                        .check = ValueCheck::Number,
                        .unusedIn = kNormseqName,
                        .why = "normseq looks are placed by group sizes: give --groups"};
const OptionRule kRho{.name = "--rho",
                      .placeholder = "T",
                      .help =
                          "maximum discordance probability rho_max to search a for "
                          "(default 0.02)",
                      .target = &CliOptions::rho,
                      .check = ValueCheck::Number};
const OptionRule kCoefficient{.name = "--a",
                              .placeholder = "T",
                              .help = "boundary coefficient a, used as typed instead of a search",
                              .target = &CliOptions::a,
                              .check = ValueCheck::Number};
const OptionRule kDeltas{.name = "--delta",
                         .placeholder = "T1,...",
                         .help =
                             "true means on the Brownian scale for the operating "
                             "characteristics",
                         .target = &CliOptions::deltas,
                         .check = ValueCheck::Number};
const OptionRule kMeans{.name = "--means",
                        .placeholder = "T1,...",
                        .help = "true means on the data scale for the operating characteristics",
                        .target = &CliOptions::means,
                        .check = ValueCheck::Number,
                        .unusedIn = kBrownianName,
                        .why = "on information time there is no data-scale mean: give --delta"};
const OptionRule kLookDetails{.name = "--look-details",
                              .placeholder = "",
                              .help = "critical boundary values of every look",
                              .target = &CliOptions::lookDetails};
const OptionRule kCurves{.name = "--curves",
                         .placeholder = "",
                         .help =
                             "power function and expected information time, each point with "
                             "its mean theta",
                         .target = &CliOptions::curves};

// Options of the sample paths.
const OptionRule kSet{.name = "--set",
                      .placeholder = "mu=T,n=N",
                      .help =
                          "a simulation set, repeatable up to 100 times: mu or delta (delta "
                          "alone on information time) and its size n (default: the largest "
                          "useful size)",
                      .target = &CliOptions::sets};
const OptionRule kSeed{.name = "--seed",
                       .placeholder = "N",
                       .help =
                           "seed of the simulations, a whole number, for paths that can be "
                           "drawn again (default: the clock)",
                       .target = &CliOptions::seed,
                       .check = ValueCheck::Whole};
const OptionRule kOut{.name = "--out",
                      .placeholder = "FILE",
                      .help =
                          "simulate: write the \"Simu\" lines to FILE as Save Simulation "
                          "does (default: standard output); plot: the picture FILE.svg, "
                          ".pdf or .png, or the metafile FILE.emf",
                      .target = &CliOptions::out};
const OptionRule kKind{.name = "--kind",
                       .placeholder = "K",
                       .help = "what the files after it hold: simu, observ or varname",
                       .target = &CliOptions::kind};

const OptionRule kSelect{.name = "--select",
                         .placeholder = "K1,...",
                         .help =
                             "imported records to select in the selection dialog, with the "
                             "SD it estimates",
                         .target = &CliOptions::select,
                         .check = ValueCheck::Whole};
const OptionRule kPaths{.name = "--paths",
                        .placeholder = "P",
                        .help =
                            "sample paths on the boundary plot: new or saved (of the --set "
                            "given), all or selected (of the files imported)",
                        .target = &CliOptions::paths};
const OptionRule kWidth{.name = "--width",
                        .placeholder = "W",
                        .help =
                            "width of the graphic window the plot is laid out in, pixels, "
                            "100 or more (default 1500)",
                        .target = &CliOptions::width,
                        .check = ValueCheck::Whole};
const OptionRule kHeight{.name = "--height",
                         .placeholder = "H",
                         .help =
                             "height of the graphic window, pixels, 100 or more (default "
                             "800)",
                         .target = &CliOptions::height,
                         .check = ValueCheck::Whole};

bool given(const std::optional<std::string>& option) {
    return option.has_value();
}

// --solve names one of the five parameters the design lets the user compute, and not one the
// command line also types.
void checkSolve(const CliOptions& o) {
    if (!o.solve) return;
    struct Solvable {
        std::string_view item;
        const std::optional<std::string> CliOptions::*typed;
        const OptionRule& option;
        bool onInformationTime;
    };
    const Solvable solvable[] = {{"m", &CliOptions::m, kSize, false},
                                 {"mu", &CliOptions::mu, kMu, false},
                                 {"sd", &CliOptions::sd, kSd, false},
                                 {"power", &CliOptions::power, kPower, true},
                                 {"alpha", &CliOptions::alpha, kAlpha, true}};
    for (const Solvable& s : solvable) {
        if (*o.solve != s.item) continue;
        if (o.design == kBrownianName && !s.onInformationTime) {
            throw UsageError("--solve " + std::string(s.item) +
                             " has no use in the brownian design: only power or alpha are "
                             "computed there");
        }
        if (given(o.*s.typed)) {
            throw UsageError("--solve " + std::string(s.item) + " computes what " +
                             std::string(s.option.name) + " gives: give one of them");
        }
        return;
    }
    throw UsageError("--solve takes m, mu, sd, power or alpha");
}

void checkFixed(const CliOptions& o) {
    checkSolve(o);
}

void checkSimulate(const CliOptions& o) {
    checkSolve(o);
    if (o.rho && o.a) throw UsageError("give --rho or --a, not both: a is searched from rho_max");
    if (o.groups && o.times) throw UsageError("give --groups or --times, not both");
    if (o.sets.empty()) throw UsageError("give at least one --set to simulate");
}

bool isPlotFile(const std::string& path) {
    const std::string extension = io::lowercaseExtension(path);
    return extension == ".svg" || extension == ".pdf" || extension == ".png" || extension == ".emf";
}

// The plot, its picture file and the paths drawn on it.
void checkPlot(const CliOptions& o) {
    checkSolve(o);
    if (o.rho && o.a) throw UsageError("give --rho or --a, not both: a is searched from rho_max");
    if (o.groups && o.times) throw UsageError("give --groups or --times, not both");
    if (o.plot != "boundary" && o.plot != "power" && o.plot != "expected")
        throw UsageError("name the plot: qalix plot boundary|power|expected --out FILE");
    if (!o.out || !isPlotFile(*o.out))
        throw UsageError("--out names the picture to write: FILE.svg, .pdf, .png or .emf");
    if (!o.paths) return;
    if (o.plot != "boundary") throw UsageError("--paths belongs to the boundary plot");
    const std::string& p = *o.paths;
    if (p != "new" && p != "saved" && p != "all" && p != "selected")
        throw UsageError("--paths takes new, saved, all or selected");
    const bool simulated = p == "new" || p == "saved";
    if (simulated && o.sets.empty()) throw UsageError("--paths " + p + " draws the --set given");
    if (!simulated && o.files.empty())
        throw UsageError("--paths " + p + " draws the files imported: give them after --kind");
    if (p == "selected" && !o.select) throw UsageError("--paths selected draws the --select given");
}

void checkImport(const CliOptions& o) {
    checkSolve(o);
    if (o.rho && o.a) throw UsageError("give --rho or --a, not both: a is searched from rho_max");
    if (o.groups && o.times) throw UsageError("give --groups or --times, not both");
    if (o.files.empty()) throw UsageError("give the files to import, each after its --kind");
}

void checkDesign(const CliOptions& o) {
    checkSolve(o);
    if (o.rho && o.a) throw UsageError("give --rho or --a, not both: a is searched from rho_max");
    if (o.groups && o.times) throw UsageError("give --groups or --times, not both");
    if (o.deltas && o.means) throw UsageError("give --delta or --means, not both");
}

const std::vector<const OptionRule*>& fixedOptions() {
    static const std::vector<const OptionRule*> options = {
        &kDesignKind, &kAlpha, &kPower, &kSd, &kMu, &kSize, &kSolve, &kJson, &kHelp};
    return options;
}

std::vector<const OptionRule*> designOptions() {
    std::vector<const OptionRule*> options = fixedOptions();
    for (const OptionRule* o : {&kLooks, &kGroups, &kTimes, &kRho, &kCoefficient, &kDeltas, &kMeans,
                                &kLookDetails, &kCurves}) {
        options.push_back(o);
    }
    return options;
}

// The options that place a sequential design, without those of its operating
// characteristics.
std::vector<const OptionRule*> sequentialOptions() {
    std::vector<const OptionRule*> options = fixedOptions();
    for (const OptionRule* o : {&kLooks, &kGroups, &kTimes, &kRho, &kCoefficient})
        options.push_back(o);
    return options;
}

std::vector<const OptionRule*> simulateOptions() {
    std::vector<const OptionRule*> options = sequentialOptions();
    for (const OptionRule* o : {&kSet, &kSeed, &kOut})
        options.push_back(o);
    return options;
}

std::vector<const OptionRule*> importOptions() {
    std::vector<const OptionRule*> options = sequentialOptions();
    options.push_back(&kKind);
    options.push_back(&kSelect);
    return options;
}

std::vector<const OptionRule*> plotOptions() {
    std::vector<const OptionRule*> options = sequentialOptions();
    for (const OptionRule* o : {&kOut, &kWidth, &kHeight, &kPaths, &kSet, &kSeed, &kKind, &kSelect})
        options.push_back(o);
    return options;
}

// The kind a file of the import command holds, as the program's import layouts name it.
std::string importKind(const std::optional<std::string>& kind) {
    if (!kind) throw UsageError("say what a file holds with --kind before it");
    if (*kind == "simu") return "Simu";
    if (*kind == "observ") return "Observ";
    if (*kind == "varname") return "VarName";
    throw UsageError("--kind takes simu, observ or varname");
}

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

std::string quoted(const std::string& value) {
    return "\"" + value + "\"";
}

// A repeatable option takes as many values as the table it fills: the simulation sets.
std::size_t repeatLimit(const OptionRule& rule) {
    return &rule == &kSet ? static_cast<std::size_t>(kMaxSimSets) : kMaxOptionValues;
}

UsageError tooManyValues(const OptionRule& rule) {
    const std::size_t limit = repeatLimit(rule);
    if (&rule == &kSet) {
        return UsageError("--set is given more than " + std::to_string(limit) +
                          " times: the simulation table holds " + std::to_string(limit) + " sets");
    }
    return UsageError(std::string(rule.name) + " takes at most " + std::to_string(limit) +
                      " values: run qalix in a loop to sweep more");
}

const CommandSpec& commandNamed(std::string_view name) {
    for (const CommandSpec& c : commands()) {
        if (c.name == name) return c;
    }
    throw UsageError("a command is needed: fixed, design, simulate, import or plot");
}

// The option of the command with that name; a message naming the command it belongs to when
// it is another's.
const OptionRule& optionNamed(const CommandSpec& command, std::string_view name) {
    for (const OptionRule* o : command.options) {
        if (o->name == name) return *o;
    }
    for (const CommandSpec& other : commands()) {
        for (const OptionRule* o : other.options) {
            if (o->name == name) {
                throw UsageError(std::string(name) + " belongs to the " + std::string(other.name) +
                                 " command");
            }
        }
    }
    throw UsageError("unknown option " + std::string(name));
}

// The value checked as the rule asks; a usage error naming the option otherwise.
void checkValue(const OptionRule& rule, const std::string& value) {
    if (rule.check == ValueCheck::Number && !isOneNumber(value))
        throw UsageError(std::string(rule.name) + " takes one number: " + quoted(value));
    if (rule.check == ValueCheck::Whole && !wholeNumber(value, 0, UINT64_MAX))
        throw UsageError(std::string(rule.name) + " takes a whole number: " + quoted(value));
}

std::vector<std::string> listValues(const OptionRule& rule, const std::string& value) {
    std::vector<std::string> items = splitList(value);
    if (items.size() > kMaxOptionValues) throw tooManyValues(rule);
    for (const std::string& item : items)
        checkValue(rule, item);
    return items;
}

// A whole number of the rule's own range: pixels of the window, or a seed of any size.
template <typename Number>
Number wholeValue(const OptionRule& rule, const std::string& value) {
    checkValue(rule, value);
    if constexpr (std::is_same_v<Number, int>) {
        const auto n = wholeNumber(value, kMinWindowPixels, kMaxWindowPixels);
        if (!n) {
            throw UsageError(std::string(rule.name) + " takes a whole number of pixels from " +
                             std::to_string(kMinWindowPixels) + " to " +
                             std::to_string(kMaxWindowPixels) + ": " + quoted(value));
        }
        return static_cast<int>(*n);
    } else {
        return *wholeNumber(value, 0, UINT64_MAX);
    }
}

void store(CliOptions& o, const OptionRule& rule, const std::optional<std::string>& value) {
    const bool flag = std::holds_alternative<bool CliOptions::*>(rule.target);
    if (flag && value) throw UsageError(std::string(rule.name) + " takes no value");
    if (!flag && !value) throw UsageError(std::string(rule.name) + " needs a value");
    std::visit(
        [&](auto member) {
            using Member = decltype(member);
            if constexpr (std::is_same_v<Member, bool CliOptions::*>) {
                o.*member = true;
            } else if constexpr (std::is_same_v<Member, std::vector<std::string> CliOptions::*>) {
                if ((o.*member).size() >= repeatLimit(rule)) throw tooManyValues(rule);
                checkValue(rule, *value);
                (o.*member).push_back(*value);
            } else if constexpr (std::is_same_v<Member, std::optional<std::vector<std::string>>
                                                            CliOptions::*>) {
                o.*member = listValues(rule, *value);
            } else if constexpr (std::is_same_v<Member, std::optional<int> CliOptions::*> ||
                                 std::is_same_v<Member,
                                                std::optional<std::uint64_t> CliOptions::*>) {
                o.*member =
                    wholeValue<typename std::remove_reference_t<decltype(o.*member)>::value_type>(
                        rule, *value);
            } else {
                checkValue(rule, *value);
                o.*member = *value;
            }
        },
        rule.target);
}

// The design chosen, and what each option given is for in it.
void checkDesignUse(const CliOptions& o, const CommandSpec& command,
                    const std::vector<const OptionRule*>& givenOptions) {
    if (std::find(command.designs.begin(), command.designs.end(), o.design) ==
        command.designs.end()) {
        if (o.command == kDesignCommand && o.design == kFixedName) {
            throw UsageError(
                "the design command needs a sequential design: --design normseq "
                "or brownian (the fixed design has one look)");
        }
        throw UsageError("--design takes normseq, brownian or fixed");
    }
    for (const OptionRule* rule : givenOptions) {
        if (!rule->unusedIn.empty() && rule->unusedIn == o.design) {
            throw UsageError(std::string(rule->name) + " has no use in the " + o.design +
                             " design: " + std::string(rule->why));
        }
    }
}

}  // namespace

bool isOneNumber(std::string_view text) {
    const std::string number = trimmed(text);
    double value = 0.0;
    return !number.empty() && number.find_first_of(" \t,/") == std::string::npos &&
           readFree(number, value) == ReadStatus::Ok;
}

std::optional<std::uint64_t> wholeNumber(std::string_view text, std::uint64_t low,
                                         std::uint64_t high) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front())) ||
        error != std::errc() || stop != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

const std::vector<CommandSpec>& commands() {
    static const std::vector<CommandSpec> table = {
        {kFixedCommand,
         "the fixed-sample test: any four of alpha, power, mu, sd and m give the fifth",
         fixedOptions(),
         {kNormseqName, kBrownianName, kFixedName},
         checkFixed},
        {kDesignCommand,
         "a sequential design with its operating characteristics; without --m or --solve a "
         "normseq design first solves m",
         designOptions(),
         {kNormseqName, kBrownianName},
         checkDesign},
        {kSimulateCommand,
         "sample paths simulated for the sets given, on a sequential design, written as "
         "\"Simu\" lines",
         simulateOptions(),
         {kNormseqName, kBrownianName},
         checkSimulate},
        {kImportCommand,
         "sample files imported in order, then the imported records as the selection dialog "
         "shows them",
         importOptions(),
         {kNormseqName, kBrownianName},
         checkImport,
         true},
        {kPlotCommand,
         "plot boundary, power or expected: the plot of the design written to --out as a "
         "picture or metafile, with sample paths on the boundary plot",
         plotOptions(),
         {kNormseqName, kBrownianName},
         checkPlot,
         true,
         true},
    };
    return table;
}

CliOptions parseOptions(const std::vector<std::string>& args) {
    CliOptions o;
    if (std::find(args.begin(), args.end(), kHelpOption) != args.end()) {
        o.help = true;
        return o;
    }
    if (args.empty())
        throw UsageError("a command is needed: fixed, design, simulate, import or plot");
    const CommandSpec& command = commandNamed(args[0]);
    o.command = args[0];
    std::vector<const OptionRule*> givenOptions;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind(kOptionPrefix, 0) != 0) {
            if (command.takesPlotName && o.plot.empty()) {
                o.plot = arg;
            } else if (command.takesFiles) {
                o.files.push_back({importKind(o.kind), arg});
            } else {
                throw UsageError("unexpected argument " + arg);
            }
            continue;
        }
        const std::size_t equals = arg.find('=');
        const OptionRule& rule = optionNamed(command, std::string_view(arg).substr(0, equals));
        const bool repeatable =
            std::holds_alternative<std::vector<std::string> CliOptions::*>(rule.target) ||
            &rule == &kKind;
        if (!repeatable &&
            std::find(givenOptions.begin(), givenOptions.end(), &rule) != givenOptions.end()) {
            throw UsageError(std::string(rule.name) + " is given twice");
        }
        givenOptions.push_back(&rule);
        std::optional<std::string> value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (!rule.placeholder.empty() && i + 1 < args.size() &&
                   args[i + 1].rfind(kOptionPrefix, 0) != 0) {
            value = args[++i];
        }
        store(o, rule, value);
    }
    checkDesignUse(o, command, givenOptions);
    command.check(o);
    return o;
}

std::string helpText() {
    std::ostringstream out;
    out << "usage: qalix COMMAND [--option value | --option=value]...\n"
        << "Types each option into the panel control a user would, presses the buttons and "
           "prints what the dialogs show.\n\nCommands:\n";
    for (const CommandSpec& c : commands()) {
        out << "  " << c.name << std::string(kHelpColumn - 2 - c.name.size(), ' ') << c.help
            << '\n';
    }
    // Options grouped by the commands that take them, in the order they first appear.
    std::vector<std::pair<std::string, std::vector<const OptionRule*>>> groups;
    for (const CommandSpec& c : commands()) {
        for (const OptionRule* o : c.options) {
            std::string takers;
            for (const CommandSpec& other : commands()) {
                const auto& list = other.options;
                if (std::find(list.begin(), list.end(), o) == list.end()) continue;
                takers += (takers.empty() ? "" : " and ") + std::string(other.name);
            }
            auto group = std::find_if(groups.begin(), groups.end(),
                                      [&](const auto& g) { return g.first == takers; });
            if (group == groups.end()) group = groups.insert(groups.end(), {takers, {}});
            if (std::find(group->second.begin(), group->second.end(), o) == group->second.end())
                group->second.push_back(o);
        }
    }
    for (const auto& [takers, options] : groups) {
        out << "\nOptions of " << takers << ":\n";
        for (const OptionRule* o : options) {
            std::string head = "  " + std::string(o->name);
            if (!o->placeholder.empty()) head += " " + std::string(o->placeholder);
            head.resize(std::max<std::size_t>(head.size() + 1, kHelpColumn), ' ');
            out << head << o->help << '\n';
        }
    }
    out << "\nA value is one number (or a list of them, separated by commas) unless the option "
           "names something else. A list takes at most "
        << kMaxOptionValues << " values and --set at most " << kMaxSimSets
        << " sets: to sweep more, run qalix in a loop, for example\n"
           "  for d in 0.5 1.0 1.5; do qalix design --delta $d --json; done\n";
    return out.str();
}

}  // namespace qalix
