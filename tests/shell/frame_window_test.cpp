// The frame window as the user meets it: the two modes chosen on the panel or in the Window
// menu, their titles and greyed items, the text window and its files, the font, help, the
// about box, and the start-up that leads to the panel.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "graphics/plot_ids.hpp"
#include "program_version.hpp"
#include "samples/simulation_ids.hpp"
#include "shell/about_box.hpp"
#include "shell/text_files.hpp"
#include "support/started_program.hpp"
#include "ui/common_dialog_errors.hpp"
#include "ui/file_titles.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::testing {
namespace {

namespace fs = std::filesystem;

// A folder of its own for each test's files, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        path_ =
            fs::temp_directory_path() /
            ("qalix-frame-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class Frame : public StartedProgram {
  protected:
    FrameWindow& frame() { return program.frame(); }
    bool enabled(int command) { return frame().menu().enabled(command); }
    // "Sequential Design" done, so that the window buttons are usable.
    void designed() {
        whenShown(kInfoTimeDialog);
        ui.click(panel::kGroupSizesButton);
        ui.click(panel::kCoeffButton);
        ui.click(panel::kSequentialDesignButton);
        ASSERT_TRUE(takeMessages().empty());
    }
    void textMode() {
        designed();
        ui.click(panel::kTextWindow);
    }
    void openFile(const std::string& path) {
        platform.answerOpenFile({DialogOutcome::Accepted, path, 0});
        frame().command(menu::kOpen);
    }
    void saveFileAs(const std::string& path) {
        platform.answerSaveFile({DialogOutcome::Accepted, path, 0});
        frame().command(menu::kSaveAs);
    }
    TempFolder folder;
};

// ---- Modes ------------------------------------------------------------------------------

TEST_F(Frame, StartsWithoutAModeUnderTheProgramsTitle) {
    EXPECT_EQ(frame().mode(), FrameMode::None);
    EXPECT_EQ(frame().title(), "QALIXinfWin");
    EXPECT_FALSE(frame().hasTextWindow());
    // Before either window, what acts in one of them is greyed and does nothing; what acts in
    // every mode is not.
    EXPECT_FALSE(enabled(menu::kUndo));
    EXPECT_FALSE(enabled(menu::kOpen));
    EXPECT_TRUE(enabled(menu::kChangeFont));
    EXPECT_TRUE(enabled(menu::kTextWindow));
    frame().command(menu::kOpen);
    EXPECT_TRUE(platform.fileRequests().empty());
}

TEST_F(Frame, PanelButtonsChooseTheModeTitleAndItems) {
    designed();
    ui.click(panel::kTextWindow);
    EXPECT_EQ(frame().mode(), FrameMode::Text);
    EXPECT_EQ(frame().title(), "Text Window: Save and Import Data");
    EXPECT_EQ(frame().text(), "  ");  // a new text window holds two blanks
    EXPECT_TRUE(record().textChosen);
    EXPECT_FALSE(record().graphicChosen);
    for (int id : {menu::kUndo, menu::kCut, menu::kCopy, menu::kPaste})
        EXPECT_TRUE(enabled(id)) << id;
    for (int id : {menu::kPlotSimulated, menu::kPlotImported, menu::kPrintMetafile})
        EXPECT_FALSE(enabled(id)) << id;

    ui.click(panel::kGraphicWindow);
    EXPECT_EQ(frame().mode(), FrameMode::Graphic);
    EXPECT_EQ(frame().title(), "Graphic Window: Plotting");
    EXPECT_FALSE(frame().hasTextWindow());
    EXPECT_TRUE(record().graphicChosen);
    for (int id : {menu::kUndo, menu::kCut, menu::kCopy, menu::kPaste, menu::kSaveSimulation,
                   menu::kImportSimulated, menu::kImportObserved, menu::kImportVariableNames,
                   menu::kPrintText})
        EXPECT_FALSE(enabled(id)) << id;
}

// A switch of window emptied the text window without a word, losing what the user typed or
// what the program had just written there: the text and its unsaved state stay across any
// number of switches, by the panel or the Window menu, to the same mode or the other.
TEST_F(Frame, TheTextWindowKeepsItsTextAcrossSwitches) {
    struct Row {
        const char* how;
        std::function<void()> switchAway;
        std::function<void()> switchBack;
    };
    const std::vector<Row> rows = {
        {"panel buttons", [&] { ui.click(panel::kGraphicWindow); },
         [&] { ui.click(panel::kTextWindow); }},
        {"Window menu", [&] { frame().command(menu::kGraphicWindow); },
         [&] { frame().command(menu::kTextWindow); }},
        {"the same mode again", [&] { ui.click(panel::kTextWindow); },
         [&] { frame().command(menu::kTextWindow); }},
    };
    textMode();
    for (const Row& row : rows) {
        frame().userEdit("typed by the user, " + std::string(row.how));
        row.switchAway();
        row.switchBack();
        EXPECT_EQ(frame().text(), "typed by the user, " + std::string(row.how)) << row.how;
        EXPECT_TRUE(frame().textModified()) << row.how;
    }
    frame().insertText("\nwritten by the program");
    ui.click(panel::kGraphicWindow);
    ui.click(panel::kTextWindow);
    EXPECT_EQ(frame().text(), "typed by the user, the same mode again\nwritten by the program");
    EXPECT_TRUE(takeMessages().empty());
}

// What replaces the text window's content asks first when it holds changes not saved: "No"
// keeps them and asks for no file; "Yes" goes on.
TEST_F(Frame, ReplacingUnsavedTextAsksFirst) {
    const std::string file = folder.file("observed.txt");
    writeBytes(file, "1 1 0.5\n1 2 0.7\n");
    struct Row {
        int command;
        bool choosesFile;
        std::string shownAfter;
    };
    const std::vector<Row> rows = {
        {menu::kNew, false, "  "},
        {menu::kOpen, true, "1 1 0.5\n1 2 0.7\n"},
        {menu::kImportObserved, true, "1 1 0.5\n1 2 0.7\n"},
        {menu::kImportVariableNames, true, "1 1 0.5\n1 2 0.7\n"},
    };
    textMode();
    for (const Row& row : rows) {
        frame().userEdit("notes not saved");
        const std::size_t filesAsked = platform.fileRequests().size();
        platform.answerQuestion(kIdNo);
        frame().command(row.command);
        EXPECT_EQ(frame().text(), "notes not saved") << row.command;
        EXPECT_TRUE(frame().textModified()) << row.command;
        EXPECT_EQ(platform.fileRequests().size(), filesAsked) << row.command;
        EXPECT_EQ(takeMessages(), std::vector<std::string>{"QALIXinfWin: The text window holds "
                                                           "changes that are not saved.\n\n"
                                                           "Discard them?"})
            << row.command;

        platform.answerQuestion(kIdYes);
        if (row.choosesFile) platform.answerOpenFile({DialogOutcome::Accepted, file, 0});
        frame().command(row.command);
        EXPECT_EQ(frame().text(), row.shownAfter) << row.command;
        EXPECT_FALSE(frame().textModified()) << row.command;
        EXPECT_EQ(takeMessages().size(), 1u) << row.command;
        // Not modified since: replaced without a question.
        if (row.choosesFile) platform.answerOpenFile({DialogOutcome::Cancelled, "", 0});
        frame().command(row.command);
        EXPECT_TRUE(takeMessages().empty()) << row.command;
    }
}

TEST_F(Frame, WindowMenuSwitchesModesLikeThePanel) {
    designed();
    frame().command(menu::kGraphicWindow);
    EXPECT_EQ(frame().mode(), FrameMode::Graphic);
    EXPECT_TRUE(record().graphicChosen);
    frame().command(menu::kTextWindow);
    EXPECT_EQ(frame().mode(), FrameMode::Text);
    EXPECT_TRUE(record().textChosen);
    EXPECT_FALSE(record().graphicChosen);
}

TEST_F(Frame, CloseMinimisesAndTheWindowButtonsShowItAgain) {
    designed();
    ui.click(panel::kCloseWindow);
    EXPECT_TRUE(frame().minimised());
    ui.click(panel::kGraphicWindow);
    EXPECT_FALSE(frame().minimised());
    frame().command(menu::kClose);
    EXPECT_TRUE(frame().minimised());
    EXPECT_FALSE(platform.quitRequested());
}

TEST_F(Frame, ClosingTheFrameOrThePanelEndsTheProgram) {
    frame().userClose();
    EXPECT_TRUE(platform.quitRequested());
    EXPECT_EQ(platform.quitCode(), 0);
}

TEST_F(Frame, ClosingThePanelEndsTheProgramAsExitDoes) {
    ui.close(kPanelDialog);
    EXPECT_TRUE(platform.quitRequested());
    EXPECT_EQ(platform.runMainLoop(), 0);
}

// Closing ended the program without a word, losing what the user had typed: with changes
// not saved the close box asks first, and "No" goes on; saved, or untouched, it just ends.
TEST_F(Frame, ClosingWithTextNotSavedAsksFirst) {
    textMode();
    frame().userEdit("  notes");
    platform.answerQuestion(kIdNo);
    frame().userClose();
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"QALIXinfWin: The text window holds "
                                                       "changes that are not saved.\n\nEnd the "
                                                       "program?"});
    EXPECT_FALSE(platform.quitRequested());
    saveFileAs(folder.file("notes.txt"));
    ui.close(kPanelDialog);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_TRUE(platform.quitRequested());
}

