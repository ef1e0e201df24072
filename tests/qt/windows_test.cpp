// The desktop's windows: start-up to the panel, every dialog template laid out as widgets
// with nothing overlapping, clipped or outside its dialog, and screenshots of the start
// screen, the about box and the help window.
#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "desktop.hpp"
#include "platform/qt/help_window.hpp"
#include "program_version.hpp"
#include "shell/about_box.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::qt::testing {
namespace {

TEST_F(Desktop, StartUpReachesThePanelOnNormalOutcomesWithMOf25) {
    DialogWindow& panel = window(kPanelDialog);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.windowTitle(), "QALIX on Information Time");
    EXPECT_EQ(frame.windowTitle(), "QALIXinfWin");
    EXPECT_EQ(shown(kPanelDialog, panel::kSizeCombo), "25.00");
    auto* normseq = qobject_cast<QAbstractButton*>(widget(kPanelDialog, panel::kNormseqDesign));
    ASSERT_NE(normseq, nullptr);
    EXPECT_TRUE(normseq->isChecked());
    EXPECT_FALSE(widget(kPanelDialog, panel::kCoeffButton)->isEnabled());
    expectWidgetsFollowTheModel(kPanelDialog);
    // On a screen wide enough the panel stands beside the frame, not over it.
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    if (frame.frameGeometry().right() + panel.frameGeometry().width() < screen.right()) {
        EXPECT_FALSE(panel.frameGeometry().intersects(frame.frameGeometry()));
    }
    EXPECT_TRUE(takeBoxes().empty());
}

// The start screen and the about box said "1.0" while the package and the documents said
// 0.1.0: the picture carries the build's version.
TEST(StartScreenPicture, ShowsTheProgramsOneVersion) {
    QFile picture(QStringLiteral(":/images/start_screen.svg"));
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(picture.readAll());
    const QString version =
        QString::fromUtf8(kProgramVersion.data(), static_cast<qsizetype>(kProgramVersion.size()));
    EXPECT_TRUE(svg.contains(QStringLiteral(">Version %1<").arg(version))) << svg.size();
}

TEST_F(Desktop, StartScreenShowsThePictureAndTheWayInOrOut) {
    Desktop::TearDown();
    QtPlatform fresh;
    Program program2(fresh);
    fresh.setFrame(&frame);
    bool pictured = false;
    QString helpPage;
    QTimer::singleShot(0, &frame, [&] {
        DialogWindow& start = *fresh.existingWindow(kStartScreenDialog);
        auto* picture = qobject_cast<QLabel*>(start.widget(startscreen::kPicture));
        pictured = picture != nullptr && !picture->pixmap().isNull();
        saveScreenshot(start, QStringLiteral("start_screen"));
        QTest::keyClick(&start, Qt::Key_F1);  // F1 did nothing here
        helpPage = fresh.helpWindow()->browser()->source().fileName();
        fresh.helpWindow()->hide();
        QTest::keyClick(&start, Qt::Key_Return);  // "Start Program" is the default button
    });
    ASSERT_TRUE(startUp(program2));
    EXPECT_TRUE(pictured);
    EXPECT_EQ(helpPage, "getting_started.html");
    EXPECT_FALSE(fresh.existingWindow(kStartScreenDialog)->isVisible());
    EXPECT_TRUE(fresh.existingWindow(kPanelDialog)->isVisible());
    fresh.releaseWindows();
}

TEST_F(Desktop, CancelOnTheStartScreenEndsTheProgramWithStatusZero) {
    Desktop::TearDown();
    QtPlatform fresh;
    Program program2(fresh);
    fresh.setFrame(&frame);
    QTimer::singleShot(0, &frame, [&] {
        QTest::mouseClick(fresh.existingWindow(kStartScreenDialog)->widget(startscreen::kCancel),
                          Qt::LeftButton);
    });
    ASSERT_TRUE(startUp(program2));
    EXPECT_EQ(fresh.runMainLoop(), 0);  // at once: the quit came before the loop
    fresh.releaseWindows();
}

// ---- Layout -------------------------------------------------------------------------------

bool isFrame(const QWidget* w) {
    return qobject_cast<const QGroupBox*>(w) != nullptr;
}

// The text a widget must show whole: a caption, or a label's line.
QString caption(QWidget* w) {
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap()) return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(w)) return group->title();
    return {};
}

class EveryDialog : public Desktop, public ::testing::WithParamInterface<int> {};

