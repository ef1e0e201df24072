// The plots in the graphic window: the Plot menu and the three plot dialogs as the user meets
// them, what the frame keeps of the plot shown last, the picture the window replays, the
// client area the plots are laid out in, the window font, and entries that cannot be read.
#include <string>
#include <vector>

#include "graphics/boundary_plot.hpp"
#include "graphics/plot_dialogs.hpp"
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
            EXPECT_TRUE(program.plots().showing.has_value());
            EXPECT_FALSE(linesStarting(picture(), std::string("text ")).empty());
        },
        kIdCancel);
    frame().command(c.command);
    result = program.dialog(c.dialog).exitCode();
    EXPECT_EQ(result, kPlotDialogResult);
    EXPECT_FALSE(program.plots().showing.has_value());
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

TEST_F(PlotWindow, MenuItemsFollowTheModeTheSimulationAndTheImport) {
    ASSERT_NO_FATAL_FAILURE(completeDesign());
    const auto enabled = [this](int id) { return frame().menu().enabled(id); };
    ui.click(panel::kTextWindow);
    for (int id : {menu::kPlotBoundary, menu::kPlotPower, menu::kPlotExpectedSize,
                   menu::kPlotSimulated, menu::kPlotImported})
        EXPECT_FALSE(enabled(id)) << id;
    ui.click(panel::kGraphicWindow);
    for (int id : {menu::kPlotBoundary, menu::kPlotPower, menu::kPlotExpectedSize})
        EXPECT_TRUE(enabled(id)) << id;
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

TEST_F(PlotWindow, TheWindowReplaysThePictureAndTextModeEndsIt) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    int notices = 0;
    frame().observe([&](FrameChange change) { notices += change == FrameChange::Picture; });
    plotPower();
    EXPECT_EQ(notices, 1);
    RecordingCanvas painted;
    frame().paint(painted);
    EXPECT_EQ(painted.lines(), picture());
    ui.click(panel::kTextWindow);
    EXPECT_EQ(frame().picture(), nullptr);
    RecordingCanvas inText;
    frame().paint(inText);
    EXPECT_TRUE(inText.lines().empty());
    ui.click(panel::kGraphicWindow);
    EXPECT_EQ(frame().picture(), nullptr);  // blank until a plot draws again
}

struct OriginCase {
    int command;
    const char* origin;
};

class PlotOrigin : public PlotWindow, public ::testing::WithParamInterface<OriginCase> {};

TEST_P(PlotOrigin, LiesAtTheFractionsOfAHundredByHundredClientArea) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    frame().setClientRect({0, 0, 100, 100});
    plot(GetParam().command, kPlotDialog);
    EXPECT_TRUE(hasLine(picture(), GetParam().origin));
}

INSTANTIATE_TEST_SUITE_P(Plots, PlotOrigin,
                         ::testing::Values(OriginCase{menu::kPlotBoundary, "origin 38 57"},
                                           OriginCase{menu::kPlotPower, "origin 40 65"},
                                           OriginCase{menu::kPlotExpectedSize, "origin 50 65"}));

TEST_F(PlotWindow, AResizeWhileTheDialogIsOpenDrawsThePlotForTheNewArea) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plot(menu::kPlotBoundary, kPlotDialog, [this] {
        EXPECT_TRUE(hasLine(picture(), "origin 570 456"));  // 1500 x 800 until measured
        frame().setClientRect({0, 0, 1000, 700});
        EXPECT_TRUE(hasLine(picture(), "origin 380 399"));
    });
    // Closed, the dialog draws nothing more: the picture keeps its area.
    frame().setClientRect({0, 0, 2000, 1000});
    EXPECT_TRUE(hasLine(picture(), "origin 380 399"));
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
        EXPECT_EQ(frame().windowFont().escapement, 0);
        EXPECT_EQ(frame().windowFont().orientation, 0);
    }
}

TEST_F(PlotWindow, AFontChosenWithChangeFontIsUsedByTheNextPassCaptionIncluded) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    FontDescription chosen = frame().windowFont();
    chosen.height = 20;
    chosen.weight = 700;
    chosen.face = "DejaVu Serif";
    platform.answerFont({DialogOutcome::Accepted, chosen, 0});
    frame().command(menu::kChangeFont);
    plotBoundary();
    const auto fonts = linesStarting(picture(), "font ");
    ASSERT_EQ(fonts.size(), 3u);
    for (const std::string& font : fonts) {
        EXPECT_EQ(font.rfind("font h=20 w=0 ", 0), 0u) << font;
        EXPECT_NE(font.find(" weight=700 italic=0 \"DejaVu Serif\""), std::string::npos) << font;
    }
    EXPECT_NE(fonts[1].find(" esc=900 orient=900 "), std::string::npos);
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

TEST_F(PlotWindow, AnUnreadableEntryStopsThePassAndLeavesThePictureAsItWas) {
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotPower();
    const auto power = picture();
    ui.type(panel::kAlphaCombo, "five percent");
    takeMessages();
    // The boundary plot reads alpha at every message; Cancel still ends the dialog.
    plot(menu::kPlotBoundary, kPlotDialog, [this] { ui.click(kPlotDialog, plotdesign::kRefresh); });
    EXPECT_EQ(takeMessages(), (std::vector<std::string>{kEntryErrorBox, kEntryErrorBox}));
    EXPECT_EQ(picture(), power);
    EXPECT_FALSE(program.dialog(kPlotDialog).isOpen());
    // The power plot reads rho_max alone and draws.
    plotPower();
    EXPECT_TRUE(takeMessages().empty());
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

TEST_P(PlotOutOfRange, StopsThePassWithTheRangeMessage) {
    const OutOfRangeCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(designInGraphicMode());
    plotBoundary();
    const auto boundary = picture();
    ui.type(c.control, c.typed);
    takeMessages();
    for (int command : {menu::kPlotBoundary, menu::kPlotPower, menu::kPlotExpectedSize}) {
        plot(command, kPlotDialog);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{c.message}) << command;
    }
    EXPECT_EQ(picture(), boundary);
}

INSTANTIATE_TEST_SUITE_P(
    Plots, PlotOutOfRange,
    ::testing::Values(OutOfRangeCase{"PowerAboveOne", panel::kPowerCombo, "2.15",
                                     "Error: The power must lie between 0 and 1."},
                      OutOfRangeCase{"SampleSizeZero", panel::kSizeCombo, "0",
                                     "Error: The sample size m must lie between 1 and 99999 "
                                     "for a sequential design."}),
    [](const ::testing::TestParamInfo<OutOfRangeCase>& p) { return std::string(p.param.name); });

TEST_F(PlotWindow, PlotsBeforeAnyDesignDrawWhatTheyCanWithoutLooks) {
    // The panel's "Graphic" waits for the design; the Window menu does not.
    frame().command(menu::kGraphicWindow);
    plotBoundary();
    EXPECT_TRUE(
        linesStarting(picture(), "text " + std::to_string(PlotMapping(kBoundaryScale).NEWX(1.21f)))
            .empty());
    EXPECT_TRUE(hasLine(picture(), "text 192 -396 \"QALIX DESIGN AND BOUNDARIES\""));
    plotPower();
    EXPECT_TRUE(hasLine(picture(), "text 107 -486 \"POWER FUNCTION\""));
    plotExpectedSize();
    EXPECT_TRUE(hasLine(picture(), "text -469 132 \"DESIGN PARAMETERS :\""));
    EXPECT_TRUE(takeMessages().empty());
}

}  // namespace
}  // namespace qalix::testing
