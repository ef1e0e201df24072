// The dialogs as a user reads and works them: spin controls that take the keyboard, numbers
// of full precision shown whole in lists and fields, and F1 opening the dialog's own page of
// the help, also over a modal dialog, which must not block the help it asked for.
#include <QAbstractItemView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
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
    if (help == nullptr || !help->isVisible()) return {};
    return help->browser()->source().fileName();
}

// "k" and "Partial Sample Size" ignored the arrow keys and Page Up/Down.
TEST_F(Dialogs, SpinsTakeTheKeyboardAsSpinBoxesDo) {
    computeDesign();
    whenShown(
        kBoundaryDialog,
        [&] {
            using namespace boundaries;
            const auto position = [&](int spin) {
                return program.dialog(kBoundaryDialog).getInt(spin);
            };
            widget(kBoundaryDialog, kLookSpin)->setFocus();  // as Tab reaches it
            QWidget* look = window(kBoundaryDialog).focusWidget();
            ASSERT_EQ(look, widget(kBoundaryDialog, kLookEdit));
            QTest::keyClick(look, Qt::Key_Up);
            EXPECT_EQ(position(kLookSpin), 2);
            EXPECT_EQ(shown(kBoundaryDialog, kLookEdit), "2");
            QTest::keyClick(look, Qt::Key_PageUp);  // ten steps, held at K = 4
            EXPECT_EQ(position(kLookSpin), 4);
            QTest::keyClick(look, Qt::Key_Down);
            EXPECT_EQ(position(kLookSpin), 3);
            // A click on an arrow gives that spin the keyboard.
            auto* sizes = qobject_cast<SpinArrows*>(widget(kBoundaryDialog, kPartialSizeSpin));
            QTest::mouseClick(sizes->up(), Qt::LeftButton);
            const int clicked = position(kPartialSizeSpin);
            QWidget* focused = window(kBoundaryDialog).focusWidget();
            EXPECT_EQ(focused, widget(kBoundaryDialog, kPartialSizeEdit));
            QTest::keyClick(focused, Qt::Key_PageDown);
            EXPECT_EQ(position(kPartialSizeSpin), std::max(clicked - 10, 1));
            QTest::keyClick(focused, Qt::Key_Up);
            EXPECT_EQ(position(kPartialSizeSpin), std::max(clicked - 10, 1) + 1);
            expectWidgetsFollowTheModel(kBoundaryDialog);
        },
        boundaries::kClose);
    click(kPanelDialog, panel::kBoundaryButton);
    EXPECT_TRUE(takeBoxes().empty());
}

// List items of full precision were elided ("-1.243...721315") and a picked one left its
// field scrolled to the end ("476721315").
TEST_F(Dialogs, LongNumbersShowWholeInListsAndFromTheirStartInFields) {
    // On information time the lists hold multiples of delta_a = 2.48647475344263.
    click(kPanelDialog, panel::kBrownianDesign);
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
            QString longest;
            for (int i = 0; i < combo->count(); ++i) {
                if (combo->itemText(i).size() > longest.size()) longest = combo->itemText(i);
            }
            ASSERT_GE(longest.size(), 15);
            combo->showPopup();
            QAbstractItemView* list = combo->view();
            const int needed = QFontMetrics(list->font()).horizontalAdvance(longest);
            EXPECT_GE(list->viewport()->width(), needed);
            QImage shot(window(kSignificanceDialog).size() + QSize(0, list->window()->height()),
                        QImage::Format_RGB32);
            shot.fill(Qt::white);
            QPainter painter(&shot);
            painter.drawPixmap(0, 0, window(kSignificanceDialog).grab());
            painter.drawPixmap(list->window()->mapToGlobal(QPoint(0, 0)) -
                                   window(kSignificanceDialog).mapToGlobal(QPoint(0, 0)),
                               list->window()->grab());
            painter.end();
            shot.save(screenshotPath(QStringLiteral("dialog_long_number_list")));
            combo->hidePopup();
            pick(kSignificanceDialog, significance::kDeltaCombo, longest);
            EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0);
            EXPECT_EQ(combo->lineEdit()->text(), longest);
            saveScreenshot(window(kSignificanceDialog),
                           QStringLiteral("dialog_long_number_picked"));
        },
        significance::kClose);
    click(kPanelDialog, panel::kSignificanceButton);
}

// In group-size mode the information times were cut ("0.4800(").
TEST_F(Dialogs, InformationTimesFitTheirFields) {
    whenShown(
        kInfoTimeDialog,
        [&] {
            for (int k = 0; k < 4; ++k) {
                auto* time = qobject_cast<QLineEdit*>(widget(kInfoTimeDialog, infotimes::kTime[k]));
                ASSERT_EQ(time->text().size(), 7) << k;
                const int frameWidth = time->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
                // Inside the frame, the style's padding, Qt's 2 pixels each side, the cursor.
                const int room = time->width() - 2 * frameWidth - 2 - 4 - 1;
                EXPECT_LE(QFontMetrics(time->font()).horizontalAdvance(time->text()), room)
                    << time->text().toStdString();
            }
            saveScreenshot(window(kInfoTimeDialog), QStringLiteral("information_times_groups"));
        },
        infotimes::kOk);
    click(kPanelDialog, panel::kGroupSizesButton);
}

// F1 opened help only from the panel; a dialog opens its own page, and help opened over a
// modal dialog can be read and searched while the dialog waits.
TEST_F(Dialogs, F1OpensTheHelpAtThePageOfTheDialog) {
    QTest::keyClick(widget(kPanelDialog, panel::kSizeButton), Qt::Key_F1);
    EXPECT_EQ(helpPage(platform), "panel.html");
    QString fromModal;
    bool readable = false;
    whenShown(
        kInfoTimeDialog,
        [&] {
            QTest::keyClick(widget(kInfoTimeDialog, infotimes::kGroupSize[0]), Qt::Key_F1);
            fromModal = helpPage(platform);
            HelpWindow* help = platform.helpWindow();
            auto* search = help->findChild<QLineEdit*>();
            search->setFocus();
            for (const char c : std::string("grids"))  // as the window system brings them
                QTest::keyClick(help->windowHandle(), c);
            readable = search->text() == "grids";
            help->hide();
        },
        infotimes::kOk);
    click(kPanelDialog, panel::kGroupSizesButton);
    EXPECT_EQ(fromModal, "information_times.html");
    EXPECT_TRUE(readable);
    // The frame opens the contents, from the graphic and from the text window alike.
    computeDesign();
    click(kPanelDialog, panel::kTextWindow);
    frame.activateWindow();
    frame.textWindow()->setFocus();
    QTest::keyClick(frame.textWindow(), Qt::Key_F1);
    EXPECT_EQ(helpPage(platform), "index.html");
    EXPECT_TRUE(takeBoxes().empty());
}

TEST_F(Dialogs, F1OpensTheHelpFromTheStartScreen) {
    Desktop::TearDown();
    QtPlatform fresh;
    Program program2(fresh);
    fresh.setFrame(&frame);
    QString page;
    QTimer::singleShot(0, &frame, [&] {
        DialogWindow& start = *fresh.existingWindow(kStartScreenDialog);
        QTest::keyClick(start.widget(startscreen::kStart), Qt::Key_F1);
        page = helpPage(fresh);
        fresh.helpWindow()->hide();
        QTest::keyClick(&start, Qt::Key_Return);
    });
    ASSERT_TRUE(startUp(program2));
    EXPECT_EQ(page, "getting_started.html");
    fresh.releaseWindows();
}

}  // namespace
}  // namespace qalix::qt::testing
