// The command line's options in the user's terms: both spellings of a value, the help, and
// usage errors that name the option and why, with status 2.
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/options.hpp"
#include "cli_run.hpp"

namespace qalix::testing {
namespace {

TEST(CommandLineOptions, ValueJoinedByEqualsIsTheSameAsTheNextArgument) {
    const CliRun spaced = run({"design", "--looks", "3", "--rho", "0.01", "--delta", "1.0,2.0"});
    const CliRun joined = run({"design", "--looks=3", "--rho=0.01", "--delta=1.0,2.0"});
    ASSERT_EQ(spaced.status, 0) << spaced.err;
    EXPECT_EQ(joined.status, 0) << joined.err;
    EXPECT_EQ(joined.out, spaced.out);
}

// "qalix --help" lists every command, "qalix COMMAND --help" (with or without other options
// before it) every option of the command, each on a line of its own with its help.
TEST(CommandLineOptions, HelpListsEveryCommandAndItsOptionsOnALineOfTheirOwn) {
    const auto linesStarting = [](const std::string& text, const std::string& head) {
        int count = 0;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            count += line.rfind(head, 0) == 0 ? 1 : 0;
        return count;
    };
    const CliRun all = run({"--help"});
    EXPECT_EQ(all.status, 0);
    for (const CommandRule& c : commands()) {
        EXPECT_EQ(linesStarting(all.out, "  " + std::string(c.name) + " "), 1) << c.name;
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {std::string(c.name), "--help"}, {std::string(c.name), "--json", "--help"}}) {
            const CliRun r = run(args);
            EXPECT_EQ(r.status, 0);
            EXPECT_TRUE(r.err.empty()) << r.err;
            EXPECT_EQ(linesStarting(r.out, "Usage: qalix " + std::string(c.name) + " "), 1);
            for (const OptionRule* o : c.options) {
                EXPECT_EQ(linesStarting(r.out, "  " + std::string(o->name) + " "), 1) << o->name;
                EXPECT_NE(r.out.find(std::string(o->help)), std::string::npos) << o->name;
            }
        }
    }
    EXPECT_NE(all.out.find("without --m or --solve a normseq design first solves m"),
              std::string::npos);
}

struct BadCommandLine {
    std::vector<std::string> args;
    const char* message;  // what the error line says after "qalix: "
};

void PrintTo(const BadCommandLine& c, std::ostream* os) {
    for (const std::string& a : c.args)
        *os << a << ' ';
}

class UsageErrors : public ::testing::TestWithParam<BadCommandLine> {};

