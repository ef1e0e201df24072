// Where the frame and the panel open: within the screen, the panel owned by the frame and so
// above it, and beside it, none of the frame under the panel. Run on the
// test screen of 1920 by 1080 and again on 1280 by 800, 1366 by 768, and at Qt's scale
// factor 1.5 (tests/qt/CMakeLists.txt); each run keeps a picture of its screen.
#include <QAction>
#include <QWindow>

#include "desktop.hpp"
#include "graphics/plot_ids.hpp"
#include "ui/menu_ids.hpp"

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
    // On a screen 1280 wide the panel covered 130 pixels of the frame, the plots' right side
    // with them: the frame is narrowed to the room beside the panel.
    EXPECT_FALSE(frame.frameGeometry().intersects(panel.frameGeometry()))
        << frame.frameGeometry().right() << " " << panel.frameGeometry().left();
    EXPECT_GE(frame.frameGeometry().width(), 600);
    // The widest dialog, placed from the frame's corner, stays on the screen too.
    whenShown(
        kInfoTimeDialog,
        [&] { EXPECT_TRUE(screen.contains(window(kInfoTimeDialog).frameGeometry())); },
        infotimes::kOk);
    click(kPanelDialog, panel::kGroupSizesButton);
    click(kPanelDialog, panel::kCoeffButton);
    click(kPanelDialog, panel::kSequentialDesignButton);
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

}  // namespace
}  // namespace qalix::qt::testing
