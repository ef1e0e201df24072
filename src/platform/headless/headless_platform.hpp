// The platform without a screen: message boxes are recorded, modal dialogs return at once
// (or run a script given for them) and stay open for the driver to go on with, and console
// lines are kept. Tests and the command line run the program on it.
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "design/platform.hpp"

namespace qalix {

struct RecordedMessage {
    std::string caption;
    std::string text;
};

class HeadlessPlatform : public Platform {
  public:
    void messageBox(std::string_view text, std::string_view caption) override;
    int showModal(Dialog& dialog) override;
    bool showModeless(Dialog& dialog) override;
    void consoleLine(std::string_view line) override;
    void quit(int exitCode) override;

    // A script run when the dialog is shown modally, in place of a user.
    void onModal(int dialogId, std::function<void(Dialog&)> script);
    // Console lines are also written here when set.
    void echoConsole(std::ostream* stream) { echo_ = stream; }

    const std::vector<RecordedMessage>& messages() const { return messages_; }
    void clearMessages() { messages_.clear(); }
    const std::vector<std::string>& consoleLines() const { return console_; }
    const std::vector<int>& modalDialogsShown() const { return modalShown_; }
    bool quitRequested() const { return quit_; }
    int quitCode() const { return quitCode_; }

  private:
    std::vector<RecordedMessage> messages_;
    std::vector<std::string> console_;
    std::vector<int> modalShown_;
    std::map<int, std::function<void(Dialog&)>> scripts_;
    std::ostream* echo_ = nullptr;
    bool quit_ = false;
    int quitCode_ = 0;
};

}  // namespace qalix
