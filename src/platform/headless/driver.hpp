// Drives the program as a user would: types into controls, picks list items, clicks, spins
// and closes dialogs, and reads what they show. Refuses what a screen would refuse with a
// ControlRefused that names the control: a disabled control, a dialog that is not shown, or
// a dialog below the topmost modal one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/panel_ids.hpp"
#include "ui/dialog_set.hpp"

namespace qalix {

class Driver {
  public:
    explicit Driver(DialogSet& dialogs) : dialogs_(dialogs) {}

    // On the main control panel.
    void type(int control, std::string_view text) { type(kPanelDialog, control, text); }
    void pick(int control, std::string_view item) { pick(kPanelDialog, control, item); }
    void click(int control) { click(kPanelDialog, control); }
    std::string text(int control) const { return text(kPanelDialog, control); }
    bool enabled(int control) const { return enabled(kPanelDialog, control); }
    bool checked(int control) const { return checked(kPanelDialog, control); }

    // On any dialog.
    void type(int dialog, int control, std::string_view text);
    void pick(int dialog, int control, std::string_view item);
    void click(int dialog, int control);
    void spin(int dialog, int control, int position);
    // Esc, or the close box of the title bar.
    void close(int dialog);
    std::string text(int dialog, int control) const;
    bool enabled(int dialog, int control) const;
    bool checked(int dialog, int control) const;
    int position(int dialog, int control) const;
    std::vector<std::string> items(int dialog, int control) const;

  private:
    // The dialog, if a user could reach it now.
    Dialog& reachable(int dialog, std::string_view action);

    DialogSet& dialogs_;
};

}  // namespace qalix
