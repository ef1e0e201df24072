// A program started on the headless platform, as a user finds it after the start screen.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/program.hpp"
#include "platform/headless/driver.hpp"
#include "platform/headless/headless_platform.hpp"
#include "shell/startup.hpp"

namespace qalix::testing {

class StartedProgram : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(startUp(program)); }

    DesignRecord& record() { return program.record(); }

    // Texts of the message boxes shown so far, cleared for the next step.
    std::vector<std::string> takeMessages() {
        std::vector<std::string> texts;
        for (const auto& m : platform.messages())
            texts.push_back(m.caption + ": " + m.text);
        platform.clearMessages();
        return texts;
    }

    HeadlessPlatform platform;
    Program program{platform};
    Driver ui{program};
};

inline const std::string kEntryErrorBox = "Error: Error in type of entered data!";

}  // namespace qalix::testing
