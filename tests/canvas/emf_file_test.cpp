// Saving a metafile: the file holds exactly what was drawn, replaces a file of that name
// whole, and a save that cannot be made is reported and leaves no file and no temporary.
// Where the machine has another program's metafile reader, it opens what was written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "canvas/emf_player.hpp"
#include "canvas/emf_writer.hpp"
#include "canvas/recording_canvas.hpp"
#include "canvas/sample_drawing.hpp"
#include "support/file_text.hpp"

namespace qalix {
namespace {

namespace fs = std::filesystem;

class EmfFile : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / ("qalix_emf_" + std::string(info->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::vector<fs::path> filesInFolder() const {
        return {fs::directory_iterator(folder), fs::directory_iterator()};
    }

    fs::path folder;
};

TEST_F(EmfFile, FinishWritesTheDrawingAndNothingElse) {
    const fs::path target = folder / "bound.emf";
    EmfWriter writer(target);
    ASSERT_TRUE(writer.isOpen());
    test::drawSample(writer, 1, 1);
    ASSERT_TRUE(writer.finish());
    EmfEncoder same;
    test::drawSample(same, 1, 1);
    const std::string written = testing::fileText(target);
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), same.metafile());
    EXPECT_EQ(filesInFolder(), std::vector<fs::path>{target});  // no temporary left
    EXPECT_FALSE(writer.finish());                              // a writer finishes once
}

TEST_F(EmfFile, AFileOfTheSameNameIsReplacedWhole) {
    const fs::path target = folder / "power.emf";
    { std::ofstream(target) << std::string(5000, 'x'); }
    EmfWriter writer(target);
    writer.moveTo(1, 1);
    ASSERT_TRUE(writer.finish());
    const EmfPlayer player = EmfPlayer::open(target);
    RecordingCanvas played;
    player.play(played, {0, 0, 10, 10});
    EXPECT_EQ(played.lines(), std::vector<std::string>{"move 1 1"});
    EXPECT_EQ(filesInFolder(), std::vector<fs::path>{target});
}

TEST_F(EmfFile, AFolderThatDoesNotExistIsReportedAndLeavesNoFile) {
    const fs::path target = folder / "missing" / "plot.emf";
    EmfWriter writer(target);
    EXPECT_FALSE(writer.isOpen());  // known before anything is drawn
    test::drawSample(writer, 1, 1);
    EXPECT_FALSE(writer.finish());
    EXPECT_FALSE(fs::exists(folder / "missing"));
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(EmfFile, AFolderWhereTheFileShouldGoIsRefusedAndKept) {
    const fs::path target = folder / "taken.emf";
    fs::create_directory(target);
    { std::ofstream(target / "inside.txt") << "kept"; }
    EmfWriter writer(target);
    EXPECT_FALSE(writer.isOpen());
    writer.lineTo(5, 5);
    EXPECT_FALSE(writer.finish());
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_TRUE(fs::exists(target / "inside.txt"));
    EXPECT_EQ(filesInFolder(), std::vector<fs::path>{target});
}

TEST_F(EmfFile, AWriterDroppedUnfinishedLeavesNothing) {
    const fs::path target = folder / "dropped.emf";
    {
        EmfWriter writer(target);
        ASSERT_TRUE(writer.isOpen());
        EXPECT_EQ(filesInFolder().size(), 1u);  // the temporary, beside the target
        writer.lineTo(5, 5);
    }
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(EmfFile, AnotherProgramsReaderOpensTheFile) {
    const std::string reader = QALIX_EMF2SVG;
    if (reader.empty()) GTEST_SKIP() << "no emf2svg-conv this build can start";
    const fs::path emf = folder / "sample.emf", svg = folder / "sample.svg";
    EmfWriter writer(emf);
    test::drawSample(writer, 1, 1);
    ASSERT_TRUE(writer.finish());
    const std::string command = reader + " -i '" + emf.string() + "' -o '" + svg.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string text = testing::fileText(svg);
    for (const char* expected :
         {"1. Sig-level:  alpha = 0.0500", "Test statistic", "font-family=\"Times New Roman\"",
          "rotate(-90", "stroke=\"#DA1317\"", "fill=\"#FFFFFF\""})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

}  // namespace
}  // namespace qalix
