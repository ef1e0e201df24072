// What the program needs of the machine it runs on, below its dialogs: message boxes, modal
// and modeless dialogs, and the console line. The Qt platform shows real windows; the
// headless platform records and scripts them for tests and the command line.
#pragma once

#include <string_view>

namespace qalix {

class Dialog;

class Platform {
  public:
    virtual ~Platform() = default;

    // A modal message box with one OK button, owned by the frame window.
    virtual void messageBox(std::string_view text, std::string_view caption) = 0;

    // Runs a dialog modally: returns its exit code when it is closed.
    virtual int showModal(Dialog& dialog) = 0;

    // Shows a dialog that stays open while the program's own loop runs.
    virtual bool showModeless(Dialog& dialog) = 0;

    // A line on the program's standard output.
    virtual void consoleLine(std::string_view line) = 0;

    // Ends the program's main loop with the exit code.
    virtual void quit(int exitCode) = 0;
};

}  // namespace qalix
