// What the design callbacks work on: the design record, the program's dialogs, the platform
// they are shown on, what the sequential-design callbacks keep between calls, and what they
// ask of the frame window. The running program (shell/) builds it; the callbacks know nothing
// of what else it holds. The contexts of the other subsystems add their own state to it.
#pragma once

#include <string_view>

#include "design/design_record.hpp"
#include "design/sequential_state.hpp"
#include "ui/dialog_set.hpp"
#include "ui/frame_hooks.hpp"
#include "ui/platform.hpp"

namespace qalix {

// Texts of the program's own messages.
inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kEntryError = "Error in type of entered data!";

struct DesignContext {
    DesignRecord& record;
    DialogSet& dialogs;
    Platform& platform;
    SequentialState& sequential;
    FrameHooks& frame;

    Dialog& dialog(int id) const { return dialogs.get(id); }
    Dialog& panel() const;
    // The modal "Error in type of entered data!" box over the frame window.
    void entryError() const { error(kEntryError); }
    // A modal box over the frame window, caption "Error", one OK button.
    void error(std::string_view text) const;
};

}  // namespace qalix
