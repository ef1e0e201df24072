// The panel's whole enabling chain clicked and typed through the widgets, with every widget
// showing what its model holds after each step; and one script of user actions run through
// the headless driver and through the widgets, which must leave every control of every
// dialog, and the design, the same.
#include <QPlainTextEdit>
#include <functional>
#include <map>
#include <memory>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "desktop.hpp"
#include "platform/headless/driver.hpp"
#include "platform/headless/headless_platform.hpp"

namespace qalix::qt::testing {
namespace {

// ---- The enabling chain -------------------------------------------------------------------

TEST_F(Desktop, TheWholeEnablingChainThroughTheWidgets) {
    using namespace panel;
    const auto step = [&](int dialog) {
        expectWidgetsFollowTheModel(kPanelDialog);
        if (dialog != kPanelDialog) expectWidgetsFollowTheModel(dialog);
    };
    click(kPanelDialog, kSizeButton);
    EXPECT_EQ(shown(kPanelDialog, kSizeCombo), "24.73");
    step(kPanelDialog);
    type(kPanelDialog, kLooksCombo, QStringLiteral("4"));
    whenShown(
        kInfoTimeDialog,
        [&] {
            step(kInfoTimeDialog);
            type(kInfoTimeDialog, infotimes::kGroupSize[0], QStringLiteral("5"));
            click(kInfoTimeDialog, infotimes::kUpdateChanges);
            EXPECT_EQ(shown(kInfoTimeDialog, infotimes::kGroupSize[3]), "8");
            step(kInfoTimeDialog);
        },
        infotimes::kOk);
    click(kPanelDialog, kGroupSizesButton);
    EXPECT_TRUE(widget(kPanelDialog, kCoeffButton)->isEnabled());
    step(kPanelDialog);
    pick(kPanelDialog, kRhoCombo, QStringLiteral("0.020"));
    click(kPanelDialog, kCoeffButton);
    EXPECT_FALSE(shown(kPanelDialog, kCoeffCombo).empty());
    EXPECT_TRUE(widget(kPanelDialog, kSequentialDesignButton)->isEnabled());
    step(kPanelDialog);
    click(kPanelDialog, kSequentialDesignButton);
    EXPECT_EQ(shown(kPanelDialog, kActualSigEdit).rfind("0.0", 0), 0u);
    for (int c : {kBoundaryButton, kSignificanceButton, kDiscordanceButton, kExpectedSizeButton,
                  kGraphicWindow, kTextWindow, kSimulatedSamples})
        EXPECT_TRUE(widget(kPanelDialog, c)->isEnabled()) << c;
    step(kPanelDialog);

    whenShown(
        kBoundaryDialog,
        [&] {
            spin(kBoundaryDialog, boundaries::kLookSpin, 2);
            step(kBoundaryDialog);
            saveScreenshot(window(kBoundaryDialog), QStringLiteral("critical_boundary_values"));
        },
        boundaries::kClose);
    click(kPanelDialog, kBoundaryButton);
    whenShown(
        kSignificanceDialog,
        [&] {
            spin(kSignificanceDialog, significance::kStageSpin, 3);
            step(kSignificanceDialog);
            saveScreenshot(window(kSignificanceDialog),
                           QStringLiteral("probability_of_significance"));
        },
        significance::kClose);
    click(kPanelDialog, kSignificanceButton);
    whenShown(
        kExpectedSizeDialog,
        [&] {
            click(kExpectedSizeDialog, expectedsize::kSpecialValues);
            step(kExpectedSizeDialog);
            saveScreenshot(window(kExpectedSizeDialog), QStringLiteral("expected_sample_size"));
        },
        expectedsize::kClose);
    click(kPanelDialog, kExpectedSizeButton);
    whenShown(
        kDiscordanceDialog,
        [&] {
            click(kDiscordanceDialog, discordance::kRhoMaxButton);
            step(kDiscordanceDialog);
            saveScreenshot(window(kDiscordanceDialog),
                           QStringLiteral("probability_of_discordance"));
        },
        discordance::kClose);
    click(kPanelDialog, kDiscordanceButton);
    step(kPanelDialog);
    saveScreenshot(window(kPanelDialog), QStringLiteral("panel_after_sequential_design"));

    click(kPanelDialog, kGraphicWindow);
    EXPECT_EQ(frame.windowTitle(), "Graphic Window: Plotting");
    click(kPanelDialog, kTextWindow);
    EXPECT_EQ(frame.windowTitle(), "Text Window: Save and Import Data");
    EXPECT_TRUE(frame.textWindow()->isVisible());
    step(kPanelDialog);
}

// ---- One script, two ways -----------------------------------------------------------------

// What a user does, for either way of doing it.
class Actions {
  public:
    virtual ~Actions() = default;
    virtual void type(int dialog, int control, const std::string& text) = 0;
    virtual void pick(int dialog, int control, const std::string& item) = 0;
    virtual void click(int dialog, int control) = 0;
    virtual void spin(int dialog, int control, int position) = 0;
    // Steps to take in the modal dialog the next action shows, then its close button.
    virtual void inModal(int dialog, std::function<void()> steps, int close) = 0;
};

void script(Actions& a) {
    using namespace panel;
    a.click(kPanelDialog, kBrownianDesign);
    a.pick(kPanelDialog, kPowerCombo, "0.90");
    a.click(kPanelDialog, kNormseqDesign);
    a.type(kPanelDialog, kAlphaCombo, "0.025");
    a.pick(kPanelDialog, kPowerCombo, "0.90");
    a.type(kPanelDialog, kMuCombo, "0.4");
    a.click(kPanelDialog, kSizeButton);
    a.type(kPanelDialog, kLooksCombo, "5");
    a.inModal(
        kInfoTimeDialog,
        [&] {
            a.type(kInfoTimeDialog, infotimes::kGroupSize[0], "10");
            a.type(kInfoTimeDialog, infotimes::kGroupSize[1], "20");
            a.click(kInfoTimeDialog, infotimes::kUpdateChanges);
        },
        infotimes::kOk);
    a.click(kPanelDialog, kGroupSizesButton);
    a.pick(kPanelDialog, kRhoCombo, "0.010");
    a.click(kPanelDialog, kCoeffButton);
    a.click(kPanelDialog, kRhoButton);
    a.click(kPanelDialog, kSequentialDesignButton);
    a.inModal(
        kBoundaryDialog,
        [&] {
            a.spin(kBoundaryDialog, boundaries::kLookSpin, 3);
            a.type(kBoundaryDialog, boundaries::kTimeCombo, "0.5");
            a.click(kBoundaryDialog, boundaries::kTimeButton);
            a.spin(kBoundaryDialog, boundaries::kPartialSizeSpin, 60);
        },
        boundaries::kClose);
    a.click(kPanelDialog, kBoundaryButton);
    a.inModal(
        kSignificanceDialog,
        [&] {
            a.spin(kSignificanceDialog, significance::kStageSpin, 4);
            a.pick(kSignificanceDialog, significance::kDeltaCombo, "0.0");
            a.spin(kSignificanceDialog, significance::kSigAtSpin, 2);
        },
        significance::kClose);
    a.click(kPanelDialog, kSignificanceButton);
    a.inModal(
        kExpectedSizeDialog,
        [&] {
            a.click(kExpectedSizeDialog, expectedsize::kSpecialValues);
            a.click(kExpectedSizeDialog, expectedsize::kSpecialValues);
            a.type(kExpectedSizeDialog, expectedsize::kMuCombo, "0.3");
        },
        expectedsize::kClose);
    a.click(kPanelDialog, kExpectedSizeButton);
    a.inModal(
        kDiscordanceDialog, [&] { a.click(kDiscordanceDialog, discordance::kRhoMaxButton); },
        discordance::kClose);
    a.click(kPanelDialog, kDiscordanceButton);
    a.click(kPanelDialog, kTextWindow);
    a.click(kPanelDialog, kGraphicWindow);
}

class HeadlessActions : public Actions {
  public:
    HeadlessActions() {
        platform.onModal(kStartScreenDialog,
                         [this](Dialog&) { ui.click(kStartScreenDialog, startscreen::kStart); });
        startUp(program);
    }
    void type(int d, int c, const std::string& text) override { ui.type(d, c, text); }
    void pick(int d, int c, const std::string& item) override { ui.pick(d, c, item); }
    void click(int d, int c) override { ui.click(d, c); }
    void spin(int d, int c, int position) override { ui.spin(d, c, position); }
    void inModal(int dialog, std::function<void()> steps, int close) override {
        platform.onModal(dialog, [this, dialog, steps, close](Dialog&) {
            steps();
            ui.click(dialog, close);
        });
    }
    HeadlessPlatform platform;
    Program program{platform};
    Driver ui{program.dialogs()};
};

class WidgetActions : public Actions {
  public:
    explicit WidgetActions(Desktop& desktop) : desktop_(desktop) {}
    void type(int d, int c, const std::string& text) override;
    void pick(int d, int c, const std::string& item) override;
    void click(int d, int c) override;
    void spin(int d, int c, int position) override;
    void inModal(int dialog, std::function<void()> steps, int close) override;

