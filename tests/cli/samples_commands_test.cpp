// The command line's sample commands: "qalix simulate" writes the "Simu" lines of the sets
// given, reproducibly under a seed, and "qalix import" reads sample files in order and
// reports the records as the selection dialog shows them.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli_run.hpp"
#include "file_folder.hpp"

namespace qalix::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

struct SimuFields {
    int set, observation;
    double x, t, sd, delta, mu;
};

SimuFields fieldsOf(const std::string& line) {
    SimuFields f{};
    std::istringstream in(line);
    in >> f.set >> f.observation >> f.x >> f.t >> f.sd >> f.delta >> f.mu;
    return f;
}

using SampleCommands = FileFolderTest;

TEST_F(SampleCommands, SimulateWritesOneColumnLineForEachObservation) {
    // The start-up design, m solved to 24.73 and so N = 25: a size of 40 gives 25 lines.
    const CliRun r =
        run({"simulate", "--set", "mu=0.5,n=10", "--set", "delta=0.0,n=40", "--seed", "11"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 10u + 25u);
    for (const std::string& line : lines)
        EXPECT_EQ(line.size(), 75u) << line;
    const SimuFields first = fieldsOf(lines.front());
    EXPECT_EQ(first.set, 1);
    EXPECT_EQ(first.observation, 1);
    EXPECT_DOUBLE_EQ(first.t, 0.04);  // 1/25
    EXPECT_DOUBLE_EQ(first.sd, 1.0);
    EXPECT_DOUBLE_EQ(first.mu, 0.5);
    EXPECT_DOUBLE_EQ(first.delta, 2.486);  // sqrt(24.73) * 0.5, as the dialog writes it (F8.3)
    const SimuFields last = fieldsOf(lines.back());
    EXPECT_EQ(last.set, 2);
    EXPECT_EQ(last.observation, 25);
    EXPECT_DOUBLE_EQ(last.t, 1.0);  // a size above N ends at information time 1
    EXPECT_DOUBLE_EQ(last.mu, 0.0);
}

TEST_F(SampleCommands, ASeedDrawsThePathsAgainAndTheClockDoesNot) {
    const std::vector<std::string> args = {"simulate", "--set", "mu=0.2,n=20", "--seed", "7"};
    EXPECT_EQ(run(args).out, run(args).out);
    EXPECT_NE(run(args).out, run({"simulate", "--set", "mu=0.2,n=20", "--seed", "8"}).out);
    EXPECT_NE(run({"simulate", "--set", "mu=0.2,n=20"}).out,
              run({"simulate", "--set", "mu=0.2,n=20"}).out);
}

TEST_F(SampleCommands, SimulateToAFileWritesWhatStandardOutputShows) {
    const std::vector<std::string> args = {"simulate", "--set", "mu=0.5,n=5", "--seed", "3"};
    const CliRun shown = run(args);
    std::vector<std::string> toFile = args;
    toFile.insert(toFile.end(), {"--out", path("paths.txt")});
    const CliRun written = run(toFile);
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_TRUE(written.out.empty());
    std::ifstream in(path("paths.txt"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), shown.out);
}

TEST_F(SampleCommands, SimulateOnInformationTimeTakesDeltaAlone) {
    const CliRun r =
        run({"simulate", "--design", "brownian", "--set", "delta=2.0,n=300", "--seed", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 300u);  // N is the 300 grid steps
    EXPECT_DOUBLE_EQ(fieldsOf(lines.back()).t, 1.0);
    EXPECT_DOUBLE_EQ(fieldsOf(lines.back()).delta, 2.0);
}

TEST_F(SampleCommands, SimulateJsonListsTheSetsAndTheirLines) {
    const CliRun r = run({"simulate", "--set", "mu=0.5,n=3", "--seed", "42", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue json = r.json();
    const JsonValue& set = json["simulation"]["sets"][0];
    EXPECT_EQ(set["n"].text, "3");
    EXPECT_EQ(set["observations"].text, "3");
    EXPECT_EQ(json["simulation"]["lines"].items.size(), 3u);
}

struct BadSet {
    std::vector<std::string> args;
    const char* says;
};

class SimulateUsage : public ::testing::TestWithParam<BadSet> {};

TEST_P(SimulateUsage, IsRefusedWithItsReason) {
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sets, SimulateUsage,
    ::testing::Values(
        BadSet{{"simulate"}, "at least one --set"},
        BadSet{{"simulate", "--set", "mu=0.5,delta=1,n=3"}, "not both"},
        BadSet{{"simulate", "--set", "n=3"}, "needs a true mean"},
        BadSet{{"simulate", "--set", "mean=0.5"}, "--set takes"},
        BadSet{{"simulate", "--set", "mu=1,mu=2"}, "twice"},
        BadSet{{"simulate", "--design", "brownian", "--set", "mu=1"}, "give delta alone"},
        BadSet{{"simulate", "--set", "mu=1", "--seed", "-4"}, "whole number"},
        BadSet{{"simulate", "--set", "mu=1", "--kind", "simu"}, "belongs to the import"}));

TEST_F(SampleCommands, ASetAboveFiveHundredIsTheProgramsMessage) {
    const CliRun r = run({"simulate", "--m", "1000", "--set", "mu=0.1,n=600"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: Simulation sample size should not be more than 500\n");
}

TEST_F(SampleCommands, ImportReportsRecordsAsTheSelectionDialogShowsThem) {
    // Record 1: 1, 2, 4 (mean 7/3, SD sqrt(7/3) = 1.5275); record 2: 3 and 5 (SD 1.4142).
    std::ofstream(path("observed.txt")) << "1 1 1\n1 2 2\n1 3 4\n2 1 3\n2 2 5\n";
    const CliRun r = run({"import", "--kind", "observ", path("observed.txt"), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue json = r.json();
    const JsonValue& imported = json["imported"];
    EXPECT_EQ(imported["count"].text, "2");
    const JsonValue& one = imported["records"][0];
    EXPECT_EQ(one["size"].text, "3");
    EXPECT_EQ(one["estimatedSD"]["text"].text, "1.5275");
    EXPECT_NEAR(one["estimatedSD"]["value"].number(), std::sqrt(7.0 / 3.0), 1e-6);
    // On the Brownian scale divided by sqrt(N), N = 25 for m = 24.73.
    EXPECT_EQ(one["estimatedSDDelta"]["text"].text, "0.3055");
    EXPECT_NEAR(one["estimatedSDDelta"]["value"].number(), std::sqrt(7.0 / 3.0) / 5.0, 1e-6);
    // Observed data bring no SD of their own.
    EXPECT_EQ(one["assumedSD"]["text"].text, "?");
    EXPECT_TRUE(one["assumedSD"]["value"].isNull());
    EXPECT_EQ(imported["records"][1]["estimatedSD"]["text"].text, "1.4142");
}

TEST_F(SampleCommands, FilesAreImportedInOrderEachAsItsKindSays) {
    std::ofstream(path("paths.txt")) << run({"simulate", "--set", "mu=0.5,n=4", "--seed", "1"}).out;
    std::ofstream(path("names.txt")) << "1 \"Blood pressure\" 2.0\n";
    const CliRun r = run({"import", "--kind", "simu", path("paths.txt"), "--kind", "varname",
                          path("names.txt"), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue json = r.json();
    const JsonValue& one = json["imported"]["records"][0];
    EXPECT_EQ(one["size"].text, "4");
    EXPECT_EQ(one["name"].text, "Blood pressure");
    EXPECT_EQ(one["assumedSD"]["text"].text, "2.0000");  // the names' SD came last
}

TEST_F(SampleCommands, AFileThatIsNotWhatItsKindSaysIsTheProgramsMessage) {
    std::ofstream(path("words.txt")) << "one two three\n";
    const CliRun r = run({"import", "--kind", "observ", path("words.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "Error: Types of some variables in dataset do not match what requested for "
              "input!\n");
    const CliRun none = run({"import", path("words.txt")});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("--kind"), std::string::npos);
}

// The program's own largest output reads back: six sets of 500 observations are 228,000
// bytes, more than the text window shows. Saving and importing succeed, with a notice that
// the window shows the start.
TEST_F(SampleCommands, AFileLargerThanTheTextWindowIsSavedAndImportedWhole) {
    std::vector<std::string> args = {"simulate", "--m",   "500",          "--seed",
                                     "3",        "--out", path("big.txt")};
    for (int i = 0; i < 6; ++i)
        args.push_back("--set=mu=0.5,n=500");
    const CliRun saved = run(args);
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(fs::file_size(path("big.txt")), 6u * 500u * 76u);
    EXPECT_NE(saved.err.find("Read File: The text window shows the first"), std::string::npos)
        << saved.err;
    const CliRun imported =
        run({"import", "--m", "500", "--kind", "simu", path("big.txt"), "--json"});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.json()["imported"]["count"].number(), 6);
}

// What is not a regular file is refused before it is opened, naming it: a FIFO nobody writes
// to once made the import wait forever.
TEST_F(SampleCommands, ImportRefusesWhatIsNotARegularFile) {
#ifdef _WIN32
    const std::string device = "NUL";  // Windows has no FIFOs
#else
    const std::string device = path("pipe");
    ASSERT_EQ(mkfifo(device.c_str(), 0600), 0);
#endif
    const std::pair<std::string, std::string> cases[] = {
        {device, "it is not a regular file (a device, FIFO or socket)"},
        {folder.string(), "it is a folder, not a file"},
        {path("missing.txt"), "No such file or directory"}};
    for (const auto& [file, reason] : cases) {
        const CliRun r = run({"import", "--kind", "observ", file});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "Error: Cannot read the file " + file + ": " + reason + "\n");
    }
}

// Observations near the limit of single precision: their squares once summed to Infinity.
TEST_F(SampleCommands, HugeObservationsGiveAnSdThatDoesNotFitNotInfinity) {
    std::ofstream(path("huge.txt")) << "1 1 2e19\n1 2 -2e19\n";
    const CliRun r = run({"import", "--kind", "observ", path("huge.txt"), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue doc = r.json();
    const JsonValue& record = doc["imported"]["records"].items.at(0);
    EXPECT_EQ(record["estimatedSD"]["text"].text, "********");
    // sqrt(((2e19)^2 + (2e19)^2) / 1), with 2e19 held in single precision.
    const double x = static_cast<double>(2e19f);
    EXPECT_DOUBLE_EQ(record["estimatedSD"]["value"].number(), std::sqrt(2.0 * x * x));
}

}  // namespace
}  // namespace qalix::testing
