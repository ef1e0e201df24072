// What a user may never see, whatever was done before: "nan" or "inf" in a text the program
// wrote, a probability outside [0, 1], or a probability field filled with asterisks.
// Each check looks at one text, so that a user of them checks only what changed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "canvas/recording_canvas.hpp"
#include "ui/dialog.hpp"
#include "ui/platform.hpp"

namespace qalix::testing {

// The word ("nan", "inf", "infinity", any case) by which the text shows a number that is
// not one, or nothing.
std::optional<std::string> nonNumberWord(std::string_view text);

// The fault a control of a dialog shows: "nan" or "inf" in its text (unless the user typed
// it) or its list, or a probability field that shows no number in [0, 1]. Nothing when there
// is none.
std::optional<std::string> controlFault(const Dialog& dialog, int control, bool typedByUser);

// The fault a text of the frame's picture or its title shows, or nothing.
std::optional<std::string> pictureFault(const RecordingCanvas& picture);
std::optional<std::string> titleFault(const std::string& title);

// The first fault in the texts of a message box, or nothing.
std::optional<std::string> messageFault(const Message& message);

}  // namespace qalix::testing