TEST_P(EveryDialog, IsLaidOutWithNothingOverlappingClippedOrOutside) {
    const int id = GetParam();
    DialogWindow& w = platform.window(program.dialog(id));
    const QRect inside(QPoint(0, 0), w.size());
    const auto& widgets = w.widgets();
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        QWidget* a = widgets[i];
        const QString name = a->objectName().isEmpty() ? caption(a) : a->objectName();
        EXPECT_TRUE(inside.contains(a->geometry())) << id << ": " << name.toStdString();
        const QString text = caption(a);
        if (!text.isEmpty()) {
            const int needed = QFontMetrics(a->font()).horizontalAdvance(QString(text).remove('&'));
            // Buttons and boxes have frames; labels need only their text.
            const int room = a->width() - (qobject_cast<QLabel*>(a) ? 0 : 8);
            EXPECT_LE(needed, room) << id << ": \"" << text.toStdString() << "\" is clipped";
        }
        for (std::size_t j = i + 1; j < widgets.size(); ++j) {
            QWidget* b = widgets[j];
            if (isFrame(a) || isFrame(b)) {
                // A group box holds controls whole or stays clear of them.
                const QRect box = isFrame(a) ? a->geometry() : b->geometry();
                const QRect other = isFrame(a) ? b->geometry() : a->geometry();
                EXPECT_TRUE(box.contains(other) || !box.intersects(other) ||
                            (isFrame(a) && isFrame(b)))
                    << id << ": " << a->objectName().toStdString() << " and "
                    << b->objectName().toStdString() << " cross";
                continue;
            }
            EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                << id << ": " << caption(a).toStdString() << a->objectName().toStdString()
                << " overlaps " << caption(b).toStdString() << b->objectName().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, EveryDialog,
                         ::testing::Values(kPanelDialog, kStartScreenDialog, kInfoTimeDialog,
                                           kBoundaryDialog, kSignificanceDialog,
                                           kExpectedSizeDialog, kDiscordanceDialog, kAboutDialog));

TEST_F(Desktop, InformationTimesShowSevenCharactersWhole) {
    whenShown(
        kInfoTimeDialog,
        [&] {
            // In group-size mode they were cut ("0.4800("). Their room: inside the frame, the
            // padding, Qt's 2 pixels each side and the cursor.
            for (int k = 0; k < 4; ++k) {
                auto* time = qobject_cast<QLineEdit*>(widget(kInfoTimeDialog, infotimes::kTime[k]));
                ASSERT_EQ(time->text().size(), 7);
                const int border = time->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
                EXPECT_LE(QFontMetrics(time->font()).horizontalAdvance(time->text()),
                          time->width() - 2 * border - 2 - 4 - 1);
            }
            saveScreenshot(window(kInfoTimeDialog), QStringLiteral("information_times"));
        },
        infotimes::kOk);
    click(kPanelDialog, panel::kGroupSizesButton);
}

// ---- About and help -----------------------------------------------------------------------

TEST_F(Desktop, AboutBoxIsCentredOverTheFrameWithTheVersionLines) {
    whenShown(
        kAboutDialog,
        [&] {
            DialogWindow& about = window(kAboutDialog);
            EXPECT_EQ(shown(kAboutDialog, about::kNameLine),
                      "QALIX on information time for sequential design of experiment ");
            EXPECT_EQ(shown(kAboutDialog, about::kTrademarksLine), "");
            // The lines filled from the version strings show whole.
            for (int line : {about::kVersionLine, about::kRightsLine, about::kPurposeLine}) {
                auto* label = qobject_cast<QLabel*>(widget(kAboutDialog, line));
                EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()),
                          label->width())
                    << label->text().toStdString();
            }
            // Centred over the frame and kept on the screen (its size is the platform's).
            const QRect screen = QApplication::primaryScreen()->availableGeometry();
            const QRect box = about.frameGeometry();
            const QRect owner = frame.frameGeometry();
            const Point expected =
                CENTERWINDOW({box.left(), box.top(), box.right() + 1, box.bottom() + 1},
                             {owner.left(), owner.top(), owner.right() + 1, owner.bottom() + 1},
                             screen.right() + 1, screen.bottom() + 1);
            // Placed before it is shown, it is centred without the title bar's few pixels.
            EXPECT_NEAR(box.left(), expected.x, 8);
            EXPECT_NEAR(box.top(), expected.y, 8);
            saveScreenshot(about, QStringLiteral("about_box"));
        },
        about::kOk);
    frame.action(menu::kAbout)->trigger();
    EXPECT_FALSE(window(kAboutDialog).isVisible());
}

TEST_F(Desktop, F1OpensTheProgramsOwnHelp) {
    QTest::keyClick(&frame, Qt::Key_F1);
    HelpWindow* help = platform.helpWindow();
    ASSERT_NE(help, nullptr) << "the help pages were not found";
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(program.frame().title() == "QALIXinfWin");
    EXPECT_NE(help->browser()->toPlainText().indexOf(QStringLiteral("QALIX")), -1);
    saveScreenshot(*help, QStringLiteral("help_window"));
    help->search(QStringLiteral("discordance"));
    EXPECT_NE(help->browser()->toHtml().indexOf(QStringLiteral("href")), -1);
    // Only what a reader sees is searched, not the pages' style sheets.
    help->search(QStringLiteral("sans-serif"));
    EXPECT_EQ(help->browser()->toHtml().indexOf(QStringLiteral("href")), -1);
}

// The help window could be closed only by a window manager's close box: Esc and its "Close"
// button close it, wherever its keyboard focus is.
TEST_F(Desktop, TheHelpWindowClosesWithEscOrItsCloseButton) {
    struct Row {
        const char* how;
        std::function<void(HelpWindow&)> close;
    };
    const std::vector<Row> rows = {
        {"Esc in the page",
         [](HelpWindow& help) { QTest::keyClick(help.browser(), Qt::Key_Escape); }},
        {"Esc in the search field",
         [](HelpWindow& help) { QTest::keyClick(help.findChild<QLineEdit*>(), Qt::Key_Escape); }},
        {"Close",
         [](HelpWindow& help) {
             for (QAction* a : help.findChildren<QAction*>()) {
                 if (a->text() == QStringLiteral("Close")) a->trigger();
             }
         }},
    };
    for (const Row& row : rows) {
        QTest::keyClick(&frame, Qt::Key_F1);
        HelpWindow* help = platform.helpWindow();
        ASSERT_NE(help, nullptr);
        ASSERT_TRUE(help->isVisible()) << row.how;
        row.close(*help);
        EXPECT_FALSE(help->isVisible()) << row.how;
    }
}

}  // namespace
}  // namespace qalix::qt::testing
