// The headless platform behaves as a screen with a nested modal loop does: a modal dialog
// runs what the user does in it and returns only once a button, Esc or the close box has
// ended it; nothing below it can be acted on meanwhile. Its other services answer from
// queues and record what the program asked for.
#include <stdexcept>
#include <string>

#include "characteristics/boundary_ids.hpp"
#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "support/started_program.hpp"

namespace qalix::testing {
namespace {

using namespace panel;

using ModalDiscipline = StartedProgram;

TEST_F(ModalDiscipline, ThePanelCannotBeActedOnWhileTheTimesDialogIsOpen) {
    std::string refusal;
    whenShown(kInfoTimeDialog, [&] {
        try {
            ui.click(kCoeffButton);
        } catch (const ControlRefused& e) {
            refusal = e.what();
        }
        EXPECT_THROW(ui.type(kLooksCombo, "5"), ControlRefused);
    });
    ui.click(kGroupSizesButton);
    // The refusal names the panel and the modal dialog over it.
    EXPECT_NE(refusal.find("143"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("107"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("Information Times"), std::string::npos) << refusal;
    // Closed, the dialog gives the panel back.
    EXPECT_FALSE(program.dialog(kInfoTimeDialog).isOpen());
    ui.click(kCoeffButton);
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(ModalDiscipline, TheCodeAfterAModalRunsOnlyOnceItHasClosed) {
    bool openWhileScripted = false;
    platform.onModal(kInfoTimeDialog, [&](Dialog& d) {
        openWhileScripted = d.isOpen() && program.dialogs().topModal() == &d;
        ui.click(kInfoTimeDialog, infotimes::kOk);
    });
    ui.click(kGroupSizesButton);
    EXPECT_TRUE(openWhileScripted);
    EXPECT_EQ(program.dialogs().topModal(), nullptr);
}

TEST_F(ModalDiscipline, EscEndsAModalWithTheCancelCode) {
    Dialog& times = program.dialog(kInfoTimeDialog);
    platform.onModal(kInfoTimeDialog, [&](Dialog&) { ui.close(kInfoTimeDialog); });
    EXPECT_EQ(platform.showModal(times), kIdCancel);
    // Opened from the panel, whose callbacks do not look at the exit code.
    platform.onModal(kInfoTimeDialog, [&](Dialog&) { ui.close(kInfoTimeDialog); });
    ui.click(kGroupSizesButton);
    EXPECT_FALSE(times.isOpen());
    EXPECT_EQ(times.exitCode(), kIdCancel);
    EXPECT_TRUE(ui.enabled(kCoeffButton));
}

TEST_F(ModalDiscipline, AModalWithNothingForTheUserToDoIsAnError) {
    EXPECT_THROW(ui.click(kGroupSizesButton), std::logic_error);
    // The error leaves no dialog open: the panel can be used again.
    EXPECT_FALSE(program.dialog(kInfoTimeDialog).isOpen());
    EXPECT_EQ(program.dialogs().topModal(), nullptr);
    whenShown(kInfoTimeDialog);
    ui.click(kGroupSizesButton);
}

TEST_F(ModalDiscipline, AScriptThatLeavesTheDialogOpenIsAnError) {
    platform.onModal(kInfoTimeDialog, [](Dialog&) {});
    EXPECT_THROW(ui.click(kGroupSizesButton), std::logic_error);
    EXPECT_FALSE(program.dialog(kInfoTimeDialog).isOpen());
}

TEST_F(ModalDiscipline, ShowingAnOpenDialogModallyIsAProgrammingError) {
    Dialog& times = program.dialog(kInfoTimeDialog);
    platform.onModal(kInfoTimeDialog, [&](Dialog& d) {
        EXPECT_THROW(platform.showModal(d), std::logic_error);
        ui.click(kInfoTimeDialog, infotimes::kOk);
    });
    ui.click(kGroupSizesButton);
    EXPECT_FALSE(times.isOpen());
    EXPECT_EQ(times.exitCode(), infotimes::kOk);
}

TEST_F(ModalDiscipline, DialogsThatAreNotShownCannotBeActedOn) {
    EXPECT_THROW(ui.click(kInfoTimeDialog, infotimes::kUpdateChanges), ControlRefused);
    EXPECT_THROW(ui.spin(kBoundaryDialog, boundaries::kLookSpin, 2), ControlRefused);
    // Reading what a closed dialog last showed is allowed.
    EXPECT_NO_THROW(ui.text(kInfoTimeDialog, infotimes::kTime[0]));
}

// ---- Services --------------------------------------------------------------------------

TEST(HeadlessServices, MainLoopHonoursAQuitAskedForBeforeItStarted) {
    HeadlessPlatform platform;
    platform.quit(0);
    platform.quit(3);  // the first quit ends the loop
    EXPECT_EQ(platform.runMainLoop(), 0);
}

TEST(HeadlessServices, AMainLoopThatNothingEndsIsAnError) {
    HeadlessPlatform platform;
    EXPECT_THROW(platform.runMainLoop(), std::logic_error);
}

TEST(HeadlessServices, FileDialogsAnswerFromTheirQueuesInOrder) {
    HeadlessPlatform platform;
    platform.answerOpenFile({DialogOutcome::Accepted, "/tmp/a.txt", 0});
    platform.answerOpenFile({DialogOutcome::Cancelled, "", 0});
    platform.answerSaveFile({DialogOutcome::Failed, "", 0x3002});
    FileRequest request;
    request.filters = {{"Text files (*.txt)", "*.txt"}};
    request.defaultExtension = "txt";
    EXPECT_EQ(platform.openFile(request).path, "/tmp/a.txt");
    EXPECT_EQ(platform.openFile(request).outcome, DialogOutcome::Cancelled);
    const FileChoice failed = platform.saveFile(request);
    EXPECT_EQ(failed.outcome, DialogOutcome::Failed);
    EXPECT_EQ(failed.errorCode, 0x3002u);
    EXPECT_THROW(platform.openFile(request), std::logic_error);
    ASSERT_EQ(platform.fileRequests().size(), 4u);
    EXPECT_EQ(platform.fileRequests()[0].defaultExtension, "txt");
}

TEST(HeadlessServices, FontPageSetupAndPrintAnswerFromTheirQueues) {
    HeadlessPlatform platform;
    FontDescription chosen;
    chosen.face = "Liberation Serif";
    chosen.height = 20;
    platform.answerFont({DialogOutcome::Accepted, chosen, 0});
    FontDescription initial;
    initial.face = "Times New Roman";
    EXPECT_EQ(platform.chooseFont(initial).font, chosen);
    EXPECT_EQ(platform.lastFontOffered()->face, "Times New Roman");
    PageSetup setup;
    setup.margins.left = 1500;
    platform.answerPageSetup({DialogOutcome::Accepted, setup, 0});
    EXPECT_EQ(platform.pageSetup(PageSetup{}).setup.margins.left, 1500);
    platform.answerPrint({DialogOutcome::Cancelled, nullptr, 0});
    PrintRequest request;
    request.pageNumbers = false;
    EXPECT_EQ(platform.print(request).outcome, DialogOutcome::Cancelled);
    EXPECT_FALSE(platform.printRequests().at(0).pageNumbers);
    EXPECT_THROW(platform.chooseFont(initial), std::logic_error);
}

TEST(HeadlessServices, RecordsBoxesBeepsAndHelpAndAnswersTheClock) {
    HeadlessPlatform platform;
    EXPECT_EQ(platform.messageBox({"Read File", "File to large for edit control",
                                   MessageIcon::Question, MessageOwner::None, false}),
              kIdOk);
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].icon, MessageIcon::Question);
    EXPECT_EQ(platform.messages()[0].owner, MessageOwner::None);
    platform.beep(440, 200);
    ASSERT_EQ(platform.beeps().size(), 1u);
    EXPECT_EQ(platform.beeps()[0].frequencyHz, 440);
    EXPECT_TRUE(platform.openHelp(HelpRequest::Contents));
    platform.answerHelp(false);
    EXPECT_FALSE(platform.openHelp(HelpRequest::Search));
    EXPECT_EQ(platform.helpRequests().size(), 2u);
    platform.answerClockSeed(42);
    EXPECT_EQ(platform.clockSeed(), 42u);
    EXPECT_NE(platform.clockSeed(), platform.clockSeed());  // the real clock moves
}

}  // namespace
}  // namespace qalix::testing
