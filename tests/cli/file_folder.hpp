// A folder of its own for each test that writes files, emptied before and removed after.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace qalix::testing {

class FileFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("qalix_cli_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

}  // namespace qalix::testing
