// A program started on the headless platform, as a user finds it after the start screen.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/driver.hpp"
#include "platform/headless/headless_platform.hpp"
#include "shell/program.hpp"
#include "shell/startup.hpp"

namespace qalix::testing {

class StartedProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        whenShown(kStartScreenDialog, startscreen::kStart);
        ASSERT_TRUE(startUp(program));
    }

    DesignRecord& record() { return program.record(); }

    // Texts of the message boxes shown so far, cleared for the next step.
    std::vector<std::string> takeMessages() {
        std::vector<std::string> texts;
        for (const auto& m : platform.messages())
            texts.push_back(m.caption + ": " + m.text);
        platform.clearMessages();
        return texts;
    }

    // The modal dialogs shown since the start screen.
    std::vector<int> modalsShown() const {
        const auto& all = platform.modalDialogsShown();
        return {all.begin() + 1, all.end()};
    }

    // What the user does in the modal dialog the next action shows. A dialog the steps leave
    // open is ended with closeWith, as the user would end it after looking.
    template <typename Steps>
    void whenShown(int dialog, Steps steps, int closeWith = kIdOk) {
        platform.onModal(dialog, [this, dialog, steps, closeWith](Dialog& d) {
            steps();
            if (d.isOpen()) ui.click(dialog, closeWith);
        });
    }
    // Only looks at the dialog, then closes it.
    void whenShown(int dialog, int closeWith = kIdOk) {
        whenShown(
            dialog, [] {}, closeWith);
    }

    HeadlessPlatform platform;
    Program program{platform};
    Driver ui{program.dialogs()};
};

inline const std::string kEntryErrorBox = "Error: Error in type of entered data!";

}  // namespace qalix::testing
