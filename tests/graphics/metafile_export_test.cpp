// The metafile export as the user reaches it from the frame's "&Save" and "Save &As...", and
// the metafile "&Open...": what the files hold when the program's own player reads them
// back, against the window's drawing of the same plot.
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "graphics/boundary_plot.hpp"
#include "canvas/emf_player.hpp"
#include "graphics/expected_size_plot.hpp"
#include "graphics/metafile_export.hpp"
#include "canvas/overloaded.hpp"
#include "graphics/power_plot.hpp"
#include "plot_program.hpp"

namespace qalix::testing {
namespace {

namespace fs = std::filesystem;

// The calls a canvas k times larger receives: coordinates, origins, font sizes and pen
// widths multiplied (a width of 0, one device pixel, stays 0).
RecordingCanvas scaled(const RecordingCanvas& drawn, int k) {
    RecordingCanvas out;
    for (const CanvasCall& c : drawn.calls()) {
        std::visit(
            Overloaded{
                [&](const call::SelectPen& p) {
                    out.selectPen({p.pen.style, p.pen.width * k, p.pen.colour});
                },
                [&](const call::SelectFont& f) {
                    FontDescription font = f.font;
                    font.height *= k;
                    font.width *= k;
                    out.selectFont(font);
                },
                [&](const call::SetTextAlign& a) { out.setTextAlign(a.align); },
                [&](const call::SetGraphicsMode& m) { out.setGraphicsMode(m.mode); },
                [&](const call::SetViewportOrigin& o) { out.setViewportOrigin(o.x * k, o.y * k); },
                [&](const call::MoveTo& m) { out.moveTo(m.x * k, m.y * k); },
                [&](const call::LineTo& l) { out.lineTo(l.x * k, l.y * k); },
                [&](const call::Rectangle& r) {
                    out.rectangle(r.left * k, r.top * k, r.right * k, r.bottom * k);
                },
                [&](const call::TextOut& t) { out.textOut(t.x * k, t.y * k, t.text); }},
            c);
    }
    return out;
}

class MetafileExport : public PlotProgram {
  protected:
    void saveAs(const std::string& file) {
        platform.answerSaveFile({DialogOutcome::Accepted, file, 0});
        frame().command(menu::kSaveAs);
    }
    void save() { frame().command(menu::kSave); }
    // The file played into its own extent: the calls that drew it.
    std::vector<std::string> played(const std::string& file) {
        RecordingCanvas canvas;
        const EmfPlayer player = EmfPlayer::open(file);
        player.play(canvas, player.picture().header.bounds);
        return canvas.lines();
    }
    static bool mentions(const std::vector<std::string>& log, const std::string& text) {
        for (const std::string& line : log) {
            if (line.find("\"" + text + "\"") != std::string::npos) return true;
        }
        return false;
    }
};

// A line the export draws differently from the window: the text at a point of the plot.
struct Difference {
    WorldPoint windowAt;
    std::string windowText;
    WorldPoint exportAt;
    std::string exportText;
};

struct RoundTripCase {
    const char* name;
    int command;
    const PlotScale* scale;
    std::vector<Difference> differences;
    friend void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }
};

class ExportRoundTrip : public MetafileExport,
                        public ::testing::WithParamInterface<RoundTripCase> {};

std::string textLine(const PlotScale& scale, WorldPoint at, const std::string& text) {
    const PlotMapping m(scale);
    return "text " + std::to_string(m.NEWX(at.x)) + " " + std::to_string(m.NEWY(at.y)) + " \"" +
           text + "\"";
}

TEST_P(ExportRoundTrip, TheFileReplaysTheWindowDrawingOnAWhiteAreaWithItsOwnTexts) {
    const RoundTripCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plot(c.command, kPlotDialog);
    std::vector<std::string> expected = picture();
    for (const Difference& d : c.differences) {
        const auto line = std::find(expected.begin(), expected.end(),
                                    textLine(*c.scale, d.windowAt, d.windowText));
        ASSERT_NE(line, expected.end()) << d.windowText;
        *line = textLine(*c.scale, d.exportAt, d.exportText);
    }
    // The white area of the client rectangle under an invisible pen, right after the font.
    expected.insert(expected.begin() + 1, {"pen null 2 (0,0,0)", "rect 0 0 1500 800"});

    const std::string file = path("plot.emf");
    saveAs(file);
    ASSERT_TRUE(takeMessages().empty());
    EXPECT_EQ(played(file), expected);

    // Stretched twice as large, every call is scaled.
    const EmfPlayer player = EmfPlayer::open(file);
    const DeviceRect b = player.picture().header.bounds;
    RecordingCanvas own, twice;
    player.play(own, b);
    player.play(twice, {2 * b.left, 2 * b.top, 2 * b.right, 2 * b.bottom});
    EXPECT_EQ(twice.lines(), scaled(own, 2).lines());
}

INSTANTIATE_TEST_SUITE_P(
    Plots, ExportRoundTrip,
    ::testing::Values(RoundTripCase{"Boundary",
                                    menu::kPlotBoundary,
                                    &kBoundaryScale,
                                    {{{-0.75f, -1.0f},
                                      "3. Alt. std mean:  delta_a =    2.486",
                                      {-0.75f, -1.0f},
                                      "3. Std alternative:   delta_a =   2.486"}}},
                      RoundTripCase{"Power",
                                    menu::kPlotPower,
                                    &kPowerScale,
                                    {{{-3.5f, -0.47f},
                                      "3. Alternative:   delta_a =   2.486",
                                      {-3.5f, -0.47f},
                                      "3. Alternative:   delta =   2.486"},
                                     {{0.9f, -0.32f},
                                      "Mean Parameter   (delta or mu)",
                                      {0.9f, -0.35f},
                                      "Mean Parameter   (delta or mu)"}}},
                      RoundTripCase{"ExpectedSize",
                                    menu::kPlotExpectedSize,
                                    &kExpectedSizeScale,
                                    {{{-18.8f, -0.55f},
                                      "3. Alternative:   delta_a =   2.486",
                                      {-18.8f, -0.55f},
                                      "3. Alternative:   delta =   2.486"}}}),
    [](const ::testing::TestParamInfo<RoundTripCase>& p) { return std::string(p.param.name); });

TEST_F(MetafileExport, NewPathsAreSimulatedAfreshSavedPathsAreThoseOnTheScreen) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}, {"0.0", "25"}});
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kNew);
        ui.click(kPlotSimulationsDialog, plotsimulations::kRefresh);
    });
    const auto screenNew = drawnPaths(picture());
    saveAs(path("new.emf"));
    const auto fileNew = drawnPaths(played(path("new.emf")));
    ASSERT_EQ(fileNew.size(), 2u);
    EXPECT_NE(fileNew[0].lines, screenNew[0].lines);
    EXPECT_EQ(fileNew[0].pen, screenNew[0].pen);

    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kSave);
        ui.click(kPlotSimulationsDialog, plotsimulations::kSaved);
        ui.click(kPlotSimulationsDialog, plotsimulations::kRefresh);
    });
    const auto screenSaved = drawnPaths(picture());
    saveAs(path("saved.emf"));
    const auto fileSaved = drawnPaths(played(path("saved.emf")));
    ASSERT_EQ(fileSaved.size(), 2u);
    EXPECT_EQ(fileSaved[0].lines, screenSaved[0].lines);
    EXPECT_EQ(fileSaved[1].lines, screenSaved[1].lines);
    // The export's legend shows mu and delta, its header one place to the right.
    EXPECT_TRUE(mentions(played(path("saved.emf")), " Sample Paths        mu          delta"));
}

