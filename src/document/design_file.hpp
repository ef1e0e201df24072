// Design files (.qalixdesign): JSON in UTF-8, one value per line and keys in a fixed order so
// that a version-control diff reads well. "format" and "version" say what the file is, the
// program's version and the time it was written say where it comes from, an optional title and
// notes say what it is for; "inputs" hold what defines the design, each as typed (text) and as
// read (value), and "derived" the results, for a reader without the program and for checking.
//
// A file is read in full before anything is done with it, and refused whole, with a message
// naming the file, the line and the key, when it is not what the program writes: not JSON,
// another format, a newer version, an input missing, unknown, of the wrong type or out of its
// range, a file too large or nested too deep.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "document/design_snapshot.hpp"
#include "document/snapshot_json.hpp"

namespace qalix {

inline constexpr std::string_view kDesignFileFormat = "qalix-design";
inline constexpr int kDesignFileVersion = 1;
inline constexpr std::string_view kDesignFileExtension = ".qalixdesign";
// Far beyond any design the program writes (a 16-look design with many means is under 1 MiB).
inline constexpr std::size_t kDesignFileBytes = std::size_t{4} << 20;  // 4 MiB

struct DesignFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The looks of a trial analysed on the design, as typed ("n=6,sum=7.4"), kept with it so that
// the trial's record lives with its design (key "analysis", optional).
struct TrialRecord {
    std::vector<std::string> looks;
    std::optional<std::string> confidence;
};

struct DesignFile {
    std::string title;
    std::string notes;
    std::string program;  // the version that wrote it
    std::string written;  // UTC, ISO 8601
    DesignInputs inputs;
    std::optional<TrialRecord> trial;
    Json derived;
};

// The file a design is saved to: the name as given, with the extension added when it has none.
std::string designFileTarget(const std::string& chosen);

// The file's text for a design computed from complete inputs (design_command.hpp).
std::string designFileText(const DesignSnapshot& snapshot, std::string_view title,
                           std::string_view notes, const TrialRecord* trial = nullptr);

// Reads and checks a file; throws DesignFileError with the message for the user.
DesignFile readDesignFile(const std::string& path);
// The same for a file's text, named as given.
DesignFile parseDesignFile(std::string_view text, const std::string& name);

// The first field whose shown text differs between the results a file holds and those the
// program computes now, as "looks[2].infoTime: "0.500" in the file, "0.510" now"; nothing when
// every text agrees.
std::optional<std::string> firstDifference(const Json& inFile, const Json& now);

// What the program says of a file whose results differ from those computed now, if they do:
// the program that wrote it and the first difference.
std::optional<std::string> resultsDiffer(const DesignFile& file, const Json& now);

}  // namespace qalix
