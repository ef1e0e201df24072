// qalix report: the document it is asked for, written or refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_run.hpp"
#include "file_folder.hpp"

namespace qalix::testing {
namespace {

class ReportCommand : public FileFolderTest {};

TEST_F(ReportCommand, APdfWithoutTheRendererIsRefusedNotFaked) {
    const CliRun r = run({"report", "--looks", "4", "--out", path("report.pdf")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot write the report"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(path("report.pdf")));
}

}  // namespace
}  // namespace qalix::testing
