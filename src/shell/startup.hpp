// Start-up of the program: dialogs built from their templates, callbacks attached, the
// start-up values in the record and on the panel, and the "normseq" design chosen.
#pragma once

#include "shell/program.hpp"

namespace qalix {

inline constexpr std::string_view kStartupError = "Error initializing application QALIXinfWin";
// The number of looks the panel offers at start.
inline constexpr std::string_view kStartupLooks = "4";

// The start screen: a picture, "Start Program" and "Cancel".
inline constexpr int kStartScreenDialog = 122;
namespace startscreen {
inline constexpr int kPicture = 154;
inline constexpr int kStart = 1;
inline constexpr int kCancel = 2;
}  // namespace startscreen

// Builds every dialog, attaches the callbacks, puts the start-up values in, shows the start
// screen (modal) and then the panel, and computes the start-up design. False, after the
// start-up error box, when a dialog cannot be built. The caller then runs the main loop,
// which ends at once when the start screen was cancelled.
bool startUp(Program& program);

// "Cancel" on the start screen: ends the program.
void STARTSCREEN(Program& program, Dialog& startScreen, int control);

}  // namespace qalix
