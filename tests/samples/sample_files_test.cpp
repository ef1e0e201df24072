// Sample data files: "Save Simulation" and the three imports, with one small fixture file
// per hostile case.
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "samples_program.hpp"
#include "support/file_text.hpp"

namespace qalix::testing {
namespace {

std::vector<std::string> lines(const std::string& file) {
    std::ifstream in(file);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    return all;
}

std::vector<std::string> filesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

class SampleFiles : public SamplesProgram {
  protected:
    // Three sets with sigma = 1.5 and N = 25, simulated.
    void simulateThreeSets() {
        ASSERT_NO_FATAL_FAILURE(openSimulation());
        ui.type(panel::kSdCombo, "1.5");
        ui.click(panel::kSimulatedSamples);
        selectSet("0.5", "30");
        selectSet("-0.25", "7");
        selectSet("1.2", "25");
        simulate();
        ASSERT_TRUE(takeMessages().empty());
    }
};

TEST_F(SampleFiles, SavedLinesHoldEveryObservationInItsColumns) {
    ASSERT_NO_FATAL_FAILURE(simulateThreeSets());
    ASSERT_TRUE(SAVESIMU(program, path("sim.txt")));
    const std::vector<std::string> saved = lines(path("sim.txt"));
    ASSERT_EQ(saved.size(), 25u + 7u + 25u);
    const DesignRecord& r = record();
    std::size_t line = 0;
    for (std::size_t s = 0; s < 3; ++s) {
        for (std::size_t j = 0; j < static_cast<std::size_t>(std::min(25, r.simSize[s])); ++j) {
            char expected[128];
            std::snprintf(expected, sizeof expected,
                          "%4zu    %4zu    %10.5f    %8.5f    %8.5f    %8.5f    %9.5f", s + 1,
                          j + 1, static_cast<double>(r.simObs[s][j]),
                          static_cast<double>(r.simTime[s][j]), 1.5, r.simDelta[s], r.simMean[s]);
            EXPECT_EQ(saved[line++], expected);
        }
    }
}

TEST_F(SampleFiles, SavedSimulationImportsBackEverySet) {
    ASSERT_NO_FATAL_FAILURE(simulateThreeSets());
    ASSERT_TRUE(SAVESIMU(program, path("sim.txt")));
    importAs("Simu", path("sim.txt"));
    EXPECT_TRUE(takeMessages().empty());
    const DesignRecord& r = record();
    EXPECT_EQ(r.importCount, 3);
    EXPECT_TRUE(r.importReady);
    constexpr double kFiveDecimals = 0.5e-5 + 1e-6;  // written to 5 decimals, kept as floats
    for (std::size_t s = 0; s < 3; ++s) {
        EXPECT_EQ(r.importSize[s], std::min(25, r.simSize[s]));
        EXPECT_NEAR(r.importSD[s], 1.5, kFiveDecimals);
        EXPECT_NEAR(r.importDelta[s], r.simDelta[s], kFiveDecimals);
        EXPECT_NEAR(r.importMean[s], r.simMean[s], kFiveDecimals);
        for (std::size_t j = 0; j < static_cast<std::size_t>(r.importSize[s]); ++j) {
            EXPECT_NEAR(r.importObs[s][j], r.simObs[s][j], kFiveDecimals);
            EXPECT_NEAR(r.importTime[s][j], r.simTime[s][j], kFiveDecimals);
        }
    }
}

TEST_F(SampleFiles, SetsWithoutPathsOfTheirOwnAreNotSaved) {
    ASSERT_NO_FATAL_FAILURE(openSimulation());
    selectSet("0.5", "10");
    EXPECT_FALSE(SAVESIMU(program, path("sim.txt")));
    simulate();
    selectSet("0.7", "10");  // selected since
    EXPECT_FALSE(SAVESIMU(program, path("sim.txt")));
    const std::string refusal = "Error: " + std::string(kNotSimulated);
    EXPECT_EQ(takeMessages(), (std::vector<std::string>{refusal, refusal}));
    EXPECT_FALSE(std::filesystem::exists(path("sim.txt")));
    ui.click(kSimulationDialog, simulation::kReset);
    EXPECT_TRUE(SAVESIMU(program, path("sim.txt")));  // no sets: an empty file
    EXPECT_EQ(fileText(path("sim.txt")), "");
}

TEST_F(SampleFiles, SaveReplacesAnExistingFileAndLeavesNothingBeside) {
    ASSERT_NO_FATAL_FAILURE(simulateThreeSets());
    std::ofstream(path("sim.txt")) << "an older file\n";
    ASSERT_TRUE(SAVESIMU(program, path("sim.txt")));
    EXPECT_EQ(lines(path("sim.txt")).size(), 57u);
    EXPECT_EQ(filesIn(folder), std::vector<std::string>{"sim.txt"});
}

TEST_F(SampleFiles, FailedSaveSaysSoAndLeavesTheFileAsItWas) {
    ASSERT_NO_FATAL_FAILURE(simulateThreeSets());
    const std::string missing = path("no such folder/sim.txt");
    EXPECT_FALSE(SAVESIMU(program, missing));
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"Error: Unable to save the simulation to " +
                                                       missing + " (No such file or directory)!"});
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit a process can set (RLIMIT_FSIZE)";
#else
    // A disk that fills up during the save: files may grow to 100 bytes only.
    std::ofstream(path("sim.txt")) << "precious\n";
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = SAVESIMU(program, path("sim.txt"));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);
    EXPECT_FALSE(saved);
    EXPECT_EQ(takeMessages().size(), 1u);
    EXPECT_EQ(fileText(path("sim.txt")), "precious\n");
    EXPECT_EQ(filesIn(folder), std::vector<std::string>{"sim.txt"});
