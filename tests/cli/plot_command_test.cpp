// "qalix plot": the plot named, of the design the options place, laid out in a graphic window
// of the size given and written as the frame's "Save As..." writes it: the metafile by the
// program itself, the other pictures by the renderer the build has.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli_run.hpp"
#include "file_folder.hpp"
#include "canvas/emf_player.hpp"
#include "canvas/recording_canvas.hpp"

namespace qalix::testing {
namespace {

namespace fs = std::filesystem;

// What a renderer was asked to draw.
struct RenderedPicture {
    std::string path;
    int width = 0;
    int height = 0;
    std::vector<std::string> log;
};

bool mentions(const std::vector<std::string>& log, const std::string& text) {
    return std::any_of(log.begin(), log.end(), [&](const std::string& line) {
        return line.find("\"" + text + "\"") != std::string::npos;
    });
}

int countMentions(const std::vector<std::string>& log, const std::string& text) {
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const std::string& line) {
        return line.find(text) != std::string::npos;
    }));
}

class PlotCommand : public FileFolderTest {
  protected:
    // Runs the command with a renderer that keeps the drawing instead of writing a file.
    CliRun runRendered(const std::vector<std::string>& args) {
        const PictureRenderer renderer = [this](const std::string& file, int width, int height,
                                                const std::function<void(Canvas&)>& draw,
                                                std::string&) {
            RecordingCanvas canvas;
            draw(canvas);
            rendered.push_back({file, width, height, canvas.lines()});
            return true;
        };
        return run(args, renderer);
    }

    static std::vector<std::string> played(const std::string& file) {
        RecordingCanvas canvas;
        const EmfPlayer player = EmfPlayer::open(file);
        player.play(canvas, player.picture().header.bounds);
        return canvas.lines();
    }

    std::vector<RenderedPicture> rendered;
};

