// One run of the program on the headless platform, driven by the command line.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/picture_renderer.hpp"
#include "platform/headless/driver.hpp"
#include "platform/headless/headless_platform.hpp"
#include "shell/program.hpp"

namespace qalix {

// The first message box the program showed stops the run, as it stops the computation.
struct MessageShown {
    Message message;
};

// The headless platform with pictures drawn by the renderer the build has.
class CliPlatform : public HeadlessPlatform {
  public:
    explicit CliPlatform(PictureRenderer renderer) : renderer_(std::move(renderer)) {}

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
    CliPlatform& platform() { return platform_; }

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
    CliPlatform platform_;
    Program program_;
    Driver ui_;
    std::ostream* notices_ = nullptr;
};

}  // namespace qalix