TEST_F(MetafileExport, AfterThePlainBoundaryPlotTheFileHoldsNoPaths) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}});
    plot(menu::kPlotSimulated, kPlotSimulationsDialog,
         [this] { ui.click(kPlotSimulationsDialog, plotsimulations::kNew); });
    EXPECT_EQ(record().sampleSource, "Simu");
    plotBoundary();
    saveAs(path("plain.emf"));
    EXPECT_TRUE(drawnPaths(played(path("plain.emf"))).empty());
}

TEST_F(MetafileExport, AFiveLetterNameWithItsBlanksWritesThatNameDotEmf) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    saveAs(path("bound.emf"));
    EXPECT_EQ(frame().metafileName(), "bound" + std::string(35, ' '));
    EXPECT_EQ(frame().title(), " Meta File:  bound");
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"bound.emf"});
}

// The file is written under the name given, never under one derived from it that could be
// another file: only a name that does not end in ".emf" (in any case) gets it added.
TEST(MetafileTarget, IsTheNameGivenWithEmfAddedOnlyWhenItIsMissing) {
    const std::pair<const char*, const char*> cases[] = {
        {"/tmp/bound.emf", "/tmp/bound.emf"},         {"/tmp/UPPER.EMF", "/tmp/UPPER.EMF"},
        {"/tmp/trailing .emf", "/tmp/trailing .emf"}, {"/tmp/plot", "/tmp/plot.emf"},
        {"/tmp/plot.txt", "/tmp/plot.txt.emf"},       {"/tmp/two.dots.Emf", "/tmp/two.dots.Emf"},
    };
    for (const auto& [chosen, written] : cases)
        EXPECT_EQ(metafileTarget(chosen), fs::path(written)) << chosen;
}

