// What the design command does with design files, the reproducing command and the tables:
// the inputs of a file opened (the options given change them), and the files written once
// the design is computed.
#pragma once

#include <ostream>

#include "cli/options.hpp"
#include "document/design_file.hpp"

namespace qalix {

// The file's inputs, each replaced by the option that gives it.
DesignInputs openedInputs(const DesignFile& file, const CliOptions& o);

// Whether the options give any input of a design, changing the one a file holds.
bool changesInputs(const CliOptions& o);

// Writes the design file and the tables the options ask for; says on err which file could not
// be written, and returns false then.
bool writeDesignFiles(const CliOptions& o, const DesignSnapshot& snapshot, std::ostream& err);

// The notice for a file whose results differ from those computed now, if they do.
std::optional<std::string> resultsDiffer(const DesignFile& file, const Json& now);

}  // namespace qalix