#endif
}

TEST_F(SampleFiles, ObservedRecordsTakeTheirSizesAndTimesOverN) {
    importAs("Observ", fixture("observ_two_records.txt"));
    const DesignRecord& r = record();
    EXPECT_EQ(r.importCount, 2);
    EXPECT_EQ(r.importSize[0], 3);
    EXPECT_EQ(r.importSize[1], 5);
    EXPECT_TRUE(r.importReady);
    EXPECT_EQ(r.importObs[1][3], 3.5f);
    for (std::size_t j = 0; j < 5; ++j)
        EXPECT_EQ(r.importTime[1][j], static_cast<float>(j + 1) / 25.0f);
    // Read again from its start: the same tables.
    const auto first = std::make_unique<DesignRecord>(r);
    importAs("Observ", fixture("observ_two_records.txt"));
    EXPECT_EQ(r.importObs, first->importObs);
    EXPECT_EQ(r.importTime, first->importTime);
    EXPECT_EQ(r.importSize, first->importSize);
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(SampleFiles, VariableNamesSetTheirKind) {
    const DesignRecord& r = record();
    importAs("VarName", fixture("varname_nameonly.txt"));
    EXPECT_EQ(r.importNameKind, "nameonly");
    importAs("VarName", fixture("varname_namesd.txt"));
    EXPECT_EQ(r.importNameKind, "namesd");
    importAs("VarName", fixture("varname_negative_sd.txt"));
    EXPECT_EQ(r.importNameKind, "namesd");
    EXPECT_EQ(r.importVarName[0].str(), "Systolic pressure");
    EXPECT_EQ(r.importVarName[1].str(), "Heart rate");
    EXPECT_EQ(r.importVarName[2].str(), "Weight");
    EXPECT_EQ(r.importSD[1], 1.5);
    EXPECT_EQ(r.importCount, 0);
    EXPECT_FALSE(r.importReady);
    EXPECT_TRUE(takeMessages().empty());
}

// An import keeps what earlier ones stored where it does not overwrite it, so that names and
// SDs of a "VarName" file reach an "Observ" file's records; but a record an "Observ" file
// redefines is no longer the simulated set: the SD, delta and mu its "Simu" lines stored go
// (observed paths were drawn with a simulation's SD of 1, twice as tall).
struct ImportSequence {
    std::vector<std::pair<const char*, const char*>> imports;  // kind, fixture
    double sd1, sd2, delta1, mean1;                            // of records 1 and 2 after
};

void PrintTo(const ImportSequence& c, std::ostream* os) {
    for (const auto& [kind, file] : c.imports)
        *os << kind << ' ';
}

class ImportSequences : public SampleFiles, public ::testing::WithParamInterface<ImportSequence> {};

TEST_P(ImportSequences, ObservedRecordsKeepNoValueOfTheSimulationTheyReplace) {
    const ImportSequence& c = GetParam();
    for (const auto& [kind, file] : c.imports)
        importAs(kind, fixture(file));
    EXPECT_EQ(record().importSD[0], c.sd1);
    EXPECT_EQ(record().importSD[1], c.sd2);
    EXPECT_EQ(record().importDelta[0], c.delta1);
    EXPECT_EQ(record().importMean[0], c.mean1);
    EXPECT_TRUE(takeMessages().empty());
}

constexpr std::pair<const char*, const char*> kSimu{"Simu", "simu_two_sets.txt"};
constexpr std::pair<const char*, const char*> kObserv{"Observ", "observ_two_records.txt"};
constexpr std::pair<const char*, const char*> kNames{"VarName", "varname_record_one_sd.txt"};

INSTANTIATE_TEST_SUITE_P(Fixtures, ImportSequences,
                         ::testing::Values(ImportSequence{{kSimu, kObserv}, 0, 0, 0, 0},
                                           ImportSequence{{kNames, kObserv}, 2.5, 0, 0, 0},
                                           ImportSequence{{kSimu, kNames, kObserv}, 2.5, 0, 0, 0},
                                           ImportSequence{{kSimu, kObserv, kNames}, 2.5, 0, 0, 0},
                                           ImportSequence{{kObserv, kSimu}, 1, 1, 2.5, 0.5}));

TEST_F(SampleFiles, ObservationAboveFiveHundredClearsTheReadyFlag) {
    importAs("Simu", fixture("simu_observation_501.txt"));
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"Error: " + std::string(kImportTooLarge)});
    EXPECT_FALSE(record().importReady);
    EXPECT_EQ(record().importSize[0], 2);  // the lines before it stay
    EXPECT_EQ(record().importObs[0][1], 1.5f);
}

