// The panel as a new user meets it in the first hour: information time computing from its
// defaults, an error box that holds the whole program until it is answered, negative and
// exponent numbers typed key by key, a design choice clearing what showed the one before.
#include <QAction>

#include "desktop.hpp"
#include "samples/simulation_ids.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::qt::testing {
namespace {

using namespace panel;

// A user's click or key as the window system delivers it, which a modal box may refuse; a
// test's event sent straight to a widget would pass any box.
void clickOnScreen(QWidget* w) {
    QWidget* top = w->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, w->mapTo(top, w->rect().center()));
}
void typeOnScreen(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(w->window()->windowHandle(), c.toLatin1());
}

// Power and alpha, the only two things this design computes, were refused as out of range
// when computed from the design's own defaults.
TEST_F(Desktop, InformationTimeComputesPowerAndAlphaFromItsDefaults) {
    click(kPanelDialog, kBrownianDesign);
    click(kPanelDialog, kPowerButton);
    EXPECT_EQ(shown(kPanelDialog, kPowerCombo), "0.8000");
    click(kPanelDialog, kAlphaButton);
    EXPECT_EQ(shown(kPanelDialog, kAlphaCombo), "0.0500");
    EXPECT_TRUE(takeBoxes().empty());
}

// While the box stood open the panel took clicks and typing: "Enter Group Sizes" opened its
// dialog over it and "0,025" went on into the combo, alpha silently 0.
TEST_F(Desktop, AnErrorBoxHoldsTheWholeProgramUntilItIsAnswered) {
    bool modal = false;
    std::string typedMeanwhile;
    bool timesOpened = false;
    whileBoxIsOpen([&](QMessageBox& box) {
        modal = box.windowModality() == Qt::ApplicationModal;
        clickOnScreen(widget(kPanelDialog, kGroupSizesButton));
        timesOpened = program.dialog(kInfoTimeDialog).isOpen();
        typeOnScreen(widget(kPanelDialog, kAlphaCombo), QStringLiteral("25"));
        typedMeanwhile = model(kPanelDialog, kAlphaCombo);
    });
    type(kPanelDialog, kAlphaCombo, QStringLiteral("0,0"));
    EXPECT_EQ(takeBoxes(), std::vector<std::string>{"Error: Error in type of entered data!"});
    EXPECT_TRUE(modal);
    EXPECT_FALSE(timesOpened);
    EXPECT_EQ(typedMeanwhile, "0,0");
    // Answered, the combo shows the value alpha holds, not the refused text.
    EXPECT_EQ(program.record().alpha, 0.0f);
    EXPECT_EQ(shown(kPanelDialog, kAlphaCombo), "0.0");
    expectWidgetsFollowTheModel(kPanelDialog);
}

// "-" alone brought the error box and the rest of the typing was lost.
TEST_F(Desktop, NegativeAndExponentNumbersAreTypedKeyByKey) {
    type(kPanelDialog, kMuCombo, QStringLiteral("-0.5"));
    type(kPanelDialog, kSdCombo, QStringLiteral("2.5E+0"));
    EXPECT_TRUE(takeBoxes().empty());
    EXPECT_EQ(program.record().altMean, -0.5);
    EXPECT_EQ(program.record().stdDev, 2.5);
}

// After a switch of design the old a, discordance, level and power stayed on show, the
// simulation dialog stayed open with the old sets, and the graphic window and the plots
// stayed in the menus, drawing the old design.
TEST_F(Desktop, ANewDesignChoiceClearsTheResultsOfTheOldOne) {
    computeDesign();
    click(kPanelDialog, kGraphicWindow);
    click(kPanelDialog, kSimulatedSamples);
    ASSERT_TRUE(window(kSimulationDialog).isVisible());
    for (int id : {menu::kGraphicWindow, menu::kPlotBoundary, menu::kPlotPower})
        EXPECT_TRUE(frame.action(id)->isEnabled()) << id;
    click(kPanelDialog, kBrownianDesign);
    for (int c : {kCoeffCombo, kDiscordanceEdit, kActualSigEdit, kActualPowerEdit})
        EXPECT_EQ(shown(kPanelDialog, c), "") << c;
    EXPECT_FALSE(window(kSimulationDialog).isVisible());
    for (int id : {menu::kGraphicWindow, menu::kPlotBoundary, menu::kPlotPower,
                   menu::kPlotExpectedSize, menu::kPlotSimulated, menu::kPlotImported})
        EXPECT_FALSE(frame.action(id)->isEnabled()) << id;
    expectWidgetsFollowTheModel(kPanelDialog);
    EXPECT_TRUE(takeBoxes().empty());
}

}  // namespace
}  // namespace qalix::qt::testing
