// One run of the program on the headless platform, driven by the command line.
#pragma once

#include "design/program.hpp"
#include "platform/headless/driver.hpp"
#include "platform/headless/headless_platform.hpp"

namespace qalix {

// The first message box the program showed stops the run, as it stops the computation.
struct MessageShown {
    RecordedMessage message;
};

class Session {
  public:
    Session() : program_(platform_), ui_(program_) {}

    Program& program() { return program_; }
    Driver& ui() { return ui_; }
    HeadlessPlatform& platform() { return platform_; }

    // Every user action goes through here so that a message box ends the run.
    template <typename Action>
    void act(Action action) {
        action(ui_);
        if (!platform_.messages().empty()) throw MessageShown{platform_.messages().front()};
    }

  private:
    HeadlessPlatform platform_;
    Program program_;
    Driver ui_;
};

}  // namespace qalix
