#include "cli/options.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <map>
#include <memory>
#include <type_traits>
#include <utility>

#include "design/design_record.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

constexpr std::string_view kHelpOption = "--help";
constexpr std::string_view kHelpLine = "print this help";
// The option whose value says what the files after it hold.
constexpr std::string_view kKindOption = "--kind";
// What follows a command that is not an option: the plot's name, the files.
constexpr std::string_view kArguments = "ARGUMENTS";
// Width of the "--name VALUE" column of the help.
constexpr std::size_t kHelpColumn = 24;

bool isFlag(const OptionRule& rule) {
    return std::holds_alternative<OptionField<bool>>(rule.target);
}

// The kind a file of the import command holds, as the program's import layouts name it.
std::string importKind(const std::optional<std::string>& kind) {
    if (!kind) throw UsageError("say what a file holds with --kind before it");
    if (*kind == "simu") return "Simu";
    if (*kind == "observ") return "Observ";
    if (*kind == "varname") return "VarName";
    throw UsageError("--kind takes simu, observ or varname");
}

std::string quoted(const std::string& value) {
    return "\"" + value + "\"";
}

// A repeated option takes as many values as the table it fills (the simulation sets); so
// does a list.
UsageError tooManyValues(const OptionRule& rule) {
    if (rule.repeats > 0 && rule.repeats < kMaxOptionValues) {
        return UsageError(std::string(rule.name) + " is given more than " +
                          std::to_string(rule.repeats) + " times: the simulation table holds " +
                          std::to_string(rule.repeats) + " sets");
    }
    return UsageError(std::string(rule.name) + " takes at most " +
                      std::to_string(kMaxOptionValues) +
                      " values: run qalix in a loop to sweep more");
}

// The option of the command with that name; a message naming the command it belongs to when
// it is another's.
const OptionRule& optionNamed(const CommandRule& command, std::string_view name) {
    for (const OptionRule* o : command.options) {
        if (o->name == name) return *o;
    }
    for (const CommandRule& other : commands()) {
        for (const OptionRule* o : other.options) {
            if (o->name == name) {
                throw UsageError(std::string(name) + " belongs to the " + std::string(other.name) +
                                 " command");
            }
        }
    }
    throw UsageError("unknown option " + std::string(name));
}

// Alternatives separated by ';', each one number or a list of them.
void checkChoices(const OptionRule& rule, const std::string& value) {
    for (const std::string& choice : splitAt(value, kAlternativeSeparator)) {
        if (choice.empty()) {
            throw UsageError(std::string(rule.name) +
                             " has an empty alternative: " + quoted(value));
        }
        const bool list = rule.check == ValueCheck::ListChoices;
        for (const std::string& item : list ? splitAt(choice, ',') : std::vector{choice}) {
            if (!isOneNumber(item)) {
                throw UsageError(std::string(rule.name) + " takes " +
                                 (list ? "lists of numbers" : "numbers") +
                                 " separated by ';': " + quoted(choice) + " in " + quoted(value));
            }
        }
    }
}

// The value checked as the rule asks; a usage error naming the option otherwise.
void checkValue(const OptionRule& rule, const std::string& value) {
    if (rule.check == ValueCheck::NumberChoices || rule.check == ValueCheck::ListChoices)
        checkChoices(rule, value);
    if (rule.check == ValueCheck::Number && !isOneNumber(value))
        throw UsageError(std::string(rule.name) + " takes one number: " + quoted(value));
    if (rule.check == ValueCheck::Whole && !wholeNumber(value, 0, UINT64_MAX))
        throw UsageError(std::string(rule.name) + " takes a whole number: " + quoted(value));
}

std::vector<std::string> listValues(const OptionRule& rule, const std::string& value) {
    std::vector<std::string> items = splitAt(value, ',');
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
    std::visit(
        [&](auto field) {
            auto& member = field(o);
            using Member = std::remove_reference_t<decltype(member)>;
            if constexpr (std::is_same_v<Member, bool>) {
                member = true;
            } else if constexpr (std::is_same_v<Member, std::vector<std::string>>) {
                if (member.size() >= rule.repeats) throw tooManyValues(rule);
                checkValue(rule, *value);
                member.push_back(*value);
            } else if constexpr (std::is_same_v<Member, std::optional<std::vector<std::string>>>) {
                member = listValues(rule, *value);
            } else if constexpr (std::is_same_v<Member, std::optional<int>> ||
                                 std::is_same_v<Member, std::optional<std::uint64_t>>) {
                member = wholeValue<typename Member::value_type>(rule, *value);
            } else {
                checkValue(rule, *value);
                member = *value;
            }
        },
        rule.target);
}

