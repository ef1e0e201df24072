// The plots in the graphic window: the Plot menu and the three plot dialogs as the user meets
// them, what the frame keeps of the plot shown last, the picture the window replays, the
// client area the plots are laid out in, the window font, and entries that cannot be read.
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "graphics/boundary_plot.hpp"
#include "graphics/plot_dialogs.hpp"
#include "graphics/plot_page.hpp"
#include "graphics/plot_pass.hpp"
#include "plot_program.hpp"

namespace qalix::testing {
namespace {

class PlotWindow : public PlotProgram {};

// ---- The Plot menu ------------------------------------------------------------------------

struct CommandCase {
    const char* name;
    int command;
    int dialog;
    const char* caption;
    const char* plotTag;
    const char* sampleSource;  // after the dialog closed; "" when it is left as it was
    const char* firstTitle;    // the plot's title
};

class PlotCommand : public PlotWindow, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(PlotCommand, RunsItsDialogDrawsItsPlotAndRemembersIt) {
    const CommandCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}});
    importAs("Observ", fixture("observ_two_records.txt"));
    ui.click(panel::kGraphicWindow);
    record().sampleSource = "before";
    int result = 0;
    whenShown(
        c.dialog,
        [&] {
            EXPECT_EQ(program.dialog(c.dialog).layout().title, c.caption);
            EXPECT_TRUE(program.graphics().showing.has_value());
            EXPECT_FALSE(linesStarting(picture(), std::string("text ")).empty());
        },
        kIdCancel);
    frame().command(c.command);
    result = program.dialog(c.dialog).exitCode();
    EXPECT_EQ(result, kPlotDialogResult);
    EXPECT_FALSE(program.graphics().showing.has_value());
    EXPECT_EQ(record().plotTag, c.plotTag);
    EXPECT_EQ(record().sampleSource, *c.sampleSource ? c.sampleSource : "before");
    // The picture stays after the dialog closed.
    const auto log = picture();
    bool titled = false;
    for (const std::string& line : log)
        titled = titled || line.find(std::string("\"") + c.firstTitle + "\"") != std::string::npos;
    EXPECT_TRUE(titled) << c.firstTitle;
    EXPECT_TRUE(takeMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PlotCommand,
    ::testing::Values(
        CommandCase{"Boundary", menu::kPlotBoundary, kPlotDialog, "Plot", "bound", "",
                    "QALIX DESIGN AND BOUNDARIES"},
        CommandCase{"Power", menu::kPlotPower, kPlotDialog, "Plot", "power", "", "POWER FUNCTION"},
        CommandCase{"ExpectedSize", menu::kPlotExpectedSize, kPlotDialog, "Plot", "expecsiz", "",
                    "EXPECTED INFORMATION TIME OR SAMPLE SIZE"},
        CommandCase{"Simulated", menu::kPlotSimulated, kPlotSimulationsDialog, "Plot Simulations",
                    "bound", "Simu", "QALIX DESIGN AND BOUNDARIES"},
        CommandCase{"Imported", menu::kPlotImported, kPlotImportedDialog, "Plot Imported Samples",
                    "bound", "Observ", "QALIX DESIGN AND BOUNDARIES"}),
    [](const ::testing::TestParamInfo<CommandCase>& p) { return std::string(p.param.name); });

TEST_F(PlotWindow, SequentialBoundaryDrawsNoPathsWhateverWasChosenBefore) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}});
    plot(menu::kPlotSimulated, kPlotSimulationsDialog,
         [this] { ui.click(kPlotSimulationsDialog, plotsimulations::kNew); });
    EXPECT_EQ(record().plotSource, "New");
    plotBoundary();
    EXPECT_EQ(record().plotSource, "None");
    EXPECT_TRUE(linesStarting(picture(), "pen dot 1").empty());
}

