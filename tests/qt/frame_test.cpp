// The frame window on the screen: the text window kept across switches of mode, the font
// the user chooses and the dialog that offers it, the menu greyed by mode, the close box
// asking before text is lost, files named by the type chosen, and numbers read and shown
// the same under a German locale.
#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "desktop.hpp"
#include "graphics/plot_ids.hpp"
#include "platform/qt/fonts.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::qt::testing {
namespace {

class DesktopFrame : public Desktop {
  protected:
    void designed() {
        whenShown(
            kInfoTimeDialog, [] {}, infotimes::kOk);
        click(kPanelDialog, panel::kGroupSizesButton);
        click(kPanelDialog, panel::kCoeffButton);
        click(kPanelDialog, panel::kSequentialDesignButton);
    }
};

// The text window was emptied at each switch; kept, it also keeps its caret, so that typing
// goes on where it stopped.
TEST_F(DesktopFrame, ModeSwitchesKeepTheTextWindowAndItsCaret) {
    designed();
    click(kPanelDialog, panel::kTextWindow);
    QPlainTextEdit* text = frame.textWindow();
    ASSERT_TRUE(text->isVisible());
    EXPECT_EQ(text->toPlainText(), "  ");
    text->moveCursor(QTextCursor::End);  // where the user clicks to go on writing
    QTest::keyClicks(text, QStringLiteral("my notes"));
    EXPECT_EQ(program.frame().text(), "  my notes");
    click(kPanelDialog, panel::kGraphicWindow);
    EXPECT_FALSE(text->isVisible());
    EXPECT_TRUE(frame.graphicWindow()->isVisible());
    click(kPanelDialog, panel::kTextWindow);
    EXPECT_EQ(frame.textWindow()->toPlainText(), "  my notes");
    frame.action(menu::kTextWindow)->trigger();
    QTest::keyClicks(text, QStringLiteral(", more"));
    EXPECT_EQ(program.frame().text(), "  my notes, more");
    EXPECT_TRUE(program.frame().textModified());
    saveScreenshot(frame, QStringLiteral("frame_text_window"));
}

TEST_F(DesktopFrame, MenuItemsFollowTheModeModel) {
    designed();
    click(kPanelDialog, panel::kGraphicWindow);
    for (int id : {menu::kUndo, menu::kCut, menu::kCopy, menu::kPaste})
        EXPECT_FALSE(frame.action(id)->isEnabled()) << id;
    click(kPanelDialog, panel::kTextWindow);
    for (int id : {menu::kUndo, menu::kCut, menu::kCopy, menu::kPaste})
        EXPECT_TRUE(frame.action(id)->isEnabled()) << id;
    for (const auto& [id, action] :
         std::map<int, QAction*>{{menu::kPlotBoundary, frame.action(menu::kPlotBoundary)},
                                 {menu::kChangeFont, frame.action(menu::kChangeFont)}})
        EXPECT_EQ(action->isEnabled(), program.frame().menu().enabled(id)) << id;
}

TEST_F(DesktopFrame, EditCommandsActOnTheTextWindow) {
    designed();
    click(kPanelDialog, panel::kTextWindow);
    QPlainTextEdit* text = frame.textWindow();
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    QTest::keyClicks(text, QStringLiteral("abc"));
    text->selectAll();
    frame.action(menu::kCut)->trigger();
    EXPECT_EQ(text->toPlainText(), "");
    frame.action(menu::kPaste)->trigger();
    frame.action(menu::kPaste)->trigger();
    EXPECT_EQ(text->toPlainText(), "  abc  abc");
    EXPECT_EQ(program.frame().text(), "  abc  abc");
}

TEST_F(DesktopFrame, AChosenFontReachesTheTextWindow) {
    designed();
    click(kPanelDialog, panel::kTextWindow);
    QTimer::singleShot(0, &frame, [] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QFont mono(QStringLiteral("Liberation Mono"));
        mono.setPointSize(14);
        dialog->setCurrentFont(mono);
        dialog->accept();
    });
    frame.action(menu::kChangeFont)->trigger();
    const FontDescription& chosen = program.frame().windowFont();
    EXPECT_EQ(chosen.face, "Liberation Mono");
    // A comparison's rows wrapped in the window, their columns out of line.
    EXPECT_EQ(frame.textWindow()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(frame.textWindow()->font().family(), "Liberation Mono");
    EXPECT_EQ(frame.textWindow()->font().pixelSize(), chosen.height);
    // Kept across modes.
    click(kPanelDialog, panel::kGraphicWindow);
    click(kPanelDialog, panel::kTextWindow);
    EXPECT_EQ(frame.textWindow()->font().family(), "Liberation Mono");
}

// The font dialog opened on a font of its own, not the one in use (16 pixels of "Courier New",
// drawn with Liberation Mono); and 20 points chosen there overprinted the plots' design
// blocks: the plots keep their own font.
TEST_F(DesktopFrame, TheFontDialogOpensOnTheFontInUseAndPlotsKeepTheirTextApart) {
    designed();
    click(kPanelDialog, panel::kGraphicWindow);
    QFont offered;
    QTimer::singleShot(0, &frame, [&] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        offered = dialog->currentFont();
        QFont large = offered;
        large.setPointSize(20);
        dialog->setCurrentFont(large);
        dialog->accept();
    });
    frame.action(menu::kChangeFont)->trigger();
    EXPECT_EQ(offered.family(), QFontInfo(toQFont(textWindowFont())).family());
    EXPECT_TRUE(QFontInfo(offered).fixedPitch());
    EXPECT_EQ(QFontInfo(offered).pixelSize(), 16);
    whenShown(
        kPlotDialog, [&] { saveScreenshot(frame, QStringLiteral("plot_boundary_font_20pt")); },
        plotdesign::kCancel);
    frame.action(menu::kPlotBoundary)->trigger();
    for (const std::string& line : program.frame().picture()->lines()) {
        if (line.rfind("font ", 0) == 0) {
            EXPECT_EQ(line.rfind("font h=16 ", 0), 0u) << line;
        }
    }
}

