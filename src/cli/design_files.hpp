// What the design command does with design files, the reproducing command and the tables:
// the inputs the options give, those of a file opened (the options given change them), and
// the files written once the design is computed.
#pragma once

#include <ostream>

#include "cli/options.hpp"
#include "document/design_file.hpp"

namespace qalix {

// What the options say of the design. A statistician designing a sequential trial on a
// normal sample starts from its size: without --m or --solve the design commands compute m.
DesignInputs givenInputs(const CliOptions& o);

// The file's inputs, each replaced by the option that gives it.
DesignInputs openedInputs(const DesignFile& file, const CliOptions& o);

// Whether the options give any input of a design, changing the one a file holds.
bool changesInputs(const CliOptions& o);

// Saves text to the file named, if one is; says on err which file could not be written, and
// returns false then.
bool saveText(const std::optional<std::string>& path, const std::string& text, std::ostream& err);

// Writes the design file and the tables the options ask for; says on err which file could not
// be written, and returns false then.
bool writeDesignFiles(const OutputOptions& o, const DesignSnapshot& snapshot, std::ostream& err);

}  // namespace qalix