TEST_F(PlotWindow, RadioButtonsShowThePathsTheDialogDraws) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}});
    using namespace plotsimulations;
    // After the plain boundary plot none is chosen: the plot shows no paths.
    plotBoundary();
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        EXPECT_FALSE(ui.checked(kPlotSimulationsDialog, kNew));
        EXPECT_FALSE(ui.checked(kPlotSimulationsDialog, kSaved));
        EXPECT_TRUE(linesStarting(picture(), "pen dot 1").empty());
        ui.click(kPlotSimulationsDialog, kSaved);
    });
    // Reopened, the dialog keeps the choice and draws it at once.
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        EXPECT_FALSE(ui.checked(kPlotSimulationsDialog, kNew));
        EXPECT_TRUE(ui.checked(kPlotSimulationsDialog, kSaved));
        EXPECT_EQ(linesStarting(picture(), "pen dot 1").size(), 1u);
    });
}

TEST_F(PlotWindow, EscEndsAPlotDialogAsCancelDoes) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    platform.onModal(kPlotDialog, [this](Dialog&) { ui.close(kPlotDialog); });
    frame().command(menu::kPlotPower);
    EXPECT_EQ(program.dialog(kPlotDialog).exitCode(), kPlotDialogResult);
    EXPECT_FALSE(program.dialog(kPlotDialog).isOpen());
}

// The plot items stayed greyed until "Graphic" was clicked, with no hint why: they are offered
// once a design exists, in either window, and a plot chosen in the text window turns to the
// graphic window it draws into.
TEST_F(PlotWindow, MenuItemsFollowTheDesignTheSimulationAndTheImport) {
    const auto enabled = [this](int id) { return frame().menu().enabled(id); };
    const std::vector<int> designPlots = {menu::kPlotBoundary, menu::kPlotPower,
                                          menu::kPlotExpectedSize};
    for (int id : designPlots)
        EXPECT_FALSE(enabled(id)) << id;
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    ui.click(panel::kTextWindow);
    for (int id : designPlots) {
        EXPECT_TRUE(enabled(id)) << id;
        ui.click(panel::kTextWindow);
        plot(id, kPlotDialog);
        EXPECT_EQ(frame().mode(), FrameMode::Graphic) << id;
        EXPECT_TRUE(record().graphicChosen) << id;
        EXPECT_TRUE(ui.checked(panel::kGraphicWindow)) << id;  // the panel shows it too
        EXPECT_FALSE(ui.checked(panel::kTextWindow)) << id;
        EXPECT_NE(frame().picture(), nullptr) << id;
    }
    EXPECT_FALSE(enabled(menu::kPlotSimulated));
    EXPECT_FALSE(enabled(menu::kPlotImported));
    simulateSets({{"0.5", "25"}});
    EXPECT_TRUE(enabled(menu::kPlotSimulated));
    importAs("Observ", fixture("observ_two_records.txt"));
    ui.click(panel::kGraphicWindow);
    EXPECT_TRUE(enabled(menu::kPlotImported));
    // A design choice forgets the imports.
    ui.click(panel::kNormseqDesign);
    frame().command(menu::kGraphicWindow);
    EXPECT_FALSE(enabled(menu::kPlotImported));
}

// ---- The picture and the client area ------------------------------------------------------

// A switch to the text window dropped the plot: back in the graphic window, it was blank.
TEST_F(PlotWindow, TheWindowReplaysThePictureAndKeepsItAcrossASwitch) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    int notices = 0;
    frame().observe([&](FrameChange change) { notices += change == FrameChange::Picture; });
    plotPower();
    EXPECT_EQ(notices, 1);
    RecordingCanvas painted;
    frame().paint(painted);
    EXPECT_EQ(painted.lines(), picture());
    ui.click(panel::kTextWindow);
    RecordingCanvas inText;
    frame().paint(inText);
    EXPECT_TRUE(inText.lines().empty());
    ui.click(panel::kGraphicWindow);
    RecordingCanvas back;
    frame().paint(back);
    EXPECT_EQ(back.lines(), picture());
}

