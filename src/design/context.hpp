// What the design callbacks work on: the design record, the program's dialogs, the platform
// they are shown on, and what the sequential-design callbacks keep between calls. The
// running program (shell/) provides it; the callbacks know nothing of what else it holds.
#pragma once

#include <string_view>

#include "design/design_record.hpp"
#include "design/sequential_state.hpp"
#include "ui/dialog_set.hpp"
#include "ui/platform.hpp"

namespace qalix {

// Texts of the program's own messages.
inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kEntryError = "Error in type of entered data!";

class DesignContext {
  public:
    virtual DesignRecord& record() = 0;
    virtual const DesignRecord& record() const = 0;
    virtual DialogSet& dialogs() = 0;
    virtual const DialogSet& dialogs() const = 0;
    virtual Platform& platform() = 0;
    virtual SequentialState& sequential() = 0;
    virtual const SequentialState& sequential() const = 0;

    // The frame window as the panel reaches it: shown and set up for the mode the record's
    // graphicChosen/textChosen name, or minimised.
    virtual void showFrameInChosenMode() = 0;
    virtual void minimiseFrame() = 0;
    // Whether a sequential design is computed: a design choice clears every result shown of
    // the one before (false), "Sequential Design" computes the new one (true).
    virtual void setDesignComputed(bool computed) = 0;

    Dialog& dialog(int id) { return dialogs().get(id); }
    const Dialog& dialog(int id) const { return dialogs().get(id); }
    Dialog& panel();

    // The modal "Error in type of entered data!" box over the frame window.
    void entryError() { error(kEntryError); }
    // A modal box over the frame window, caption "Error", one OK button.
    void error(std::string_view text);

  protected:
    DesignContext() = default;
    ~DesignContext() = default;
    DesignContext(const DesignContext&) = default;
    DesignContext& operator=(const DesignContext&) = default;
};

}  // namespace qalix