// Alt with a menu's letter opened the frame's menus only once the frame had been clicked:
// from the panel, where the keyboard is after the start, it did nothing.
TEST_F(DesktopFrame, MenuKeysReachTheFramesMenusFromThePanel) {
    designed();
    struct Row {
        Qt::Key key;
        QString menu;
        int focus;  // where the keyboard is in the panel
    };
    const std::vector<Row> rows = {
        {Qt::Key_P, QStringLiteral("&Plot"), panel::kSequentialDesignButton},
        {Qt::Key_F, QStringLiteral("&File"), panel::kAlphaCombo},
        {Qt::Key_H, QStringLiteral("&Help"), panel::kRhoCombo}};
    for (const Row& row : rows) {
        DialogWindow& panel = window(kPanelDialog);
        panel.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
        QWidget* focus = widget(kPanelDialog, row.focus);
        if (auto* combo = qobject_cast<QComboBox*>(focus)) focus = combo->lineEdit();
        focus->setFocus();
        QTest::keyClick(focus, row.key, Qt::AltModifier);
        QAction* open = frame.menuBar()->activeAction();
        ASSERT_NE(open, nullptr) << row.menu.toStdString();
        EXPECT_EQ(open->text(), row.menu);
        ASSERT_NE(open->menu(), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return open->menu()->isVisible(); }))
            << row.menu.toStdString();
        open->menu()->close();
    }
}

// Closing the frame ended the program at once, the text typed into it lost.
TEST_F(DesktopFrame, ClosingWithTextNotSavedAsksEndTheProgram) {
    designed();
    click(kPanelDialog, panel::kTextWindow);
    QTest::keyClicks(frame.textWindow(), QStringLiteral("notes"));
    QString asked;
    whileBoxIsOpen([&](QMessageBox& box) {
        asked = box.text();
        box.button(QMessageBox::No)->click();
    });
    frame.close();
    EXPECT_TRUE(asked.endsWith(QStringLiteral("End the program?"))) << asked.toStdString();
    // "No": the program goes on, its loop running until something else ends it.
    QTimer::singleShot(50, [] { QApplication::exit(7); });
    EXPECT_EQ(platform.runMainLoop(), 7);
    whileBoxIsOpen([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    window(kPanelDialog).close();  // the panel's close box asks the same
    EXPECT_EQ(takeBoxes().size(), 2u);
    EXPECT_EQ(platform.runMainLoop(), 0);  // at once: the program ends
}

// "Save As..." with "PDF documents (*.pdf)" chosen and "plot_a" typed wrote plot_a.emf; and
// an emptied text window is saved as an empty file.
TEST_F(DesktopFrame, SavedFilesTakeTheTypeChosenAndTheTextAsItStands) {
    designed();
    const QDir folder(QDir::temp().filePath(QStringLiteral("qalix_save_as")));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder.path());
    click(kPanelDialog, panel::kGraphicWindow);
    answerFileDialog(folder.path(), QStringLiteral("plot_a"),
                     QStringLiteral("PDF documents (*.pdf)"));
    frame.action(menu::kSaveAs)->trigger();
    EXPECT_EQ(folder.entryList(QDir::Files), QStringList{QStringLiteral("plot_a.pdf")});
    click(kPanelDialog, panel::kTextWindow);
    QTest::keyClicks(frame.textWindow(), QStringLiteral("x"));
    frame.textWindow()->selectAll();
    QTest::keyClick(frame.textWindow(), Qt::Key_Delete);
    answerFileDialog(folder.path(), QStringLiteral("emptied"));
    frame.action(menu::kSaveAs)->trigger();
    EXPECT_EQ(QFileInfo(folder.filePath(QStringLiteral("emptied.txt"))).size(), 0);
    EXPECT_TRUE(takeBoxes().empty());
    QDir(folder).removeRecursively();
}

// Run also under LANG=de_DE.UTF-8 (see tests/qt/CMakeLists.txt): the program sets the numeric
// locale back to "C" right after QApplication, which had taken the user's.
TEST_F(DesktopFrame, NumbersIgnoreTheUsersLocale) {
    EXPECT_EQ(std::strtod("0.05", nullptr), 0.05);
    char written[16];
    std::snprintf(written, sizeof written, "%.2f", 0.05);
    EXPECT_STREQ(written, "0.05");
    type(kPanelDialog, panel::kAlphaCombo, QStringLiteral("0.05"));
    click(kPanelDialog, panel::kSizeButton);
    EXPECT_FLOAT_EQ(program.record().alpha, 0.05f);
    EXPECT_EQ(shown(kPanelDialog, panel::kSizeCombo), "24.73");
    type(kPanelDialog, panel::kAlphaCombo, QStringLiteral("0.025"));
    click(kPanelDialog, panel::kAlphaButton);
    EXPECT_EQ(shown(kPanelDialog, panel::kAlphaCombo), "0.0500");
}

}  // namespace
}  // namespace qalix::qt::testing