// A plot drawn for earlier inputs went on showing in the graphic window as if it were the
// design's: it says at its foot that its results are for earlier inputs, and, once the design
// is computed again from other inputs, that it is of a design computed before.
TEST_F(PlotWindow, APlotOfEarlierInputsSaysSo) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    const auto painted = [this] {
        RecordingCanvas canvas;
        frame().paint(canvas);
        return canvas.lines();
    };
    const auto notice = [&](const std::string& text) {
        const auto lines = painted();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
    };
    const std::string stale = "Results are for earlier inputs";
    const std::string before = "This plot is of a design computed before";
    EXPECT_FALSE(notice(stale) || notice(before));
    ui.type(panel::kAlphaCombo, "0.025");
    EXPECT_TRUE(notice(stale) && notice("Sig-level"));
    ui.click(panel::kSequentialDesignButton);
    EXPECT_FALSE(notice(stale));
    EXPECT_TRUE(notice(before));
    plotBoundary();
    EXPECT_FALSE(notice(stale) || notice(before));
}

// The plots are laid out on the page, whatever the size of the window: at 1000 x 650 the
// title, the design block and the legend were cut off. The window scales the page to its
// size; a picture file of the window is made the window's size.
TEST_F(PlotWindow, EveryPlotIsLaidOutOnThePageWhateverTheWindowsSize) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    for (int command : {menu::kPlotBoundary, menu::kPlotPower, menu::kPlotExpectedSize}) {
        frame().setClientRect({0, 0, kPlotPage.right, kPlotPage.bottom});
        plot(command, kPlotDialog);
        const auto atDefault = picture();
        plot(command, kPlotDialog, [this] { frame().setClientRect({0, 0, 1000, 650}); });
        EXPECT_EQ(picture(), atDefault) << command;
        frame().setClientRect({0, 0, 100, 100});
        plot(command, kPlotDialog);
        EXPECT_EQ(picture(), atDefault) << command;
    }
    EXPECT_TRUE(hasLine(picture(), "origin 750 520"));  // the expected-size plot's, on the page
    platform.answerSaveFile({DialogOutcome::Accepted, path("small.png"), 0});
    frame().command(menu::kSaveAs);
    ASSERT_EQ(platform.pictureRequests().size(), 1u);
    EXPECT_EQ(platform.pictureRequests()[0].width, 100);
    EXPECT_EQ(platform.pictureRequests()[0].height, 100);
}

// ---- The window font ----------------------------------------------------------------------

TEST_F(PlotWindow, EveryPassTurnsTheFontForTheVerticalCaptionAndSetsItBack) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    for (int command : {menu::kPlotBoundary, menu::kPlotPower, menu::kPlotExpectedSize}) {
        plot(command, kPlotDialog);
        const auto fonts = linesStarting(picture(), "font ");
        ASSERT_EQ(fonts.size(), 3u) << command;
        EXPECT_NE(fonts[1].find(" esc=900 orient=900 "), std::string::npos);
        EXPECT_NE(fonts[2].find(" esc=0 orient=0 "), std::string::npos);
        EXPECT_EQ(program.plotFont().escapement, 0);
        EXPECT_EQ(program.plotFont().orientation, 0);
    }
}

// Options > Change Font, the way to line up the comparison's columns in the text window, also
// changed the plots' font, whose labels then overprinted, in saved pictures too. The text
// window takes the font chosen; the plots keep their own, at the 16 units they are laid out
// for.
TEST_F(PlotWindow, ChangeFontReachesTheTextWindowAndNotThePlots) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    struct Row {
        int height;
        int weight;
        const char* face;
    };
    for (const Row& row : {Row{14, 700, "DejaVu Serif"}, Row{27, 400, "Liberation Sans"},
                           Row{8, 400, "Liberation Mono"}, Row{-27, 400, "DejaVu Sans"}}) {
        FontDescription chosen = frame().windowFont();
        chosen.height = row.height;
        chosen.weight = row.weight;
        chosen.face = row.face;
        platform.answerFont({DialogOutcome::Accepted, chosen, 0});
        frame().command(menu::kChangeFont);
        EXPECT_EQ(frame().windowFont(), chosen) << row.face;
        for (int command : {menu::kPlotBoundary, menu::kPlotPower, menu::kPlotExpectedSize}) {
            plot(command, kPlotDialog);
            for (const std::string& line : linesStarting(picture(), "font ")) {
                EXPECT_EQ(line.rfind("font h=16 w=0 ", 0), 0u) << line;
                EXPECT_NE(line.find(" weight=400 italic=0 \"Times New Roman\""), std::string::npos)
                    << line;
            }
        }
    }
}