TEST_F(PlotCommand, TheMetafileHoldsTheBoundaryPlotOfTheDesignGiven) {
    // Groups of 5, 10 and 15 of m = 25 (24.73 solved, rounded up) look at 5/25, 10/25, 15/25.
    const std::string file = path("groups.emf");
    const CliRun r = run({"plot", "boundary", "--groups", "5,5,5", "--out", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    const auto log = played(file);
    EXPECT_TRUE(mentions(log, "QALIX DESIGN AND BOUNDARIES"));
    for (const char* time : {"0.200", "0.400", "0.600", "1.000"})
        EXPECT_TRUE(mentions(log, time)) << time;
    for (const char* size : {"   5", "  10", "  15", "  25"})
        EXPECT_TRUE(mentions(log, size)) << size;
    EXPECT_FALSE(mentions(log, "0.240"));  // the default groups' first look
}

TEST_F(PlotCommand, EachNameOpensItsOwnPlot) {
    const std::vector<std::pair<std::string, std::string>> plots = {
        {"boundary", "QALIX DESIGN AND BOUNDARIES"},
        {"power", "POWER FUNCTION"},
        {"expected", "EXPECTED INFORMATION TIME OR SAMPLE SIZE"}};
    for (const auto& [name, title] : plots) {
        rendered.clear();
        const CliRun r = runRendered({"plot", name, "--looks", "3", "--out", path(name + ".svg")});
        ASSERT_EQ(r.status, 0) << name << ": " << r.err;
        ASSERT_EQ(rendered.size(), 1u);
        EXPECT_EQ(rendered[0].path, path(name + ".svg"));
        EXPECT_TRUE(mentions(rendered[0].log, title)) << name;
        for (const auto& [other, otherTitle] : plots) {
            if (other != name) {
                EXPECT_FALSE(mentions(rendered[0].log, otherTitle)) << name;
            }
        }
        EXPECT_EQ(countMentions(rendered[0].log, "Number of looks:  K =     3"), 1) << name;
    }
}

TEST_F(PlotCommand, ThePictureHasTheWindowSizeGivenAndThePlotsPageScaledIntoIt) {
    ASSERT_EQ(runRendered({"plot", "boundary", "--out", path("a.png")}).status, 0);
    ASSERT_EQ(runRendered(
                  {"plot", "boundary", "--out", path("b.png"), "--width", "800", "--height", "600"})
                  .status,
              0);
    ASSERT_EQ(rendered.size(), 2u);
    EXPECT_EQ(rendered[0].width, 1500);
    EXPECT_EQ(rendered[0].height, 800);
    EXPECT_EQ(rendered[1].width, 800);
    EXPECT_EQ(rendered[1].height, 600);
    // The plot is drawn on its page, whatever the window; the picture scales the page to its
    // size (at 300 by 200 a fragment of the plot was drawn).
    EXPECT_EQ(rendered[0].log, rendered[1].log);
}

TEST_F(PlotCommand, NewPathsDrawEverySetGivenAndTheSeedDrawsThemAgain) {
    const std::vector<std::string> args = {
        "plot",      "boundary", "--set", "mu=0.5,n=25", "--set", "mu=0,n=25", "--set",
        "mu=1,n=25", "--paths",  "new",   "--seed",      "5",     "--out",     path("paths.svg")};
    ASSERT_EQ(runRendered(args).status, 0);
    ASSERT_EQ(runRendered(args).status, 0);
    ASSERT_EQ(rendered.size(), 2u);
    const std::vector<std::string> log = rendered[0].log;  // more runs follow
    // A legend row of mu and delta = mu * sqrt(m) / SD (m = 24.73, SD = 1) for each set.
    EXPECT_EQ(countMentions(log, "Sample Paths         mu          delta"), 1);
    for (const char* row :
         {"  0.500         2.486     ", "  0.000         0.000     ", "  1.000         4.973     "})
        EXPECT_TRUE(mentions(log, row)) << row;
    EXPECT_EQ(rendered[1].log, log);

    ASSERT_EQ(runRendered({"plot", "boundary", "--out", path("none.svg")}).status, 0);
    EXPECT_EQ(countMentions(rendered[2].log, "Sample Paths"), 0);
    // Every path is a dotted line of its own colour, drawn over the plain plot.
    EXPECT_GT(log.size(), rendered[2].log.size() + 3 * 25);
}

TEST_F(PlotCommand, ImportedPathsAreDrawnAllOrAsSelected) {
    const std::string simu = path("two.txt");
    ASSERT_EQ(run({"simulate", "--set", "mu=0.5,n=25", "--set", "mu=0,n=25", "--seed", "3", "--out",
                   simu})
                  .status,
              0);
    const CliRun all = runRendered(
        {"plot", "boundary", "--kind", "simu", simu, "--paths", "all", "--out", path("all.svg")});
    ASSERT_EQ(all.status, 0) << all.err;
    const CliRun one = runRendered({"plot", "boundary", "--kind", "simu", simu, "--paths",
                                    "selected", "--select", "2", "--out", path("one.svg")});
    ASSERT_EQ(one.status, 0) << one.err;
    ASSERT_EQ(rendered.size(), 2u);
    EXPECT_EQ(countMentions(rendered[0].log, "Variables     Sample Paths"), 1);
    EXPECT_TRUE(mentions(rendered[0].log, "   1.    One               "));
    EXPECT_TRUE(mentions(rendered[0].log, "   2.    Two               "));
    // The selection is numbered anew, with the SD estimated from the record selected.
    const CliRun imported = run({"import", "--json", "--kind", "simu", simu});
    char estimated[16];
    std::snprintf(estimated, sizeof estimated, "%.3f",
                  imported.json()["imported"]["records"][1]["estimatedSD"]["value"].number());
    EXPECT_TRUE(mentions(rendered[1].log, "   1.    Two               "));
    EXPECT_TRUE(mentions(rendered[1].log, "  " + std::string(estimated) + "  estim      25"))
        << estimated;
    EXPECT_EQ(countMentions(rendered[1].log, "One"), 0);
}

TEST_F(PlotCommand, WithoutARendererOnlyTheMetafileIsWritten) {
    const CliRun r = run({"plot", "power", "--out", path("power.svg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot save the picture"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("FILE.emf"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("power.svg")));

    EXPECT_EQ(run({"plot", "power", "--out", path("power.emf")}).status, 0);
    EXPECT_TRUE(mentions(played(path("power.emf")), "POWER FUNCTION"));
}

TEST_F(PlotCommand, AFailingRendererIsReportedAsTheDesktopReportsIt) {
    const PictureRenderer refuses = [](const std::string&, int, int,
                                       const std::function<void(Canvas&)>&, std::string& reason) {
        reason = "the disk is full";
        return false;
    };
    const CliRun r = run({"plot", "boundary", "--out", path("b.png")}, refuses);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot save the picture: the disk is full."), std::string::npos) << r.err;
}

TEST_F(PlotCommand, ABadCommandLineIsRefusedBeforeAnythingIsDrawn) {
    const std::string out = path("x.svg");
    const std::vector<std::vector<std::string>> bad = {
        {"plot", "--out", out},                        // no plot named
        {"plot", "contour", "--out", out},             // no such plot
        {"plot", "boundary"},                          // nowhere to write it
        {"plot", "boundary", "--out", path("x.jpg")},  // a format it cannot write
        {"plot", "power", "--out", out, "--paths", "new", "--set", "mu=1,n=5"},
        {"plot", "boundary", "--out", out, "--paths", "new"},  // no sets to simulate
        {"plot", "boundary", "--out", out, "--paths", "all"},  // no files to import
        {"plot", "boundary", "--out", out, "--paths", "selected", "--kind", "simu", "f.txt"},
        {"plot", "boundary", "--out", out, "--paths", "some"},  // no such paths
        {"plot", "boundary", "--out", out, "--width", "50"},    // too small to lay out
        {"plot", "boundary", "--out", out, "--height", "8oo"},
        {"plot", "boundary", "--out", out, "--rho", "0.01", "--a", "0.5"},
    };
    for (const auto& args : bad) {
        const CliRun r = runRendered(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("usage: qalix"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(rendered.empty());
}

}  // namespace
}  // namespace qalix::testing