// "EXIT" ended the program at once while the close boxes asked: every way out asks the one
// question when the text window holds changes not saved; "No" goes on, "Yes" ends.
TEST_F(Frame, EveryWayOutAsksTheOneQuestionFirst) {
    const std::string question =
        "QALIXinfWin: The text window holds changes that are not saved.\n\nEnd the program?";
    struct Row {
        const char* way;
        std::function<void()> leave;
    };
    const std::vector<Row> rows = {
        {"EXIT", [&] { ui.click(panel::kExitButton); }},
        {"File > Exit", [&] { frame().command(menu::kExit); }},
        {"the frame's close box", [&] { frame().userClose(); }},
        {"the panel's close box", [&] { ui.close(kPanelDialog); }},
    };
    textMode();
    frame().userEdit("notes not saved");
    for (const Row& row : rows) {
        platform.answerQuestion(kIdNo);
        row.leave();
        EXPECT_EQ(takeMessages(), std::vector<std::string>{question}) << row.way;
        EXPECT_FALSE(platform.quitRequested()) << row.way;
    }
    platform.answerQuestion(kIdYes);
    rows.front().leave();
    EXPECT_EQ(takeMessages(), std::vector<std::string>{question});
    EXPECT_TRUE(platform.quitRequested());
}

// A new design choice left the old a, discordance, actual level and power on show, the
// simulation dialog open with the old sets, and the plots drawing the old design.
TEST_F(Frame, ADesignChoiceClearsWhatShowedTheDesignBefore) {
    const std::vector<int> designItems = {menu::kPlotBoundary, menu::kPlotPower,
                                          menu::kPlotExpectedSize, menu::kGraphicWindow};
    for (int id : designItems)
        EXPECT_FALSE(enabled(id)) << id;  // none computed yet
    designed();
    ui.click(panel::kGraphicWindow);
    whenShown(kPlotDialog, kIdCancel);
    frame().command(menu::kPlotBoundary);
    ui.click(panel::kSimulatedSamples);
    ASSERT_NE(frame().picture(), nullptr);
    for (int id : designItems)
        EXPECT_TRUE(enabled(id)) << id;

    ui.click(panel::kBrownianDesign);
    for (int c : {panel::kCoeffCombo, panel::kDiscordanceEdit, panel::kActualSigEdit,
                  panel::kActualPowerEdit})
        EXPECT_EQ(ui.text(c), "") << c;
    EXPECT_FALSE(program.dialog(kSimulationDialog).isOpen());
    EXPECT_EQ(frame().picture(), nullptr);
    for (int id : designItems)
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_FALSE(enabled(menu::kSave));  // the boundary metafile
    EXPECT_TRUE(enabled(menu::kChangeFont));
    EXPECT_TRUE(takeMessages().empty());
}

