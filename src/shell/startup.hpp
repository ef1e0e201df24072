// Start-up of the program: dialogs built from their templates, callbacks attached, the
// start-up values in the record and on the panel, and the "normseq" design chosen.
#pragma once

#include "shell/program.hpp"

namespace qalix {

inline constexpr std::string_view kStartupError = "Error initializing application QALIXinfWin";

// False, after the start-up error box, when a dialog cannot be built.
bool startUp(Program& program);

}  // namespace qalix
