// What the program says when a common dialog (file, font, page setup, print) fails: the
// dialog's extended error code turned into a message box of its own.
#pragma once

#include <string_view>

#include "ui/platform.hpp"

namespace qalix {

inline constexpr std::string_view kCommonDialogCaption = "Cannot Open This Dialog";

// The text for an extended error code; "Unknown error number" for a code without one.
std::string_view commonDialogErrorText(unsigned code);

// Shows the message of a failed common dialog (exclamation icon, no owner) and returns the
// box's result; a code of 0 (the user cancelled) shows nothing and returns 0.
int COMDLGER(Platform& platform, unsigned code);

// Whether the user accepted the common dialog; when it failed, its message has been shown.
template <typename Choice>
bool acceptedOrReported(Platform& platform, const Choice& choice) {
    if (choice.outcome == DialogOutcome::Accepted) return true;
    COMDLGER(platform, choice.outcome == DialogOutcome::Failed ? choice.errorCode : 0);
    return false;
}

}  // namespace qalix