// Sample paths ran out of the frame through the title and the P-values: each is drawn only
// inside the frame, leaving it where it crosses an edge and coming back where it crosses again.
TEST_F(PlotWindow, SamplePathsStayInsideThePlotsFrame) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"3.0", "25"}, {"-2.0", "25"}, {"0.2", "25"}});  // S reaches 15 and -10
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kSaved);
        ui.click(kPlotSimulationsDialog, plotsimulations::kRefresh);
    });
    const PlotMapping map(kBoundaryScale);
    int drawn = 0;
    for (const DrawnPath& path : drawnPaths(picture())) {
        for (const std::string& line : path.lines) {
            int x = 0;
            int y = 0;
            std::istringstream(line.substr(5)) >> x >> y;
            EXPECT_TRUE(x >= map.NEWX(-0.2f) && x <= map.NEWX(1.2f) && y >= map.NEWY(4.0f) &&
                        y <= map.NEWY(-2.0f))
                << line;
            ++drawn;
        }
    }
    EXPECT_GT(drawn, 20);  // the part inside is drawn, up to the frame's edge
}

TEST_F(PlotWindow, NoDrawingObjectsAccumulateOverManyPasses) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}, {"0.2", "25"}, {"0.0", "25"}});
    RecordingCanvas window;  // one surface that every picture is replayed onto
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [&] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kNew);
        for (int pass = 0; pass < 40; ++pass) {
            ui.click(kPlotSimulationsDialog, plotsimulations::kRefresh);
            const ObjectCounts& objects = frame().picture()->objects();
            EXPECT_LE(objects.alive(), 2);  // one pen and one font
            EXPECT_LE(objects.mostAlive, 3);
            frame().paint(window);
        }
    });
    EXPECT_LE(window.objects().alive(), 2);
    EXPECT_LE(window.objects().mostAlive, 3);
}

// ---- Entries that cannot be read ----------------------------------------------------------

// An entry no user can type, changed after the design: the plots of earlier inputs wait and the
// picture shown stays; "Sequential Design" refuses the entry.
TEST_F(PlotWindow, AnUnreadableEntryStopsTheDesignAndLeavesThePictureAsItWas) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    const auto power = picture();
    program.panel().setText(panel::kAlphaCombo, "five percent");  // as no user can type it
    EXPECT_FALSE(frame().menu().enabled(menu::kPlotBoundary));
    frame().command(menu::kPlotBoundary);
    EXPECT_EQ(picture(), power);
    EXPECT_FALSE(program.dialog(kPlotDialog).isOpen());
    ui.click(panel::kSequentialDesignButton);
    EXPECT_EQ(takeMessages(), (std::vector<std::string>{kEntryErrorBox}));
    EXPECT_FALSE(frame().menu().enabled(menu::kPlotPower));
}

TEST_F(PlotWindow, AnUnreadableDiscordanceStopsEveryPlot) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    ui.type(panel::kDiscordanceEdit, "small");
    takeMessages();
    for (int command : {menu::kPlotBoundary, menu::kPlotPower, menu::kPlotExpectedSize}) {
        plot(command, kPlotDialog);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox}) << command;
    }
    EXPECT_EQ(frame().picture(), nullptr);
}

