// The files a command reads and those it writes, checked before anything is written: an
// output must not overwrite one of the command's inputs (a CSV written over the design file
// it was computed from), and two outputs must not be one file (one table would be lost).
// "One file" is the same file once links are followed, whether or not it exists yet.
#pragma once

#include "cli/options.hpp"

namespace qalix {

// Throws UsageError naming both options and the file.
void refuseClashingFiles(const CliOptions& options);

}  // namespace qalix
