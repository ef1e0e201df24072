// A two-group design on the desktop: the greyed sample-path items of the menus tell why when
// the pointer rests on them, and the plots in the difference of the means, screenshots kept
// for a person to look at.
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolTip>

#include "design/panel_ids.hpp"
#include "desktop.hpp"
#include "graphics/plot_ids.hpp"
#include "samples/one_sample_paths.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::qt::testing {
namespace {

class TwoGroupWindows : public Desktop {
  protected:
    void SetUp() override {
        Desktop::SetUp();
        pick(kPanelDialog, panel::kOutcomeCombo, QStringLiteral("two groups"));
        type(kPanelDialog, panel::kAllocationCombo, QStringLiteral("2"));
        computeDesign();
        click(kPanelDialog, panel::kGraphicWindow);
    }
    // The popup that holds the item.
    static QMenu* popupOf(QAction* item) {
        for (QObject* holder : item->associatedObjects()) {
            if (auto* menu = qobject_cast<QMenu*>(holder)) return menu;
        }
        return nullptr;
    }
};

TEST_F(TwoGroupWindows, GreyedSampleItemShowsItsReasonAsATip) {
    QAction* simulated = frame.action(menu::kPlotSimulated);
    ASSERT_NE(simulated, nullptr);
    EXPECT_FALSE(simulated->isEnabled());
    QMenu* plots = popupOf(simulated);
    ASSERT_NE(plots, nullptr);
    plots->popup(frame.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(plots));
    // What the menu does when the pointer rests on the item.
    const QPoint at = plots->actionGeometry(simulated).center();
    QHelpEvent rest(QEvent::ToolTip, at, plots->mapToGlobal(at));
    QApplication::sendEvent(plots, &rest);
    EXPECT_EQ(QToolTip::text().toStdString(), std::string(kSamplePathsOneSample));
    saveScreen(QApplication::primaryScreen()->availableGeometry(),
               QStringLiteral("groups/plot_menu_greyed"));
    plots->hide();
}

TEST_F(TwoGroupWindows, PlotsOnTheDifferenceScale) {
    for (const auto& [command, name] : {std::pair{menu::kPlotBoundary, "groups/boundary_plot"},
                                        std::pair{menu::kPlotPower, "groups/power_plot"}}) {
        whenShown(
            kPlotDialog,
            [&] {
                QApplication::processEvents();
                saveScreenshot(frame, QString::fromLatin1(name));
            },
            plotdesign::kCancel);
        frame.action(command)->trigger();
        EXPECT_EQ(takeBoxes(), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace qalix::qt::testing