// After an input changed, the panel and every dialog went on showing the old design's results
// without a word. At once, the results are greyed, the plots of the design wait (they draw
// those results), so do the operating characteristics when the boundaries changed, and a line
// beside the results names the input and what computes the design again; the input typed
// back, or the design computed again, makes them current.
TEST_F(Frame, ResultsOfEarlierInputsAreMarkedAtOnce) {
    struct Row {
        int dialog;
        int control;
        const char* typed;
        std::string notice;
        bool boundaries;  // the operating characteristics wait too
    };
    const std::string design = "press \"Sequential Design\".";
    const std::string search = "press \"Bound-Coeff  a:\", then \"Sequential Design\".";
    const std::vector<Row> rows = {
        {kPanelDialog, panel::kAlphaCombo, "0.025", "\"Sig-level\" changed): " + design, false},
        {kPanelDialog, panel::kMuCombo, "0.4", "\"Alt. Mean mu_a\" changed): " + design, false},
        {kPanelDialog, panel::kRhoCombo, "0.05", "\"rho\" changed): " + search, true},
        {kPanelDialog, panel::kCoeffCombo, "3",
         "\"Bound-Coeff  a\" changed): press \"rho\", then \"Sequential Design\".", true},
        {kInfoTimeDialog, infotimes::kGroupSize[0], "8", "\"Group Sizes\" changed): " + search,
         true},
    };
    const std::vector<int> results = {panel::kDiscordanceEdit, panel::kActualSigEdit,
                                      panel::kActualPowerEdit};
    const std::vector<int> characteristics = {panel::kBoundaryButton, panel::kSignificanceButton,
                                              panel::kDiscordanceButton,
                                              panel::kExpectedSizeButton};
    const std::vector<int> plots = {menu::kPlotBoundary, menu::kPlotPower, menu::kPlotExpectedSize};
    designed();
    const auto current = [&](const char* row) {
        EXPECT_EQ(ui.text(panel::kStaleNotice), "") << row;
        for (int c : results)
            EXPECT_TRUE(ui.enabled(c)) << row << " " << c;
        for (int c : characteristics)
            EXPECT_TRUE(ui.enabled(c)) << row << " " << c;
        for (int id : plots)
            EXPECT_TRUE(enabled(id)) << row << " " << id;
    };
    for (const Row& row : rows) {
        const std::string before = program.dialog(row.dialog).getText(row.control);
        const auto type = [&](const std::string& text) {
            if (row.dialog == kPanelDialog) {
                ui.type(row.control, text);
            } else {
                whenShown(kInfoTimeDialog, [&] { ui.type(kInfoTimeDialog, row.control, text); });
                ui.click(panel::kGroupSizesButton);
            }
        };
        type(row.typed);
        EXPECT_EQ(ui.text(panel::kStaleNotice), "Results are for earlier inputs (" + row.notice)
            << row.typed;
        for (int c : results)
            EXPECT_FALSE(ui.enabled(c)) << row.typed << " " << c;
        for (int c : characteristics)
            EXPECT_EQ(ui.enabled(c), !row.boundaries) << row.typed << " " << c;
        for (int id : plots)
            EXPECT_FALSE(enabled(id)) << row.typed << " " << id;
        type(before);
        current(row.typed);
    }
    // Computed again from the new inputs, the results are current.
    ui.type(panel::kAlphaCombo, "0.025");
    ui.click(panel::kSequentialDesignButton);
    current("computed again");
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(Frame, EditCommandsActOnTheTextWindowOnly) {
    std::vector<EditAction> asked;
    frame().observe([&](FrameChange change) {
        if (change == FrameChange::EditAction) asked.push_back(frame().lastEditAction());
    });
    designed();
    ui.click(panel::kGraphicWindow);
    frame().command(menu::kPaste);  // greyed in graphic mode
    EXPECT_TRUE(asked.empty());
    ui.click(panel::kTextWindow);
    for (int id : {menu::kUndo, menu::kCut, menu::kCopy, menu::kPaste})
        frame().command(id);
    EXPECT_EQ(asked, (std::vector<EditAction>{EditAction::Undo, EditAction::Cut, EditAction::Copy,
                                              EditAction::Paste}));
}

// ---- Text files ---------------------------------------------------------------------------

TEST_F(Frame, OpenLoadsTheFileWithoutTrailingBlanksAndNamesItInTheTitle) {
    textMode();
    const std::string path = folder.file("sample data.txt");
    writeBytes(path, "1 1 0.5\n2 1 0.7\n   ");
    openFile(path);
    EXPECT_EQ(frame().text(), "1 1 0.5\n2 1 0.7\n");
    EXPECT_EQ(frame().title(), " Text File:  sample data");
    EXPECT_EQ(platform.fileRequests().back().filters.at(0).pattern, "*.txt");
    EXPECT_EQ(platform.fileRequests().back().defaultExtension, "txt");
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(Frame, TheTextWindowTakesTwoHundredThousandBytesAndNoMore) {
    textMode();
    const std::string fits = folder.file("fits.txt");
    writeBytes(fits, std::string(kTextWindowLimit - 1, 'x') + "y");
    openFile(fits);
    EXPECT_EQ(frame().text().size(), 200000u);
    EXPECT_TRUE(platform.beeps().empty());

    const std::string tooLarge = folder.file("too_large.txt");
    writeBytes(tooLarge, std::string(kTextWindowLimit + 1, 'z'));
    openFile(tooLarge);
    ASSERT_EQ(platform.beeps().size(), 1u);
    EXPECT_EQ(platform.beeps()[0].frequencyHz, 440);
    EXPECT_EQ(platform.beeps()[0].milliseconds, 200);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, "Read File");
    EXPECT_EQ(platform.messages()[0].text, "File to large for edit control");
    EXPECT_EQ(platform.messages()[0].icon, MessageIcon::Question);
    EXPECT_EQ(platform.messages()[0].owner, MessageOwner::None);
    // The window keeps what it showed.
    EXPECT_EQ(frame().text().back(), 'y');
}

TEST_F(Frame, SaveWritesTheTextWithoutWhatTrailsIt) {
    textMode();
    const std::string path = folder.file("out.txt");
    frame().userEdit("line one\nline two   \n\n  ");
    saveFileAs(path);
    EXPECT_EQ(readBytes(path), "line one\nline two");
    EXPECT_EQ(frame().title(), " TEXT File:  out");
    // Saved again under the same name without asking.
    frame().userEdit("changed");
    frame().command(menu::kSave);
    EXPECT_EQ(readBytes(path), "changed");
    EXPECT_EQ(platform.fileRequests().size(), 1u);
}

TEST_F(Frame, SavingOnlyBlanksWritesAnEmptyFile) {
    textMode();
    const std::string path = folder.file("blank.txt");
    saveFileAs(path);  // the new window's two blanks
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST_F(Frame, AFailedSaveSaysSoAndLeavesWhatWasThere) {
    textMode();
    // A folder where the file should go: the rename over it fails.
    const std::string path = folder.file("taken");
    fs::create_directories(path + "/inside");
    frame().userEdit("replacement");
    saveFileAs(path);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_NE(platform.messages()[0].text.find("taken"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(path + "/inside"));
    EXPECT_FALSE(fs::exists(path + ".qalix-tmp"));  // nothing left beside it
}

TEST_F(Frame, SaveIntoAMissingFolderSaysSo) {
    textMode();
    saveFileAs(folder.file("no/such/folder/out.txt"));
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, "Error");
    EXPECT_FALSE(fs::exists(folder.file("no")));
}

TEST_F(Frame, ACancelledFileDialogDoesNothingAFailedOneSaysWhy) {
    textMode();
    platform.answerOpenFile({DialogOutcome::Cancelled, "", 0});
    frame().command(menu::kOpen);
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(frame().title(), "Text Window: Save and Import Data");
    platform.answerOpenFile({DialogOutcome::Failed, "", 0x3002});
    frame().command(menu::kOpen);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, "Cannot Open This Dialog");
    EXPECT_EQ(platform.messages()[0].text, "A filename is invalid.");
    EXPECT_EQ(platform.messages()[0].icon, MessageIcon::Exclamation);
}

TEST(CommonDialogErrors, EachCodeHasItsTextAndOthersAreUnknown) {
    EXPECT_EQ(commonDialogErrorText(1),
              "The lStructSize member of a structure for the corresponding common dialog box is "
              "invalid.");
    EXPECT_EQ(commonDialogErrorText(0x3003),
              "The buffer for a filename is too small. (This buffer is pointed to by the "
              "lpstrFile member of the structure for a common dialog box.)");
    EXPECT_EQ(commonDialogErrorText(12), "Unknown error number");
    EXPECT_EQ(commonDialogErrorText(0x3004), "Unknown error number");
    HeadlessPlatform platform;
    EXPECT_EQ(COMDLGER(platform, 0), 0);
    EXPECT_TRUE(platform.messages().empty());
}

// ---- Font, help and about -------------------------------------------------------------

TEST_F(Frame, ChangeFontReachesTheWindowAndIsKeptAcrossModes) {
    int fontNotices = 0;
    frame().observe([&](FrameChange change) { fontNotices += change == FrameChange::Font; });
    textMode();
    EXPECT_EQ(frame().windowFont().face, "Courier New");  // fixed pitch: columns line up
    EXPECT_EQ(frame().windowFont().height, 16);
    FontDescription chosen = frame().windowFont();
    chosen.face = "Liberation Sans";
    chosen.height = 20;
    chosen.italic = true;
    platform.answerFont({DialogOutcome::Accepted, chosen, 0});
    frame().command(menu::kChangeFont);
    EXPECT_EQ(platform.lastFontOffered()->face, "Courier New");
    EXPECT_EQ(frame().windowFont(), chosen);
    EXPECT_EQ(fontNotices, 1);
    ui.click(panel::kGraphicWindow);
    EXPECT_EQ(frame().windowFont(), chosen);
    platform.answerFont({DialogOutcome::Cancelled, {}, 0});
    frame().command(menu::kChangeFont);
    EXPECT_EQ(frame().windowFont(), chosen);
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(Frame, HelpThatCannotBeShownSaysSo) {
    platform.answerHelp(false);
    frame().accelerator("F1");
    ASSERT_EQ(platform.helpRequests().size(), 1u);
    EXPECT_EQ(platform.helpRequests()[0], HelpRequest::Contents);
    ASSERT_EQ(platform.messages().size(), 1u);
    const Message& m = platform.messages()[0];
    EXPECT_EQ(m.caption, "QALIXinfWin");
    EXPECT_EQ(m.text, "Unable to activate help");
    EXPECT_EQ(m.icon, MessageIcon::Stop);
    EXPECT_TRUE(m.systemModal);
    frame().command(menu::kHelpSearch);
    frame().command(menu::kHowToUseHelp);
    EXPECT_EQ(platform.helpRequests().back(), HelpRequest::HowToUseHelp);
    EXPECT_EQ(platform.messages().size(), 1u);  // help shown: no more messages
}

TEST_F(Frame, AboutBoxShowsTheVersionStringsItsLinesName) {
    std::vector<std::string> lines;
    whenShown(kAboutDialog, [&] {
        for (int id : {about::kNameLine, about::kPurposeLine, about::kVersionLine,
                       about::kRightsLine, about::kTrademarksLine})
            lines.push_back(ui.text(kAboutDialog, id));
    });
    frame().accelerator("Alt+?");
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "QALIX on information time for sequential design of experiment ",
                         "A Computer Program for", "Version " + std::string(kProgramVersion),
                         "(c) 2026 The QALIX developers", ""}));
    whenShown(kAboutDialog);
    frame().accelerator("Alt+/");
    EXPECT_EQ(modalsShown(), (std::vector<int>{kAboutDialog, kAboutDialog}));
}

