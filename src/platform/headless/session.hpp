// One run of the program on the headless platform, driven as a user drives it: by the command
// line, and by the design files and reports, which compute a design in a program of their own.
// It starts the whole program (src/shell) on this layer's platform and driver, so it sits
// above the shell and below the documents that compute with it.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless/driver.hpp"
#include "platform/picture_plugin.hpp"
#include "platform/headless/headless_platform.hpp"
#include "shell/program.hpp"
#include "shell/startup.hpp"

namespace qalix {

// The first message box the program showed stops the run, as it stops the computation.
struct MessageShown {
    Message message;
};

// The headless platform with pictures drawn by the renderer given, if any.
class SessionPlatform : public HeadlessPlatform {
  public:
    explicit SessionPlatform(PictureRenderer renderer) : renderer_(std::move(renderer)) {}

    bool savePicture(const std::string& path, int width, int height,
                     const std::function<void(Canvas&)>& draw, std::string& reason) override {
        if (renderer_) return renderer_(path, width, height, draw, reason);
        reason =
            "this qalix was built without the desktop libraries that draw SVG, PDF and "
            "PNG pictures; write the metafile, FILE.emf, instead";
        return false;
    }

  private:
    PictureRenderer renderer_;
};

class Session {
  public:
    explicit Session(PictureRenderer renderer = {})
        : platform_(std::move(renderer)), program_(platform_), ui_(program_.dialogs()) {}

    Program& program() { return program_; }
    Driver& ui() { return ui_; }
    // The start screen answered as the user answers it, and the program started; a message of
    // start-up ends the run.
    void start();
    SessionPlatform& platform() { return platform_; }

    // Every user action goes through here so that a message box ends the run; a notice is
    // printed and the run goes on.
    template <typename Action>
    void act(Action action) {
        action(ui_);
        checkMessages();
    }
    void checkMessages() {
        std::vector<Message> shown = platform_.messages();
        platform_.clearMessages();
        for (const Message& m : shown) {
            if (!m.notice) throw MessageShown{m};
            if (notices_ != nullptr) *notices_ << m.caption << ": " << m.text << '\n';
        }
    }
    // Where notices are printed.
    void printNotices(std::ostream* stream) { notices_ = stream; }

    // What the user does in a modal dialog that the next action opens: the steps, then the
    // button that closes it.
    template <typename Steps>
    void inModal(int dialog, int closeButton, Steps steps) {
        platform_.onModal(dialog, [this, dialog, closeButton, steps](Dialog&) {
            steps();
            act([&](Driver& ui) { ui.click(dialog, closeButton); });
        });
    }

  private:
    SessionPlatform platform_;
    Program program_;
    Driver ui_;
    std::ostream* notices_ = nullptr;
};

inline void Session::start() {
    platform_.onModal(kStartScreenDialog,
                      [this](Dialog&) { ui_.click(kStartScreenDialog, startscreen::kStart); });
    startUp(program_);
    checkMessages();
}

}  // namespace qalix
