// The dialogs as a user works them: spins that take the keyboard, numbers of full precision
// whole in lists and from their start in fields, and F1 opening the window's own page of
// the help, also over a modal dialog, which must not block the help it asked for.
#include <QAbstractItemView>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <algorithm>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/significance_ids.hpp"
#include "desktop.hpp"
#include "platform/qt/help_window.hpp"

namespace qalix::qt::testing {
namespace {

using Dialogs = Desktop;

QString helpPage(const QtPlatform& platform) {
    HelpWindow* help = platform.helpWindow();
    return help != nullptr && help->isVisible() ? help->browser()->source().fileName() : "";
}

// "k" and "Partial Sample Size" ignored the arrow keys and Page Up/Down.
TEST_F(Dialogs, SpinsTakeTheKeyboardAsSpinBoxesDo) {
    using namespace boundaries;
    computeDesign();
    whenShown(
        kBoundaryDialog,
        [&] {
            const auto at = [&](int spin) { return program.dialog(kBoundaryDialog).getInt(spin); };
            widget(kBoundaryDialog, kLookSpin)->setFocus();  // as Tab reaches it: its field
            QWidget* look = window(kBoundaryDialog).focusWidget();
            ASSERT_EQ(look, widget(kBoundaryDialog, kLookEdit));
            QTest::keyClick(look, Qt::Key_Up);
            EXPECT_EQ(at(kLookSpin), 2);
            QTest::keyClick(look, Qt::Key_PageUp);  // ten steps, held at K = 4
            EXPECT_EQ(at(kLookSpin), 4);
            // A click on an arrow gives that spin the keyboard.
            QTest::mouseClick(
                qobject_cast<SpinArrows*>(widget(kBoundaryDialog, kPartialSizeSpin))->up(),
                Qt::LeftButton);
            const int clicked = at(kPartialSizeSpin);
            QTest::keyClick(window(kBoundaryDialog).focusWidget(), Qt::Key_PageDown);
            EXPECT_EQ(at(kPartialSizeSpin), std::max(clicked - 10, 1));
            expectWidgetsFollowTheModel(kBoundaryDialog);
        },
        kClose);
    click(kPanelDialog, panel::kBoundaryButton);
}

// List items of full precision were elided ("-1.243...721315") and a picked one left its
// field scrolled to the end ("476721315").
TEST_F(Dialogs, LongNumbersShowWholeInListsAndFromTheirStartInFields) {
    click(kPanelDialog, panel::kBrownianDesign);  // lists of multiples of 2.48647475344263
    whenShown(
        kInfoTimeDialog, [] {}, infotimes::kOk);
    click(kPanelDialog, panel::kInfoTimesButton);
    click(kPanelDialog, panel::kCoeffButton);
    click(kPanelDialog, panel::kSequentialDesignButton);
    whenShown(
        kSignificanceDialog,
        [&] {
            auto* combo =
                qobject_cast<QComboBox*>(widget(kSignificanceDialog, significance::kDeltaCombo));
            const QString longest = combo->itemText(0);
            ASSERT_EQ(longest, "-1.243237376721315");
            combo->showPopup();
            EXPECT_GE(combo->view()->viewport()->width(),
                      QFontMetrics(combo->view()->font()).horizontalAdvance(longest));
            combo->hidePopup();
            pick(kSignificanceDialog, significance::kDeltaCombo, longest);
            EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0);
            // Too long for the field even in its smallest size, the number showed cut: it
            // shows rounded to the digits that fit, whole in its tip and while it is edited.
            QLineEdit* edit = combo->lineEdit();
            QFocusEvent out(QEvent::FocusOut);
            QApplication::sendEvent(edit, &out);
            const QString shown = edit->text();
            bool rounded = false;
            for (int digits = 1; digits < 17; ++digits)
                rounded |= shown == QString::number(longest.toDouble(), 'g', digits);
            EXPECT_TRUE(rounded) << shown.toStdString();
            EXPECT_NE(shown, longest);
            EXPECT_EQ(edit->toolTip(), longest);
            EXPECT_EQ(program.dialog(kSignificanceDialog).getText(significance::kDeltaCombo),
                      longest.toStdString());
            QFocusEvent in(QEvent::FocusIn);
            QApplication::sendEvent(edit, &in);
            EXPECT_EQ(edit->text(), longest);
            QApplication::sendEvent(edit, &out);
            EXPECT_EQ(edit->text(), shown);
            saveScreenshot(window(kSignificanceDialog), QStringLiteral("dialog_long_number"));
        },
        significance::kClose);
    click(kPanelDialog, panel::kSignificanceButton);
}

// F1 opened help only from the panel: a dialog opens its own page, help opened over a modal
// dialog takes typing while the dialog waits, and the frame opens the contents.
TEST_F(Dialogs, F1OpensTheHelpAtThePageOfTheWindow) {
    QTest::keyClick(widget(kPanelDialog, panel::kSizeButton), Qt::Key_F1);
    EXPECT_EQ(helpPage(platform), "panel.html");
    QString fromModal;
    QString searched;
    whenShown(
        kInfoTimeDialog,
        [&] {
            QTest::keyClick(widget(kInfoTimeDialog, infotimes::kGroupSize[0]), Qt::Key_F1);
            fromModal = helpPage(platform);
            auto* search = platform.helpWindow()->findChild<QLineEdit*>();
            search->setFocus();
            for (const char c : std::string("grids"))  // as the window system brings them
                QTest::keyClick(platform.helpWindow()->windowHandle(), c);
            searched = search->text();
        },
        infotimes::kOk);
    click(kPanelDialog, panel::kGroupSizesButton);
    EXPECT_EQ(fromModal, "information_times.html");
    EXPECT_EQ(searched, "grids");
    computeDesign();
    click(kPanelDialog, panel::kTextWindow);
    QTest::keyClick(frame.textWindow(), Qt::Key_F1);
    EXPECT_EQ(helpPage(platform), "index.html");
}

}  // namespace
}  // namespace qalix::qt::testing