// The design chosen, and what each option given is for in it.
void checkDesignUse(const CliOptions& o, const CommandRule& command,
                    const std::vector<const OptionRule*>& givenOptions) {
    const std::string& design = o.inputs.design;
    if (std::find(command.designs.begin(), command.designs.end(), design) ==
        command.designs.end()) {
        if (o.command == kDesignCommand && design == kFixedKey) {
            throw UsageError("the design command needs a sequential design: --design " +
                             std::string(kNormseqKey) + " or " + std::string(kBrownianKey) +
                             " (the " + std::string(kFixedKey) + " design has one look)");
        }
        throw UsageError("--design takes " + std::string(kNormseqKey) + ", " +
                         std::string(kBrownianKey) + " or " + std::string(kFixedKey));
    }
    // The design of a design file is known once it is read.
    const bool designOpened =
        (o.inputs.openDesign || !o.comparison.files.empty()) &&
        std::find(o.given.begin(), o.given.end(), "--design") == o.given.end();
    for (const OptionRule* rule : givenOptions) {
        if (!designOpened && !rule->unusedIn.empty() && rule->unusedIn == design) {
            throw UsageError(std::string(rule->name) + " has no use in the " + design +
                             " design: " + std::string(rule->why));
        }
    }
}

// What a parse has read so far: the options, which rules were given, and the kinds given
// before the files, in order.
struct Parse {
    CliOptions options;
    const CommandRule* command = nullptr;
    std::vector<const OptionRule*> given;
    std::vector<std::string> kinds;
    // Where CLI11 stores the arguments that are not options; placeArguments reads them from
    // the option's results instead, which keep a lone empty argument.
    std::vector<std::string> arguments;
};

// Each value is stored as it is read, so that a value given twice, or too often, is refused
// at once in the words of the option.
void read(Parse& p, const OptionRule& rule, const std::optional<std::string>& value) {
    const auto count = std::count(p.given.begin(), p.given.end(), &rule);
    if (rule.repeats == 0 && count > 0)
        throw UsageError(std::string(rule.name) + " is given twice");
    p.given.push_back(&rule);
    p.options.given.emplace_back(rule.name);
    store(p.options, rule, value);
    if (rule.name == kKindOption) p.kinds.push_back(*value);
}

