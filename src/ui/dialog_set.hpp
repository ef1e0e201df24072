// The dialogs of a running program, built from their templates and addressed by resource
// identifier, with the stack of modal dialogs open over one another.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/dialog.hpp"

namespace qalix {

// Where dialog templates come from: the program's own resources, or a test's.
using TemplateLoader = std::function<std::optional<DialogTemplate>(int dialogId)>;

class DialogSet {
  public:
    explicit DialogSet(TemplateLoader loader = loadDialogTemplate) : loader_(std::move(loader)) {}
    DialogSet(const DialogSet&) = delete;
    DialogSet& operator=(const DialogSet&) = delete;

    // Builds the dialog from its built-in template; false when there is none or it cannot
    // be read.
    bool init(int id);
    bool has(int id) const { return dialogs_.count(id) > 0; }
    // A dialog that was not built is a programming error (std::logic_error).
    Dialog& get(int id);
    const Dialog& get(int id) const;
    std::vector<int> ids() const;

    // The modal dialog opened last and still open, or none: nothing below it can be acted on.
    const Dialog* topModal() const;
    // The modal rule, for the user's actions on a dialog and for the frame's commands (no
    // dialog): refuses (ControlRefused) a dialog that is not shown, and anything below the
    // topmost modal dialog.
    void requireInput(const Dialog* dialog, std::string_view action) const;

  private:
    void track(const Dialog& dialog, Change change);

    TemplateLoader loader_;
    std::map<int, std::unique_ptr<Dialog>> dialogs_;
    std::vector<int> modals_;  // open modal dialogs, the topmost last
};

}  // namespace qalix