TEST(AboutBox, VersionStringsByName) {
    EXPECT_EQ(versionString("ProductName"), "QALIXinfWin");
    EXPECT_EQ(versionString("LegalTrademarks"), "");
    EXPECT_FALSE(versionString("Version").has_value());
    // One version for the program: the build's, which the package and the documents give.
    EXPECT_EQ(versionString("ProductVersion"), kProgramVersion);
    EXPECT_EQ(versionString("FileVersion"), kProgramVersion);
}

TEST(AboutBox, CentredOverItsOwnerAndKeptOnTheScreen) {
    const Rect box{0, 0, 250, 143};
    // Owner 800 x 600 at (100, 50): centred at (100 + 275, 50 + 228).
    EXPECT_EQ(CENTERWINDOW(box, {100, 50, 900, 650}, 1920, 1080), (Point{375, 278}));
    // Integer halves round toward zero: (101 - 250) / 2 = -74.
    EXPECT_EQ(CENTERWINDOW(box, {300, 300, 401, 301}, 1920, 1080), (Point{226, 229}));
    // Near the right and bottom edges: flush with them.
    EXPECT_EQ(CENTERWINDOW(box, {1800, 1000, 1900, 1060}, 1920, 1080), (Point{1670, 937}));
    // Beyond the left and top edges: flush with them.
    EXPECT_EQ(CENTERWINDOW(box, {-500, -400, -300, -300}, 1920, 1080), (Point{0, 0}));
}

