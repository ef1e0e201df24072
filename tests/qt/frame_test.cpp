// The frame window on the screen: the text window emptied at each switch of mode, the font
// the user chooses, the menu greyed by mode, and numbers read and shown the same under a
// German locale.
#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "desktop.hpp"
#include "platform/qt/fonts.hpp"
#include "shell/menu_ids.hpp"

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

TEST_F(DesktopFrame, ModeSwitchesEmptyTheTextWindow) {
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
    EXPECT_EQ(frame.textWindow()->toPlainText(), "  ");
    frame.action(menu::kTextWindow)->trigger();
    EXPECT_EQ(frame.textWindow()->toPlainText(), "  ");
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
    EXPECT_EQ(frame.textWindow()->font().family(), "Liberation Mono");
    EXPECT_EQ(frame.textWindow()->font().pixelSize(), chosen.height);
    // Kept across modes: the next text window has it too.
    click(kPanelDialog, panel::kGraphicWindow);
    click(kPanelDialog, panel::kTextWindow);
    EXPECT_EQ(frame.textWindow()->font().family(), "Liberation Mono");
}

// The font dialog opened on a font of its own, not the one in use (16 pixels of "Times New
// Roman", drawn with Liberation Serif: 12 points on a screen of 96 dots per inch).
TEST_F(DesktopFrame, TheFontDialogOpensOnTheFontInUse) {
    designed();
    QFont offered;
    QTimer::singleShot(0, &frame, [&] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        offered = dialog->currentFont();
        dialog->reject();
    });
    frame.action(menu::kChangeFont)->trigger();
    const QFontInfo inUse(toQFont(program.frame().windowFont()));
    EXPECT_EQ(offered.family(), inUse.family());
    EXPECT_EQ(QFontInfo(offered).pixelSize(), 16);
}

// Closing the frame ended the program at once, the text typed into it lost.
TEST_F(DesktopFrame, ClosingWithTextNotSavedAsksEndTheProgram) {
    designed();
    click(kPanelDialog, panel::kTextWindow);
    QPlainTextEdit* text = frame.textWindow();
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("notes"));
    QString asked;
    whileBoxIsOpen([&](QMessageBox& box) {
        asked = box.text();
        box.button(QMessageBox::No)->click();
    });
    frame.close();
    EXPECT_EQ(takeBoxes().size(), 1u);
    EXPECT_TRUE(asked.endsWith(QStringLiteral("End the program?"))) << asked.toStdString();
    // "No": the program goes on; its loop runs until something else ends it.
    QTimer::singleShot(50, [] { QApplication::exit(7); });
    EXPECT_EQ(platform.runMainLoop(), 7);
    whileBoxIsOpen([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    window(kPanelDialog).close();  // the panel's close box asks the same
    EXPECT_EQ(takeBoxes().size(), 1u);
    EXPECT_EQ(platform.runMainLoop(), 0);  // at once: the program ends
}

// An emptied text window is saved as an empty file, through the dialog as a user names it.
TEST_F(DesktopFrame, AnEmptiedTextWindowSavesAnEmptyFile) {
    designed();
    click(kPanelDialog, panel::kTextWindow);
    QPlainTextEdit* text = frame.textWindow();
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("x"));
    text->selectAll();
    QTest::keyClick(text, Qt::Key_Delete);
    const QString folder = QDir::temp().filePath(QStringLiteral("qalix_emptied"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QTimer::singleShot(0, &frame, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(folder);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QTest::keyClicks(name, QStringLiteral("emptied"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    frame.action(menu::kSaveAs)->trigger();
    const QFileInfo saved(QDir(folder).filePath(QStringLiteral("emptied.txt")));
    EXPECT_TRUE(saved.exists());
    EXPECT_EQ(saved.size(), 0);
    EXPECT_EQ(frame.windowTitle(), " TEXT File:  emptied");
    QDir(folder).removeRecursively();
}

// "Save As..." with "PDF documents (*.pdf)" chosen and "plot_a" typed wrote plot_a.emf.
TEST_F(DesktopFrame, SaveAsGivesANameTheExtensionOfTheTypeChosen) {
    designed();
    click(kPanelDialog, panel::kGraphicWindow);
    const QString folder = QDir::temp().filePath(QStringLiteral("qalix_save_as"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    for (const auto& [type, file] :
         {std::pair{QStringLiteral("PDF documents (*.pdf)"), QStringLiteral("plot_a.pdf")},
          std::pair{QStringLiteral("PNG pictures (*.png)"), QStringLiteral("plot_a.png")},
          std::pair{QStringLiteral("SVG pictures (*.svg)"), QStringLiteral("plot_a.svg")}}) {
        QTimer::singleShot(0, &frame, [&, type = type] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(folder);
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            const int index = types->findText(type);
            ASSERT_GE(index, 0);
            types->setCurrentIndex(index);  // what the list sends when the user picks it
            emit types->activated(index);
            emit types->textActivated(type);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QTest::keyClicks(name, QStringLiteral("plot_a"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        frame.action(menu::kSaveAs)->trigger();
        EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(file)))
            << file.toStdString() << " among " << QDir(folder).entryList().join(' ').toStdString()
            << " title " << frame.windowTitle().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("plot_a.emf"))));
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
