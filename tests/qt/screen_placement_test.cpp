// Where the frame and the panel open: within the screen, the panel owned by the frame and so
// above it, beside it where both fit and over its right side where they do not. Run on the
// test screen of 1920 by 1080 and again on 1280 by 800, 1366 by 768, and at Qt's scale
// factor 1.5 (tests/qt/CMakeLists.txt); each run keeps a picture of its screen.
#include <QAction>
#include <QWindow>

#include "desktop.hpp"
#include "graphics/plot_ids.hpp"
#include "platform/qt/window_placement.hpp"
#include "shell/menu_ids.hpp"

namespace qalix::qt::testing {
namespace {

// The frame opened 1500 by 819 whatever the screen, wider than 1280, and the panel went
// under it at every switch of window.
TEST_F(Desktop, FrameAndPanelOpenWithinTheScreenThePanelAboveTheFrame) {
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    DialogWindow& panel = window(kPanelDialog);
    EXPECT_TRUE(screen.contains(frame.frameGeometry())) << frame.width() << "x" << frame.height();
    EXPECT_TRUE(screen.contains(panel.frameGeometry()));
    EXPECT_EQ(panel.parentWidget(), &frame);
    EXPECT_EQ(panel.windowHandle()->transientParent(), frame.windowHandle());
    // Most of the frame stays in view: its menu and the plots' left part.
    EXPECT_GE(frame.frameGeometry().width(), 800);
    EXPECT_GE(panel.frameGeometry().left() - frame.frameGeometry().left(), 600);
    computeDesign();
    click(kPanelDialog, panel::kGraphicWindow);  // shows and raises the frame
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(screen.contains(panel.frameGeometry()));
    whenShown(
        kPlotDialog, [] {}, plotdesign::kCancel);
    frame.action(menu::kPlotBoundary)->trigger();
    saveScreen(screen, QStringLiteral("screen_%1x%2_at_%3")
                           .arg(screen.width())
                           .arg(screen.height())
                           .arg(frame.devicePixelRatio()));
}

TEST(WindowPlacement, BesideWhereBothFitOverTheFramesRightSideWhereNot) {
    struct Case {
        QRect screen;
        int frameWidth;
        int panelX;
    };
    const QSize wanted(1500, 819);
    const QSize panel(603, 580);
    for (const Case c : {Case{{0, 0, 1280, 800}, 800, 677}, Case{{0, 0, 1366, 768}, 800, 763},
                         Case{{0, 0, 1920, 1080}, 1293, 1309}, Case{{0, 0, 2560, 1440}, 1500, 1516},
                         Case{{0, 24, 1280, 776}, 800, 677}}) {
        const QRect frame = openingFrame(c.screen, wanted, 8);
        EXPECT_TRUE(c.screen.contains(frame)) << c.screen.width();
        EXPECT_EQ(frame.topLeft(), c.screen.topLeft() + QPoint(8, 8));
        const FrameAndPanel at = besideEachOther(c.screen, frame, panel, 800, 8);
        EXPECT_EQ(at.frame.width(), c.frameWidth) << c.screen.width();
        EXPECT_EQ(at.panel, QPoint(c.panelX, frame.top())) << c.screen.width();
        EXPECT_TRUE(c.screen.contains(QRect(at.panel, panel))) << c.screen.width();
        EXPECT_EQ(at.frame.height(), frame.height());
    }
}

// A dialog placed from its owner's corner went past the screen's edge on a small screen.
TEST(WindowPlacement, AWindowIsMovedIntoTheScreenAsLittleAsItTakes) {
    const QRect screen(0, 0, 1280, 800);
    EXPECT_EQ(keptWithin(screen, {100, 100, 600, 400}), QPoint(100, 100));
    EXPECT_EQ(keptWithin(screen, {900, 600, 600, 400}), QPoint(680, 400));
    EXPECT_EQ(keptWithin(screen, {-20, -5, 600, 400}), QPoint(0, 0));
    EXPECT_EQ(keptWithin(screen, {300, 200, 1300, 900}), QPoint(0, 0));  // larger: its corner
}

}  // namespace
}  // namespace qalix::qt::testing