TEST(TitleName, DropsTheFolderAndExtensionAndKeepsFortyCharacters) {
    EXPECT_EQ(titleName("/home/ann/trial one.emf"), "trial one");
    EXPECT_EQ(titleName("plain"), "plain");
    EXPECT_EQ(titleName("/a/b.c/d"), "d");
    EXPECT_EQ(titleName("/x/" + std::string(50, 'n') + ".txt"), std::string(40, 'n'));
#ifdef _WIN32
    // A Windows path ends its folders with backslashes or a drive's colon.
    EXPECT_EQ(titleName("C:\\Users\\ann\\trial.emf"), "trial");
    EXPECT_EQ(titleName("D:trial.emf"), "trial");
    EXPECT_EQ(titleName("C:\\a.b\\d"), "d");
#else
    // Elsewhere a backslash or a colon is part of the file's name.
    EXPECT_EQ(titleName("/home/ann/a\\b:c.emf"), "a\\b:c");
#endif
}

// ---- Start-up -----------------------------------------------------------------------------

TEST(StartUp, CancelOnTheStartScreenEndsTheProgramCleanly) {
    HeadlessPlatform platform;
    Program program(platform);
    Driver ui(program.dialogs());
    platform.onModal(kStartScreenDialog,
                     [&](Dialog&) { ui.click(kStartScreenDialog, startscreen::kCancel); });
    ASSERT_TRUE(startUp(program));
    EXPECT_TRUE(platform.messages().empty());
    EXPECT_EQ(platform.runMainLoop(), 0);
    // The panel was still created, as the program ends at the loop's first fetch.
    EXPECT_TRUE(program.panel().isOpen());
}