  private:
    Desktop& desktop_;
};

using Parity = Desktop;

void WidgetActions::type(int d, int c, const std::string& text) {
    desktop_.type(d, c, QString::fromStdString(text));
}
void WidgetActions::pick(int d, int c, const std::string& item) {
    desktop_.pick(d, c, QString::fromStdString(item));
}
void WidgetActions::click(int d, int c) {
    desktop_.click(d, c);
}
void WidgetActions::spin(int d, int c, int position) {
    desktop_.spin(d, c, position);
}
void WidgetActions::inModal(int dialog, std::function<void()> steps, int close) {
    desktop_.whenShown(dialog, std::move(steps), close);
}

// Every control of every dialog, as its model holds it.
std::map<std::string, std::string> everyControl(const DialogSet& dialogs) {
    std::map<std::string, std::string> all;
    for (int id : dialogs.ids()) {
        const Dialog& d = dialogs.get(id);
        all[std::to_string(id) + " open"] = d.isOpen() ? "yes" : "no";
        for (const ControlTemplate& t : d.layout().controls) {
            if (t.id == kUnaddressed) continue;
            const Control& c = d.control(t.id);
            std::string items;
            for (const std::string& item : c.items)
                items += item + "|";
            all[d.describe(t.id)] =
                c.text + " [" + items + "] sel=" + std::to_string(c.selection) +
                " pos=" + std::to_string(c.position) + " range=" + std::to_string(c.rangeMin) +
                ".." + std::to_string(c.rangeMax) + " checked=" + std::to_string(c.checked) +
                " enabled=" + std::to_string(c.enabled);
        }
    }
    return all;
}

TEST_F(Parity, OneScriptThroughTheDriverAndThroughTheWidgetsLeavesTheSameProgram) {
    HeadlessActions headless;
    script(headless);
    ASSERT_TRUE(headless.platform.messages().empty());
    WidgetActions widgets(*this);
    script(widgets);

    EXPECT_EQ(everyControl(program.dialogs()), everyControl(headless.program.dialogs()));
    const DesignRecord& a = program.record();
    const DesignRecord& b = headless.program.record();
    EXPECT_EQ(a.alpha, b.alpha);
    EXPECT_EQ(a.power, b.power);
    EXPECT_EQ(a.sampleSize, b.sampleSize);
    EXPECT_EQ(a.numLooks, b.numLooks);
    EXPECT_EQ(a.engineTime, b.engineTime);
    EXPECT_EQ(a.coeffTable.values, b.coeffTable.values);
    EXPECT_EQ(program.frame().mode(), headless.program.frame().mode());
    for (int id : program.dialogs().ids()) {
        if (platform.existingWindow(id) != nullptr) expectWidgetsFollowTheModel(id);
    }
}

}  // namespace
}  // namespace qalix::qt::testing