TEST_F(MetafileExport, ALongNameIsWrittenWhole) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    const std::string name = "boundary_plot_of_the_trial_design_with_four_looks";  // 49
    saveAs(path(name + ".emf"));
    EXPECT_TRUE(fs::exists(path(name + ".emf")));
    EXPECT_EQ(frame().title(), " Meta File:  " + name.substr(0, 40));
}

TEST_F(MetafileExport, AFileThatCannotBeCreatedIsReportedInABoxOfItsOwn) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    saveAs(path("no/such/folder/plot.emf"));
    ASSERT_EQ(platform.messages().size(), 1u);
    const Message& m = platform.messages()[0];
    EXPECT_EQ(m.caption, "Error");
    EXPECT_EQ(m.text, "Cannot save metafile " + path("no/such/folder/plot.emf") +
                          ": No such file or directory");
    EXPECT_EQ(m.owner, MessageOwner::None);
    EXPECT_FALSE(fs::exists(path("no")));
}

TEST_F(MetafileExport, SaveWritesTheBoundaryPlotAndSaveAsThePlotShownLast) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    // No name yet: "Save" asks for one.
    platform.answerSaveFile({DialogOutcome::Accepted, path("first.emf"), 0});
    save();
    EXPECT_EQ(platform.fileRequests().size(), 1u);
    EXPECT_TRUE(mentions(played(path("first.emf")), "QALIX DESIGN AND BOUNDARIES"));
    // Named, "Save" writes under that name again, still the boundary plot.
    fs::remove(path("first.emf"));
    save();
    EXPECT_EQ(platform.fileRequests().size(), 1u);
    EXPECT_TRUE(mentions(played(path("first.emf")), "QALIX DESIGN AND BOUNDARIES"));

    saveAs(path("power.emf"));
    EXPECT_TRUE(mentions(played(path("power.emf")), "POWER FUNCTION"));
    plotExpectedSize();
    saveAs(path("expected.emf"));
    EXPECT_TRUE(mentions(played(path("expected.emf")), "EXPECTED INFORMATION TIME OR SAMPLE SIZE"));
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(MetafileExport, TheExportReadsThePanelAsItStandsNow) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    ui.type(panel::kAlphaCombo, "0.025");
    takeMessages();
    saveAs(path("alpha.emf"));
    const auto log = played(path("alpha.emf"));
    EXPECT_TRUE(mentions(log, "1. Sig-level:  alpha = 0.0250"));
    // The final critical P-value is alpha itself: the boundaries are drawn for that alpha.
    EXPECT_TRUE(mentions(log, "0.0250"));
    EXPECT_TRUE(hasLine(log, textLine(kBoundaryScale, {1.0f, -2.6f}, "0.0250")));
}

TEST_F(MetafileExport, AnUnreadableEntryWritesNoFile) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotExpectedSize();
    program.panel().setText(panel::kSizeCombo, "many");  // as no user can type it any more
    saveAs(path("size.emf"));
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_FALSE(fs::exists(path("size.emf")));
}

TEST_F(MetafileExport, OpenShowsTheMetafileStretchedOverThePage) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    saveAs(path("power.emf"));
    platform.answerOpenFile({DialogOutcome::Accepted, path("power.emf"), 0});
    frame().command(menu::kOpen);
    EXPECT_EQ(frame().title(), " Meta File:  power");
    EXPECT_EQ(frame().picture(), nullptr);
    ASSERT_NE(frame().openedMetafile(), nullptr);
    frame().setClientRect({0, 0, 750, 400});  // the window scales the page to its size
    RecordingCanvas painted, expected;
    frame().paint(painted);
    EmfPlayer::open(path("power.emf")).play(expected, {0, 0, 1499, 799});
    EXPECT_EQ(painted.lines(), expected.lines());
    EXPECT_TRUE(mentions(painted.lines(), "POWER FUNCTION"));
    // A plot drawn after it shows instead; the metafile stays open for printing.
    plotBoundary();
    RecordingCanvas plotted;
    frame().paint(plotted);
    EXPECT_EQ(plotted.lines(), picture());
    EXPECT_NE(frame().openedMetafile(), nullptr);
}

TEST_F(MetafileExport, AFileThePlayerRefusesIsNamedAndNothingIsShown) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    const std::string damaged =
        std::string(QALIX_SOURCE_DIR) + "/tests/canvas/fixtures/record_size_past_end.emf";
    platform.answerOpenFile({DialogOutcome::Accepted, damaged, 0});
    frame().command(menu::kOpen);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, "Error");
    EXPECT_NE(platform.messages()[0].text.find("record_size_past_end.emf"), std::string::npos);
    EXPECT_EQ(frame().openedMetafile(), nullptr);
    RecordingCanvas painted;
    frame().paint(painted);
    EXPECT_TRUE(painted.lines().empty());
}

}  // namespace
}  // namespace qalix::testing
