// Options of the command line, each the text a user would type into a control. Every command
// and option is a row of a table: the parser, the usage errors and the help all read it, so a
// command with options of its own is a new CommandSpec and its OptionSpecs.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qalix {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The designs by the names --design takes (the program's own keys), and the commands.
inline constexpr std::string_view kNormseqName = "normseq";
inline constexpr std::string_view kBrownianName = "brownian";
inline constexpr std::string_view kFixedName = "fixed";
inline constexpr std::string_view kFixedCommand = "fixed";
inline constexpr std::string_view kDesignCommand = "design";
inline constexpr std::string_view kSimulateCommand = "simulate";
inline constexpr std::string_view kImportCommand = "import";
inline constexpr std::string_view kPlotCommand = "plot";

// A sample file and what it holds, in the order the files were given.
struct ImportFile {
    std::string kind;  // "Simu", "Observ" or "VarName"
    std::string path;
};

struct CliOptions {
    std::string command;
    std::string design{kNormseqName};
    std::optional<std::string> alpha, power, sd, mu, m, solve;
    bool json = false;
    bool help = false;
    // design
    std::optional<std::string> looks, rho, a;
    std::optional<std::vector<std::string>> groups, times;
    bool curves = false;
    // operating characteristics
    std::optional<std::vector<std::string>> deltas, means;
    bool lookDetails = false;
    // samples
    std::vector<std::string> sets;  // "mu=..,delta=..,n=.." each
    std::optional<std::string> seed, out;
    std::optional<std::string> kind;  // the kind of the files that follow
    std::vector<ImportFile> files;
    std::optional<std::vector<std::string>> select;  // imported records to select
    // plot
    std::string plot;  // boundary, power or expected
    std::optional<std::string> paths, width, height;
};

// Where an option's value goes: a text, a text with a default, a comma-separated list, a flag
// (which takes no value), or a list that each use of a repeatable option adds to.
using OptionTarget =
    std::variant<std::optional<std::string> CliOptions::*, std::string CliOptions::*,
                 std::optional<std::vector<std::string>> CliOptions::*, bool CliOptions::*,
                 std::vector<std::string> CliOptions::*>;

struct OptionRule {
    std::string_view name;         // "--alpha"
    std::string_view placeholder;  // how the help shows its value; empty for a flag
    std::string_view help;         // one line
    OptionTarget target;
    // A design that has no use for the option, and why (both empty when every design has).
    std::string_view unusedIn = {};
    std::string_view why = {};
};

struct CommandSpec {
    std::string_view name;
    std::string_view help;  // one line
    std::vector<const OptionRule*> options;
    std::vector<std::string_view> designs;  // the designs it works on
    // Conflicts among the options given; throws UsageError.
    void (*check)(const CliOptions&);
    // Arguments that are not options are files, of the --kind given before them.
    bool takesFiles = false;
    // The first argument that is not an option names the plot.
    bool takesPlotName = false;
};

// Every command, in the order the help lists them.
const std::vector<CommandSpec>& commands();

// Throws UsageError naming what is wrong. "--name value" and "--name=value" are the same;
// "--help" anywhere asks for the help and nothing else.
CliOptions parseOptions(const std::vector<std::string>& args);

// Every command and every option, one line each.
std::string helpText();

inline constexpr std::string_view kUsage =
    "usage: qalix fixed|design|simulate|import|plot [PLOT] [--option value | --option=value]... "
    "[FILE]...  (qalix --help lists every option)";

}  // namespace qalix