struct HostileFile {
    const char* file;
    const char* kind;
    std::string message;  // none when the file is read
    int count;            // importCount after it
};

void PrintTo(const HostileFile& c, std::ostream* os) {
    *os << c.file << " as " << c.kind;
}

const std::string kTypeBox = "Error: " + std::string(kImportTypeError);

class HostileFiles : public SampleFiles, public ::testing::WithParamInterface<HostileFile> {};

TEST_P(HostileFiles, AreRefusedWithTheirMessageAndKeepWhatWasRead) {
    const HostileFile& c = GetParam();
    importAs(c.kind, fixture(c.file));
    const std::vector<std::string> expected =
        c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message};
    EXPECT_EQ(takeMessages(), expected);
    EXPECT_EQ(record().importCount, c.count);
    EXPECT_EQ(record().importReady, c.count > 0);
    EXPECT_EQ(record().importVarName[0].str(), "  One");
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, HostileFiles,
    ::testing::Values(HostileFile{"record_zero.txt", "Observ",
                                  "Error: Record number in line 1 is not between 1 and 100!", 0},
                      HostileFile{"record_101.txt", "Observ",
                                  "Error: Record number in line 2 is not between 1 and 100!", 1},
                      HostileFile{"varname_record_negative.txt", "VarName",
                                  "Error: Record number in line 1 is not between 1 and 100!", 0},
                      HostileFile{"observation_zero.txt", "Simu",
                                  "Error: Observation number in line 1 is less than 1!", 0},
                      HostileFile{"observation_negative.txt", "Observ",
                                  "Error: Observation number in line 1 is less than 1!", 0},
                      HostileFile{"binary.bin", "Simu", kTypeBox, 0},
                      HostileFile{"binary.bin", "Observ", kTypeBox, 0},
                      HostileFile{"binary.bin", "VarName", kTypeBox, 0},
                      HostileFile{"latin1_name.txt", "VarName", kTypeBox, 0},
                      HostileFile{"utf16_observ.txt", "Observ", kTypeBox, 0},
                      HostileFile{"unterminated_quote.txt", "VarName", kTypeBox, 0},
                      HostileFile{"short_line.txt", "Simu", kTypeBox, 0},
                      HostileFile{"real_record_number.txt", "Observ", kTypeBox, 0},
                      HostileFile{"float_overflow.txt", "Simu", kTypeBox, 0},
                      HostileFile{"empty.txt", "Observ", "", 0},
                      HostileFile{"bom_crlf_blank_lines.txt", "Observ", "", 1}));

// A sample file is read whole up to 64 MiB, far beyond what the tables hold; one byte more is
// refused before it is read. The files are sparse: zeros, costing no disk.
TEST_F(SampleFiles, AFileOfTheLargestSizeIsReadAndOneByteMoreIsNot) {
    const struct {
        std::uintmax_t bytes;
        std::string message;
    } cases[] = {{kSampleFileBytes, kTypeBox},  // read: a line of zeros is no observation
                 {kSampleFileBytes + 1, "Error: Unable to open " + path("large.txt") +
                                            " (it is larger than 67108864 bytes)!"}};
    for (const auto& c : cases) {
        { std::ofstream(path("large.txt")); }
        std::filesystem::resize_file(path("large.txt"), c.bytes);
        importAs("Observ", path("large.txt"));
        EXPECT_EQ(takeMessages(), std::vector<std::string>{c.message}) << c.bytes;
    }
}

TEST_F(SampleFiles, FileThatCannotBeOpenedSaysSo) {
    const std::pair<std::string, std::string> cases[] = {
        {path("missing.txt"), "No such file or directory"},
        {folder.string(), "it is a folder, not a file"}};
    for (const auto& [file, reason] : cases) {
        importAs("Observ", file);
        EXPECT_EQ(takeMessages(),
                  std::vector<std::string>{"Error: Unable to open " + file + " (" + reason + ")!"});
    }
    EXPECT_EQ(record().importCount, 0);
}

}  // namespace
}  // namespace qalix::testing
