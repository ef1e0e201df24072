// Drives the program as a user would: types into controls, picks list items, clicks and
// spins, and reads what the dialogs show. Refuses what a screen would refuse (a disabled
// control) with a ControlRefused that names the control.
#pragma once

#include <string>
#include <string_view>

#include "design/program.hpp"

namespace qalix {

class Driver {
  public:
    explicit Driver(Program& program) : program_(program) {}

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
    std::string text(int dialog, int control) const;
    bool enabled(int dialog, int control) const;
    bool checked(int dialog, int control) const;

  private:
    Program& program_;
};

}  // namespace qalix
