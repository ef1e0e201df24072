// Options of the command line, each the text a user would type into a control. Every command
// and option is a row of a table (option_table.cpp): the parser, the usage errors and the
// help all read it, so a command with options of its own is a new CommandRule and its
// OptionRules.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "design/design_record.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The commands. --design takes the designs by the program's own keys (design_record.hpp).
inline constexpr std::string_view kFixedCommand = "fixed";
inline constexpr std::string_view kDesignCommand = "design";
inline constexpr std::string_view kSimulateCommand = "simulate";
inline constexpr std::string_view kImportCommand = "import";
inline constexpr std::string_view kPlotCommand = "plot";
inline constexpr std::string_view kReportCommand = "report";
inline constexpr std::string_view kCompareCommand = "compare";
inline constexpr std::string_view kAnalyseCommand = "analyse";

// A sample file and what it holds, in the order the files were given.
struct ImportFile {
    std::string kind;  // "Simu", "Observ" or "VarName"
    std::string path;
};

// The design's inputs as typed: the fixed-sample parameters, the looks and the boundary
// coefficient, the true means of the operating characteristics, and the design file they may
// come from.
struct DesignOptions {
    std::string design{kNormseqKey};
    std::optional<std::string> alpha, power, sd, mu, m, solve;
    std::optional<std::string> allocation;  // two groups in this ratio; one sample when none
    std::optional<std::string> looks, rho, a;
    std::optional<std::vector<std::string>> groups, times;
    std::optional<std::vector<std::string>> deltas, means;
    std::optional<std::string> level;  // nominal, exact or exact-nonbinding
    bool holdPower = false;
    std::optional<std::string> openDesign;  // the options given change its inputs
};

// What a command prints, and the files and documents it writes.
struct OutputOptions {
    bool json = false;
    bool lookDetails = false;
    bool curves = false;
    bool printCommand = false;
    std::optional<std::string> saveDesign, csv, curvesCsv;
    std::optional<std::string> out;  // the simulation, the plot, the report or the comparison
    std::optional<std::string> title, notes, paper;
};

// Sample paths: the sets simulated, and the files imported with the records selected.
struct SampleOptions {
    std::vector<std::string> sets;  // "mu=..,delta=..,n=.." each
    std::optional<std::uint64_t> seed;
    std::optional<std::string> kind;  // the kind of the files that follow
    std::vector<ImportFile> files;
    std::optional<std::vector<std::string>> select;  // imported records to select
};

struct PlotOptions {
    std::string name;  // boundary, power or expected
    std::optional<std::string> paths;
    std::optional<int> width, height;
};

struct ReportOptions {
    std::vector<std::string> means;  // --mean, repeated
    bool appendix = false;
};

// The alternatives given for the looks, their placing and the boundary coefficient, each as
// typed ("2;4;8"), the design files opened, and the threads to compute on.
struct ComparisonOptions {
    std::optional<std::string> looks, groups, times, rho, a, level, allocation;
    std::vector<std::string> files;
    std::optional<std::uint64_t> jobs;
};

// The looks a trial took: each as typed ("n=6,sum=7.4"), or a record of an Observ file at the
// design's cumulative sizes (or those of --at); the confidence of the interval at the end.
struct AnalysisOptions {
    std::vector<std::string> observed;
    std::optional<std::string> observFile;
    std::optional<std::uint64_t> record;
    std::optional<std::vector<std::string>> at;
    std::optional<std::string> recordSd;  // design (default) or estimated
    std::optional<std::string> confidence;
};

// The options by concern: each command reads the groups it takes.
struct CliOptions {
    std::string command;
    bool help = false;
    // Every option given, by name, in order.
    std::vector<std::string> given;
    DesignOptions inputs;
    OutputOptions output;
    SampleOptions samples;
    PlotOptions plot;
    ReportOptions report;
    ComparisonOptions comparison;
    AnalysisOptions analysis;
};

