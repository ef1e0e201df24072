// The design every dialog and plot benchmark starts from, entered as a user enters it: a
// 16-look normseq design with m = 100 and equal groups, searched at rho_max 0.01.
#pragma once

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "platform/headless/driver.hpp"
#include "platform/headless/headless_platform.hpp"
#include "shell/startup.hpp"

namespace qalix {

class DesignedProgram {
  public:
    DesignedProgram() {
        platform_.onModal(kStartScreenDialog,
                          [this](Dialog&) { ui_.click(kStartScreenDialog, startscreen::kStart); });
        startUp(program_);
        ui_.type(panel::kSizeCombo, "100");
        ui_.type(panel::kLooksCombo, "16");
        platform_.onModal(kInfoTimeDialog,
                          [this](Dialog&) { ui_.click(kInfoTimeDialog, infotimes::kOk); });
        ui_.click(panel::kGroupSizesButton);
        ui_.type(panel::kRhoCombo, "0.01");
        ui_.click(panel::kCoeffButton);
        ui_.click(panel::kSequentialDesignButton);
    }
    Driver& ui() { return ui_; }
    HeadlessPlatform& platform() { return platform_; }
    Program& program() { return program_; }

  private:
    HeadlessPlatform platform_;
    Program program_{platform_};
    Driver ui_{program_.dialogs()};
};

}  // namespace qalix
