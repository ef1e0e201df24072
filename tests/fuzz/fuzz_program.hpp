// The program as a user has it when a file is opened: started on the headless platform, a
// sequential design completed through the panel, the frame in the mode the file's command
// needs. Starting it costs more than reading a file, so each fuzz process builds one and
// puts back after every input what reading the input changed.
#pragma once

#include <memory>
#include <string>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "fuzz/fuzz_support.hpp"
#include "platform/headless/driver.hpp"
#include "platform/headless/headless_platform.hpp"
#include "shell/program.hpp"
#include "shell/startup.hpp"

namespace qalix::fuzz {

// The headless platform whose file dialogs always choose the input's file, and which keeps no
// record of file requests and beeps: over millions of inputs those records would fill memory.
class FuzzPlatform final : public HeadlessPlatform {
  public:
    explicit FuzzPlatform(const InputFile& file) : file_(file) {}
    FileChoice openFile(const FileRequest&) override {
        return {DialogOutcome::Accepted, file_.path(), 0};
    }
    void beep(int, int) override {}

  private:
    const InputFile& file_;
};

class FuzzProgram {
  public:
    // frameMode: panel::kTextWindow or panel::kGraphicWindow.
    FuzzProgram(std::string_view fileName, int frameMode) : file(fileName) {
        platform.onModal(kStartScreenDialog,
                         [this](Dialog&) { ui.click(kStartScreenDialog, startscreen::kStart); });
        require(startUp(program), "the program starts");
        completeDesign();
        ui.click(frameMode);
        require(platform.messages().empty(), "the design is completed without a message");
        keep();
    }

    // The input as the file the next file dialog chooses.
    void choose(std::string_view bytes) { file.write(bytes); }

    // The record as it is now becomes the one restore puts back.
    void keep() { started_ = std::make_unique<DesignRecord>(program.record()); }
    // The record as it was kept; the messages shown since are forgotten.
    void restore() {
        program.record() = *started_;
        platform.clearMessages();
    }

    InputFile file;
    FuzzPlatform platform{file};
    Program program{platform};
    Driver ui{program.dialogs()};

  private:
    // The panel's sections 3 and 4 with their start-up values: four looks, the group sizes
    // dialog accepted as it opens, rho_max 0.02 and the coefficient searched from it.
    void completeDesign() {
        using namespace panel;
        platform.onModal(kInfoTimeDialog,
                         [this](Dialog&) { ui.click(kInfoTimeDialog, infotimes::kOk); });
        ui.type(kLooksCombo, "4");
        ui.click(kGroupSizesButton);
        ui.type(kRhoCombo, "0.02");
        ui.click(kCoeffButton);
        ui.click(kRhoButton);
        ui.click(kSequentialDesignButton);
    }

    std::unique_ptr<DesignRecord> started_;
};

}  // namespace qalix::fuzz
