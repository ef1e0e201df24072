// Sample data files. "Save Simulation" writes the "Simu" lines of the last simulation; an
// import reads a file of "Simu", "Observ" or "VarName" lines into the imported-sample
// tables. The frame asks for the file, shows it in the text window, sets importKind before
// an import, and enables the panel's "Imported" when importReady is set after one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "samples/context.hpp"

namespace qalix {

inline constexpr std::string_view kImportTypeError =
    "Types of some variables in dataset do not match what requested for input!";
inline constexpr std::string_view kImportTooLarge =
    "Sample size of each imported record cannot be more than 500!";
inline constexpr std::string_view kNotSimulated =
    "Some sets have not been simulated since they were selected: press \"Simulate\" first!";

// The "Simu" lines of every set, set by set, each set with its first min(N, n_s)
// observations (N = m rounded up with 0.49999), one line ending in '\n' per observation;
// nothing when a set has not been simulated since it was selected.
std::optional<std::string> simulationText(const DesignRecord& r, const SamplesState& state);

// Writes simulationText to `path`; a failed save says which file and why and leaves an
// existing file as it was. False after its message.
bool SAVESIMU(SamplesContext& program, const std::string& path);

// The largest sample file an import reads: far beyond the 100 records of 500 observations the
// tables hold, small enough to read whole.
inline constexpr std::size_t kSampleFileBytes = std::size_t{64} << 20;  // 64 MiB

// Reads the file at `path` (a regular file of at most kSampleFileBytes), line by line from its
// start, in the layout importKind names
// ("Simu", "Observ" or "VarName"). A line that cannot be read, or would reach outside the
// tables, stops the reading with its message; what was stored before it stays. Blank lines
// are skipped; a UTF-8 byte-order mark and '\r' line ends are accepted.
void IMPORTSAMPLE(SamplesContext& program, const std::string& path);
// The same import of a file's bytes already read.
void importSampleText(SamplesContext& program, std::string_view text);

}  // namespace qalix