// Most values one option takes (a list, or a repeated option): the scale of the desktop's
// lists. More is a sweep, for a loop over qalix.
inline constexpr std::size_t kMaxOptionValues = 1000;
// Most candidates one comparison computes, and most threads it computes them on.
inline constexpr std::size_t kMaxCandidates = kMaxOptionValues;
inline constexpr std::uint64_t kMaxJobs = 256;
// The separator of alternatives, as in --looks "2;4;8".
inline constexpr char kAlternativeSeparator = ';';
// Pixels of the graphic window a plot is laid out in.
inline constexpr int kMinWindowPixels = 100;
inline constexpr int kMaxWindowPixels = 99999;

// A whole decimal number from low to high, digits only: nothing for "-1", "1.5", "0x10", "",
// or a number beyond high.
std::optional<std::uint64_t> wholeNumber(std::string_view text, std::uint64_t low,
                                         std::uint64_t high);

// Where an option's value goes: a text, a text with a default, a comma-separated list, a flag
// (which takes no value), or a list that each use of a repeatable option adds to; each the
// accessor of a member of one group of the options.
template <typename Value>
using OptionField = Value& (*)(CliOptions&);
using OptionTarget =
    std::variant<OptionField<std::optional<std::string>>, OptionField<std::string>,
                 OptionField<std::optional<std::vector<std::string>>>, OptionField<bool>,
                 OptionField<std::vector<std::string>>, OptionField<std::optional<std::uint64_t>>,
                 OptionField<std::optional<int>>>;

// The accessor of the member of a group: &optionField<&CliOptions::inputs, &DesignOptions::alpha>.
template <auto Group, auto Member>
auto& optionField(CliOptions& o) {
    return (o.*Group).*Member;
}

// What a value must be, checked as it is read: for a list, each of its items.
enum class ValueCheck {
    Text,    // a name or a file: --design, --solve, --out, --kind, --paths, --set
    Number,  // one number as a control reads it
    Whole,   // a whole decimal number (records, seeds, pixels)
    // Alternatives separated by ';', none empty: each one number, or each a list of numbers.
    NumberChoices,
    ListChoices,
};

struct OptionRule {
    std::string_view name;         // "--alpha"
    std::string_view placeholder;  // how the help shows its value; empty for a flag
    std::string_view help;         // one line
    OptionTarget target;
    ValueCheck check = ValueCheck::Text;
    // How often the option may be given: once, when 0.
    std::size_t repeats = 0;
    // A design that has no use for the option, and why (both empty when every design has).
    std::string_view unusedIn = {};
    std::string_view why = {};
};

// The options of a command, in the order its help lists them.
using OptionRules = std::vector<const OptionRule*>;

struct CommandContext;

struct CommandRule {
    std::string_view name;
    std::string_view help;  // one line
    OptionRules options;
    std::vector<std::string_view> designs;  // the designs it works on
    // Conflicts among the options given; throws UsageError.
    void (*check)(const CliOptions&);
    // Runs the command (commands.hpp); the exit status.
    int (*run)(const CliOptions&, const CommandContext&);
    // Arguments that are not options are files, of the --kind given before them.
    bool takesFiles = false;
    // The first argument that is not an option names the plot.
    bool takesPlotName = false;
};

// Every command, in the order the help lists them.
const std::vector<CommandRule>& commands();
// The command of that name; UsageError, naming the commands, for any other.
const CommandRule& commandNamed(std::string_view name);

// The parts of a text between separators: "a,,b" is "a", "", "b".
std::vector<std::string> splitAt(const std::string& text, char separator);

// Throws UsageError naming what is wrong. "--name value" and "--name=value" are the same;
// "--help" asks for the help of the command it follows, or of every command, and nothing else.
CliOptions parseOptions(const std::vector<std::string>& args);

// The help of one command (its options, one line each), or of every command and option.
std::string helpText(std::string_view command = {});

// The line a usage error ends with, naming every command.
std::string usageLine();

}  // namespace qalix
