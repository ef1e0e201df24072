#include "samples/sample_files.hpp"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "design/fields.hpp"
#include "io/files.hpp"
#include "samples/sample_lines.hpp"
#include "samples/set_tables.hpp"

namespace qalix {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xef\xbb\xbf";

std::string saveFailed(const io::FileError& error) {
    return "Unable to save the simulation to " + error.path + " (" + error.reason + ")!";
}
std::string cannotOpen(const io::FileError& error) {
    return "Unable to open " + error.path + " (" + error.reason + ")!";
}
std::string recordOutOfRange(int line) {
    return "Record number in line " + std::to_string(line) + " is not between 1 and 100!";
}
std::string observationBelowOne(int line) {
    return "Observation number in line " + std::to_string(line) + " is less than 1!";
}

enum class Layout { Simu, Observ, VarName };

Layout layoutOf(const FixedText<10>& kind) {
    if (kind == "Simu") return Layout::Simu;
    if (kind == "Observ") return Layout::Observ;
    if (kind == "VarName") return Layout::VarName;
    throw std::logic_error("import of unknown kind \"" + kind.str() + "\"");
}

// One import under way.
struct ImportRun {
    SamplesContext& program;
    Layout layout;
    int N;             // information times of "Observ" lines are j / N
    int previous = 0;  // record of the line before
};

// Whether reading goes on after a line that holds no values of its layout.
bool goesOn(SamplesContext& program, LineRead read) {
    if (read == LineRead::Blank) return true;
    program.error(kImportTypeError);
    return false;
}

bool recordInTables(SamplesContext& program, int record, int line) {
    if (record >= 1 && record <= kMaxImportSets) return true;
    program.error(recordOutOfRange(line));
    return false;
}

bool observationInTables(SamplesContext& program, int record, int observation, int line) {
    if (!recordInTables(program, record, line)) return false;
    if (observation > kMaxImportSize) {
        program.record.importReady = false;
        program.error(kImportTooLarge);
        return false;
    }
    if (observation < 1) {
        program.error(observationBelowOne(line));
        return false;
    }
    return true;
}

// Observation j of record i at information time t; the record's size is the j of its
// last line, and the count of records the i of the last line.
void storeObservation(DesignRecord& r, int i, int j, float x, float t) {
    r.importObs[slot(i)][slot(j)] = x;
    r.importTime[slot(i)][slot(j)] = t;
    r.importSize[slot(i)] = j;
    r.importCount = i;
    r.importReady = true;
}

bool importSimuLine(ImportRun& run, std::string_view text, int line) {
    SimuValues v;
    const LineRead read = readSimuLine(text, v);
    if (read != LineRead::Values) return goesOn(run.program, read);
    if (!observationInTables(run.program, v.set, v.observation, line)) return false;
    DesignRecord& r = run.program.record;
    if (v.set != run.previous) {  // the first line of a record gives its SD and means
        r.importSD[slot(v.set)] = v.sd;
        r.importDelta[slot(v.set)] = v.delta;
        r.importMean[slot(v.set)] = v.mu;
        r.importSimulated[slot(v.set)] = true;
    }
    storeObservation(r, v.set, v.observation, v.x, v.time);
    run.previous = v.set;
    return true;
}

// An observed record is no longer a simulated set: what a "Simu" line stored for it goes, so
// that it is drawn with an SD of its own (named, typed or estimated), never the simulation's.
// What a "VarName" file gave it stays.
void forgetSimulation(DesignRecord& r, int record) {
    const std::size_t i = slot(record);
    if (r.importSimulated[i]) r.importSD[i] = 0.0;
    r.importDelta[i] = 0.0;
    r.importMean[i] = 0.0;
    r.importSimulated[i] = false;
}

bool importObservLine(ImportRun& run, std::string_view text, int line) {
    ObservValues v;
    const LineRead read = readObservLine(text, v);
    if (read != LineRead::Values) return goesOn(run.program, read);
    if (!observationInTables(run.program, v.record, v.observation, line)) return false;
    forgetSimulation(run.program.record, v.record);
    const float t = static_cast<float>(v.observation) / static_cast<float>(run.N);
    storeObservation(run.program.record, v.record, v.observation, v.x, t);
    return true;
}

bool importVarNameLine(ImportRun& run, std::string_view text, int line) {
    VarNameValues v;
    const LineRead read = readVarNameLine(text, v);
    if (read != LineRead::Values) return goesOn(run.program, read);
    if (!recordInTables(run.program, v.record, line)) return false;
    DesignRecord& r = run.program.record;
    r.importVarName[slot(v.record)] = v.name;
    r.importSD[slot(v.record)] = v.sd;
    r.importSimulated[slot(v.record)] = false;
    if (v.sd == 0.0) {
        r.importNameKind = "nameonly";
    } else if (v.sd > 0.0) {
        r.importNameKind = "namesd";
    }
    return true;
}

bool importLine(ImportRun& run, std::string_view text, int line) {
    switch (run.layout) {
        case Layout::Simu:
            return importSimuLine(run, text, line);
        case Layout::Observ:
            return importObservLine(run, text, line);
        case Layout::VarName:
            return importVarNameLine(run, text, line);
    }
    return false;
}

}  // namespace

std::optional<std::string> simulationText(const DesignRecord& r, const SamplesState& state) {
    const int N = roundedUp(r.sampleSize, kRoundUp5);
    std::string text;
    for (std::size_t s = 0; s < static_cast<std::size_t>(r.simRecordCount); ++s) {
        if (state.drawn[s] < 1) return std::nullopt;
        const int n = std::min({N, r.simSize[s], state.drawn[s]});
        for (std::size_t j = 0; j < static_cast<std::size_t>(std::max(n, 0)); ++j) {
            text += simuLine({static_cast<int>(s + 1), static_cast<int>(j + 1), r.simObs[s][j],
                              r.simTime[s][j], r.simSD[s], r.simDelta[s], r.simMean[s]});
            text += '\n';
        }
    }
    return text;
}

bool SAVESIMU(SamplesContext& program, const std::string& path) {
    const auto text = simulationText(program.record, program.samples);
    if (!text) {
        program.error(kNotSimulated);
        return false;
    }
    if (const auto failed = io::saveFile(path, *text)) {
        program.error(saveFailed(*failed));
        return false;
    }
    return true;
}

void importSampleText(SamplesContext& program, std::string_view text) {
    ImportRun run{program, layoutOf(program.record.importKind),
                  roundedUp(program.record.sampleSize, kRoundUp6)};
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    for (int number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!importLine(run, line, number)) return;
    }
}

void IMPORTSAMPLE(SamplesContext& program, const std::string& path) {
    const io::ReadResult read = io::readFile(path, kSampleFileBytes);
    if (!read) {
        program.error(cannotOpen(read.error));
        return;
    }
    importSampleText(program, *read.bytes);
}

}  // namespace qalix