TEST(StartUp, EscOnTheStartScreenIsItsCancel) {
    HeadlessPlatform platform;
    Program program(platform);
    Driver ui(program.dialogs());
    platform.onModal(kStartScreenDialog, [&](Dialog&) { ui.close(kStartScreenDialog); });
    ASSERT_TRUE(startUp(program));
    EXPECT_TRUE(platform.quitRequested());
}

TEST(StartUp, StartProgramShowsThePanelOnTheStartupDesign) {
    HeadlessPlatform platform;
    Program program(platform);
    Driver ui(program.dialogs());
    bool panelShownUnderStartScreen = false;
    platform.onModal(kStartScreenDialog, [&](Dialog&) {
        panelShownUnderStartScreen = program.panel().isOpen();
        ui.click(kStartScreenDialog, startscreen::kStart);
    });
    ASSERT_TRUE(startUp(program));
    EXPECT_FALSE(panelShownUnderStartScreen);
    EXPECT_FALSE(platform.quitRequested());
    EXPECT_TRUE(program.panel().isOpen());
    EXPECT_EQ(ui.text(panel::kSizeCombo), "25.00");
    EXPECT_TRUE(ui.checked(panel::kNormseqDesign));
}

TEST(StartUp, AMissingTemplateStopsStartUpWithItsMessage) {
    HeadlessPlatform platform;
    Program program(platform, [](int id) -> std::optional<DialogTemplate> {
        if (id == kInfoTimeDialog) return std::nullopt;
        return loadDialogTemplate(id);
    });
    EXPECT_FALSE(startUp(program));
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].caption, "Error");
    EXPECT_EQ(platform.messages()[0].text, "Error initializing application QALIXinfWin");
    EXPECT_TRUE(platform.modalDialogsShown().empty());  // no start screen
}

}  // namespace
}  // namespace qalix::testing