TEST_P(UsageErrors, NameTheOptionAndWhyWithStatusTwo) {
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err, "qalix: " + std::string(GetParam().message) + "\n" + usageLine() + "\n");
    // Options and designs, never the program's controls or dialogs.
    EXPECT_EQ(r.err.find("control"), std::string::npos);
    EXPECT_EQ(r.err.find("dialog"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UsageErrors,
    ::testing::Values(
        BadCommandLine{
            {},
            "a command is needed: fixed, design, compare, simulate, import, plot, report or "
            "analyse"},
        BadCommandLine{
            {"solve"},
            "a command is needed: fixed, design, compare, simulate, import, plot, report or "
            "analyse"},
        BadCommandLine{{"fixed", "stray"}, "unexpected argument stray"},
        BadCommandLine{{"fixed", "--nonsense"}, "unknown option --nonsense"},
        BadCommandLine{{"fixed", "--alpha"}, "--alpha needs a value"},
        // The word after an option is its value, whatever it looks like.
        BadCommandLine{{"fixed", "--alpha", "--power", "0.9"},
                       "--alpha takes one number: \"--power\""},
        BadCommandLine{{"fixed", "--json=yes"}, "--json takes no value"},
        BadCommandLine{{"fixed", "--looks", "4"}, "--looks belongs to the design command"},
        BadCommandLine{{"fixed", "--alpha", "0.05", "--alpha=0.025"}, "--alpha is given twice"},
        BadCommandLine{{"design", "--json", "--json"}, "--json is given twice"},
        BadCommandLine{{"fixed", "--solve", "beta"}, "--solve takes m, mu, sd, power or alpha"},
        BadCommandLine{{"fixed", "--m", "30", "--solve", "m"},
                       "--solve m computes what --m gives: give one of them"},
        BadCommandLine{{"design", "--design", "other"},
                       "--design takes normseq, brownian or fixed"},
        BadCommandLine{{"design", "--design", "fixed"},
                       "the design command needs a sequential design: --design normseq or "
                       "brownian (the fixed design has one look)"},
        BadCommandLine{{"fixed", "--design", "brownian", "--mu", "0.3"},
                       "--mu has no use in the brownian design: on information time the "
                       "alternative is delta_a = z_(1-alpha) + z_(power), set by --alpha and "
                       "--power"},
        BadCommandLine{{"design", "--design", "brownian", "--sd", "2"},
                       "--sd has no use in the brownian design: on information time there is "
                       "no standard deviation to enter"},
        BadCommandLine{{"design", "--design=brownian", "--m", "50"},
                       "--m has no use in the brownian design: on information time m is the "
                       "number of grid steps, 300"},
        BadCommandLine{{"design", "--design", "brownian", "--groups", "5,5,5"},
                       "--groups has no use in the brownian design: looks on information time "
                       "are placed with --times"},
        BadCommandLine{{"design", "--times", "0.5,0.7,0.9"},
                       "--times has no use in the normseq design: normseq looks are placed by "
                       "group sizes: give --groups"},
        BadCommandLine{{"design", "--design", "brownian", "--means", "0.5"},
                       "--means has no use in the brownian design: on information time there "
                       "is no data-scale mean: give --delta"},
        BadCommandLine{{"fixed", "--design", "brownian", "--solve", "m"},
                       "--solve m has no use in the brownian design: only power or alpha are "
                       "computed there"},
        BadCommandLine{{"design", "--rho", "0.01", "--a", "3"},
                       "give --rho or --a, not both: a is searched from rho_max"},
        BadCommandLine{{"design", "--delta", "1", "--means", "0.2"},
                       "give --delta or --means, not both"},
        // The report names the file it writes, of a kind it can write.
        BadCommandLine{{"report", "--looks", "4"},
                       "--out names the report to write: FILE.html or FILE.pdf"},
        BadCommandLine{{"report", "--out", "trial.txt"},
                       "--out names the report to write: FILE.html or FILE.pdf"},
        BadCommandLine{{"report", "--out", "trial.html", "--paper", "a5"},
                       "--paper takes a4 or letter"},
        BadCommandLine{{"report", "--out", "trial.html", "--mean", "half"},
                       "--mean takes one number: \"half\""},
        // A value is one number, wholly read; a whole number where one is asked for.
        BadCommandLine{{"fixed", "--alpha", "0.8 0.9"}, "--alpha takes one number: \"0.8 0.9\""},
        BadCommandLine{{"design", "--looks", "4 apples"}, "--looks takes one number: \"4 apples\""},
        BadCommandLine{{"fixed", "--alpha", "0,025"}, "--alpha takes one number: \"0,025\""},
        BadCommandLine{{"fixed", "--alpha", "0.0x5"}, "--alpha takes one number: \"0.0x5\""},
        BadCommandLine{{"design", "--a="}, "--a needs a value"},
        BadCommandLine{{"design", "--delta", "1,,2"}, "--delta takes one number: \"\""},
        BadCommandLine{{"design", "--delta", "1,inf"}, "--delta takes one number: \"inf\""},
        BadCommandLine{{"simulate", "--set", "mu=0.5,n=25", "--seed", "abc"},
                       "--seed takes a whole number: \"abc\""},
        BadCommandLine{{"simulate", "--set", "mu=0.5,n=25", "--seed", ""},
                       "--seed takes a whole number: \"\""},
        BadCommandLine{{"plot", "boundary", "--out", "p.emf", "--seed", "99999999999999999999"},
                       "--seed takes a whole number: \"99999999999999999999\""},
        BadCommandLine{{"plot", "boundary", "--out", "p.emf", "--seed", "-1"},
                       "--seed takes a whole number: \"-1\""},
        BadCommandLine{{"plot", "boundary", "--out", "p.emf", "--seed", "1.5"},
                       "--seed takes a whole number: \"1.5\""},
        BadCommandLine{{"plot", "boundary", "--out", "p.emf", "--seed", "0x10"},
                       "--seed takes a whole number: \"0x10\""},
        BadCommandLine{{"plot", "boundary", "--out", "p.emf", "--width", "99"},
                       "--width takes a whole number of pixels from 100 to 99999: \"99\""},
        BadCommandLine{{"simulate", "--set", "mu=0.5,n=2.5"},
                       "--set takes a whole number for n: mu=0.5,n=2.5"},
        BadCommandLine{{"simulate", "--set", "mu=0.5 0.6,n=2"},
                       "--set takes one number for mu: mu=0.5 0.6,n=2"},
        // Every argument is taken or refused: a lone empty one once ended the program with
        // std::out_of_range, and another command's name once switched to that command.
        BadCommandLine{{"import", "--kind", "simu", ""},
                       "an empty argument (\"\") names no file or plot"},
        BadCommandLine{
            {"import", "--kind", "simu", "", "", "", "plot", "bounda", "", "!", "", "t", ""},
            "an empty argument (\"\") names no file or plot"},
        BadCommandLine{{"plot", ""}, "an empty argument (\"\") names no file or plot"},
        // An output never overwrites an input, nor another output: the same file once links
        // are followed, whether it exists yet or not.
        BadCommandLine{{"design", "--open", "t.qalixdesign", "--csv", "./t.qalixdesign"},
                       "--csv would write over --open t.qalixdesign, which this command reads: "
                       "give the output a file of its own"},
        BadCommandLine{{"design", "--open", "t.qalixdesign", "--save-design", "t"},
                       "--save-design would write over --open t.qalixdesign, which this command "
                       "reads: give the output a file of its own"},
        BadCommandLine{{"plot", "boundary", "--kind", "simu", "s.emf", "--out", "s.emf"},
                       "--out would write over the sample file s.emf, which this command reads: "
                       "give the output a file of its own"},
        BadCommandLine{{"design", "--looks", "4", "--csv", "a.csv", "--curves-csv", "a.csv"},
                       "--csv and --curves-csv name the same file a.csv: give each output a file "
                       "of its own"}));

// Every list and repeated option takes as many values as the program's tables and lists hold,
// and says so rather than dropping or grinding through the rest.
TEST(CommandLineOptions, ValuesBeyondTheLimitsAreRefusedNamingTheLimit) {
    std::vector<std::string> sets = {"simulate"};
    for (int i = 0; i < 100; ++i) {
        sets.push_back("--set");
        sets.push_back("mu=0.5,n=2");
    }
    EXPECT_EQ(run(sets).status, 0);
    sets.push_back("--set=mu=0.5,n=2");
    const CliRun tooManySets = run(sets);
    EXPECT_EQ(tooManySets.status, 2);
    EXPECT_EQ(tooManySets.err.rfind("qalix: --set is given more than 100 times: the simulation "
                                    "table holds 100 sets\n",
                                    0),
              0u)
        << tooManySets.err;

    std::string deltas = "0";
    for (int i = 1; i < 1000; ++i)
        deltas += ",0";
    EXPECT_EQ(parseOptions({"design", "--delta", deltas}).inputs.deltas->size(), 1000u);
    const CliRun tooManyDeltas = run({"design", "--delta", deltas + ",0"});
    EXPECT_EQ(tooManyDeltas.status, 2);
    EXPECT_EQ(
        tooManyDeltas.err.rfind(
            "qalix: --delta takes at most 1000 values: run qalix in a loop to sweep more\n", 0),
        0u)
        << tooManyDeltas.err;
}

// A list with the wrong number of looks is found once the looks are known.
TEST(CommandLineOptions, ListsNeedOneValuePerLookBeforeTheLast) {
    const CliRun r = run({"design", "--looks", "4", "--groups", "10,10"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("qalix: give 3 values, one for each look before the last\n", 0), 0u)
        << r.err;
}

}  // namespace
}  // namespace qalix::testing