void addRule(CLI::App& command, const OptionRule& rule, Parse& p) {
    const std::string name(rule.name);
    if (isFlag(rule)) {
        command
            .add_flag_function(
                name, [&p, &rule](std::int64_t) { read(p, rule, std::nullopt); },
                std::string(rule.help))
            ->disable_flag_override()
            ->trigger_on_parse()
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        return;
    }
    command
        .add_option_function<std::string>(
            name, [&p, &rule](const std::string& value) { read(p, rule, value); },
            std::string(rule.help))
        ->type_name(std::string(rule.placeholder))
        ->trigger_on_parse()
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

std::string helpFooter() {
    return "A value is one number (or a list of them, separated by commas) unless the option "
           "names something else. A list takes at most " +
           std::to_string(kMaxOptionValues) + " values and --set at most " +
           std::to_string(kMaxSimSets) +
           " sets: to sweep more, run qalix in a loop, for example\n"
           "  for d in 0.5 1.0 1.5; do qalix design --delta $d --json; done";
}

// "Usage: qalix design [OPTIONS]": the program's name before the command's.
class HelpFormatter : public CLI::Formatter {
  public:
    std::string make_usage(const CLI::App* app, std::string) const override {
        if (app->get_parent() == nullptr) return "Usage: qalix COMMAND [OPTIONS]\n";
        const bool takesArguments = app->get_option_no_throw(std::string(kArguments)) != nullptr;
        return "Usage: qalix " + app->get_name() + " [OPTIONS]" +
               (takesArguments ? " " + app->get_option(std::string(kArguments))->get_description()
                               : std::string()) +
               "\n";
    }
};

// The command line as CLI11 reads it: a subcommand per command, each option of the table
// read into p as it comes. Arguments that are not options are the results of kArguments.
std::unique_ptr<CLI::App> makeApp(Parse& p) {
    auto app = std::make_unique<CLI::App>(
        "Types each option into the panel control a user would, presses the buttons and prints "
        "what the dialogs show.",
        "qalix");
    app->set_help_flag(std::string(kHelpOption), std::string(kHelpLine));
    auto formatter = std::make_shared<HelpFormatter>();
    formatter->column_width(kHelpColumn);
    app->formatter(formatter);
    app->footer(helpFooter());
    // One command a run: another command's name after the first is an argument of the first,
    // not a second command whose arguments would be mixed with the first's.
    app->require_subcommand(0, 1);
    for (const CommandRule& entry : commands()) {
        CLI::App* command = app->add_subcommand(std::string(entry.name), std::string(entry.help));
        command->set_help_flag(std::string(kHelpOption), std::string(kHelpLine));
        command->allow_extras();
        command->formatter(formatter);
        command->footer(helpFooter());
        for (const OptionRule* rule : entry.options)
            addRule(*command, *rule, p);
        if (entry.takesFiles || entry.takesPlotName) {
            command
                ->add_option(std::string(kArguments), p.arguments,
                             entry.takesPlotName ? "PLOT [--kind K FILE...]" : "--kind K FILE...")
                ->expected(0, -1)
                ->group("");  // the usage line shows them
        }
    }
    return app;
}

// CLI11's words for an option without its value, or a flag given one, in the options' own.
UsageError mismatch(const CLI::ArgumentMismatch& e) {
    const std::string what = e.what();
    const std::string name = what.substr(0, what.find_first_of(": "));
    if (what.find("flag override") != std::string::npos)
        return UsageError("--" + name + " takes no value");
    return UsageError(name + " needs a value");
}

// The arguments that are not options, in the order given: the plot's name, then the files,
// each of the kind given last before it. They are read from the option's raw results, which
// keep every argument as given (its stored list drops a lone empty one).
void placeArguments(Parse& p, const CLI::App& command) {
    const CLI::Option* kindOption = command.get_option_no_throw(std::string(kKindOption));
    const CLI::Option* argumentOption = command.get_option_no_throw(std::string(kArguments));
    if (argumentOption == nullptr) return;
    const std::vector<std::string>& arguments = argumentOption->results();
    std::size_t kinds = 0;
    std::size_t next = 0;
    for (const CLI::Option* option : command.parse_order()) {
        if (option == kindOption && kindOption != nullptr) ++kinds;
        if (option != argumentOption || next >= arguments.size()) continue;
        const std::string& argument = arguments[next++];
        if (argument.empty()) throw UsageError("an empty argument (\"\") names no file or plot");
        if (p.command->takesPlotName && p.options.plot.name.empty()) {
            p.options.plot.name = argument;
        } else {
            const std::optional<std::string> kind =
                kinds == 0 ? std::nullopt : std::optional(p.kinds[kinds - 1]);
            p.options.samples.files.push_back({importKind(kind), argument});
        }
    }
}

// What CLI11 left over: an option of another command, an unknown one, or a stray argument.
void refuseExtras(const CLI::App& command) {
    const std::vector<std::string> extras = command.remaining();
    if (extras.empty()) return;
    const std::string& first = extras.front();
    if (first.rfind("--", 0) == 0)
        optionNamed(commandNamed(command.get_name()), first.substr(0, first.find('=')));
    throw UsageError("unexpected argument " + first);
}

// "a command is needed: fixed, design, ... or report".
std::string needsCommand() {
    const std::vector<CommandRule>& all = commands();
    std::string text = "a command is needed: ";
    for (std::size_t i = 0; i < all.size(); ++i)
        text += (i == 0 ? "" : i + 1 == all.size() ? " or " : ", ") + std::string(all[i].name);
    return text;
}

}  // namespace

const CommandRule& commandNamed(std::string_view name) {
    for (const CommandRule& c : commands()) {
        if (c.name == name) return c;
    }
    throw UsageError(needsCommand());
}

std::string usageLine() {
    std::string names;
    for (const CommandRule& c : commands())
        names += (names.empty() ? "" : "|") + std::string(c.name);
    return "usage: qalix " + names +
           " [PLOT] [--option value | --option=value]... [FILE]...  (qalix --help lists every "
           "option)";
}

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
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

CliOptions parseOptions(const std::vector<std::string>& args) {
    Parse p;
    if (args.empty() || (args.front() != kHelpOption && args.front().rfind("--", 0) == 0))
        throw UsageError(needsCommand());
    if (args.front() != kHelpOption) {
        p.command = &commandNamed(args.front());
        p.options.command = args.front();
    }
    const auto app = makeApp(p);
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 reads from the back
    try {
        app->parse(reversed);
    } catch (const CLI::CallForHelp&) {
        CliOptions help;
        help.help = true;
        help.command = p.options.command;
        return help;
    } catch (const CLI::ArgumentMismatch& e) {
        throw mismatch(e);
    } catch (const CLI::ParseError& e) {
        throw UsageError(e.what());
    }
    const CLI::App& command = *app->get_subcommand(std::string(p.command->name));
    refuseExtras(command);
    placeArguments(p, command);
    checkDesignUse(p.options, *p.command, p.given);
    p.command->check(p.options);
    return p.options;
}

std::string helpText(std::string_view command) {
    Parse p;
    const auto app = makeApp(p);
    if (command.empty()) return app->help();
    return app->get_subcommand(std::string(command))->help();
}

}  // namespace qalix