TEST_F(PlotWindow, AChoiceOfPathsNeedsReadableEntriesToo) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    simulateSets({{"0.5", "25"}});
    plotBoundary();
    ui.type(panel::kDiscordanceEdit, "small");
    takeMessages();
    plot(menu::kPlotSimulated, kPlotSimulationsDialog, [this] {
        ui.click(kPlotSimulationsDialog, plotsimulations::kNew);
        EXPECT_FALSE(ui.checked(kPlotSimulationsDialog, plotsimulations::kNew));
    });
    EXPECT_EQ(record().plotSource, "None");
    EXPECT_EQ(takeMessages(), (std::vector<std::string>{kEntryErrorBox, kEntryErrorBox}));
}

// A parameter typed outside its range after the design was computed: every plot refuses
// it, rather than show an alternative or a mean of Infinity.
struct OutOfRangeCase {
    const char* name;
    int control;
    const char* typed;
    const char* message;
};

class PlotOutOfRange : public PlotWindow, public ::testing::WithParamInterface<OutOfRangeCase> {};

TEST_P(PlotOutOfRange, StopsTheDesignWithTheRangeMessageAndThePlotsWait) {
    const OutOfRangeCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    const auto boundary = picture();
    ui.type(c.control, c.typed);
    takeMessages();
    ui.click(panel::kSequentialDesignButton);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{c.message});
    for (int command : {menu::kPlotBoundary, menu::kPlotPower, menu::kPlotExpectedSize}) {
        EXPECT_FALSE(frame().menu().enabled(command)) << command;
        frame().command(command);
    }
    EXPECT_EQ(picture(), boundary);
}

INSTANTIATE_TEST_SUITE_P(
    Plots, PlotOutOfRange,
    ::testing::Values(OutOfRangeCase{"PowerAboveOne", panel::kPowerCombo, "2.15",
                                     "Error: The power must lie between 0 and 0.9999."},
                      OutOfRangeCase{"SampleSizeZero", panel::kSizeCombo, "0",
                                     "Error: The sample size m must lie between 1 and 99999 "
                                     "for a sequential design."}),
    [](const ::testing::TestParamInfo<OutOfRangeCase>& p) { return std::string(p.param.name); });

// Before any design the plots drew a design of start-up values: the graphic window and the
// plots wait for "Sequential Design". A pass without looks still draws what it can.
TEST_F(PlotWindow, PlotsBeforeAnyDesignWaitForItAndAPassDrawsWhatItCanWithoutLooks) {
    frame().command(menu::kGraphicWindow);
    EXPECT_EQ(frame().mode(), FrameMode::None);
    for (int command : {menu::kPlotBoundary, menu::kPlotPower, menu::kPlotExpectedSize}) {
        frame().command(command);
        EXPECT_EQ(frame().picture(), nullptr);
    }
    struct Pass {
        PlotKind kind;
        const char* line;
    };
    for (const Pass p : {Pass{PlotKind::Boundary, "text 192 -396 \"QALIX DESIGN AND BOUNDARIES\""},
                         Pass{PlotKind::Power, "text 107 -486 \"POWER FUNCTION\""},
                         Pass{PlotKind::ExpectedSize, "text -469 132 \"DESIGN PARAMETERS :\""}}) {
        RecordingCanvas canvas;
        ASSERT_TRUE(paintPlot(program, p.kind, canvas));
        EXPECT_TRUE(hasLine(canvas.lines(), p.line)) << p.line;
        if (p.kind == PlotKind::Boundary) {
            const int sumScale = PlotMapping(kBoundaryScale).NEWX(1.21f);
            EXPECT_TRUE(linesStarting(canvas.lines(), "text " + std::to_string(sumScale)).empty());
        }
        // No coefficient yet: the boundaries are left out, and said to be.
        EXPECT_EQ(takeMessages(), std::vector<std::string>{"Error: \"Bound-Coeff  a\" holds no "
                                                           "number: enter one first."})
            << p.line;
    }
}

}  // namespace
}  // namespace qalix::testing
