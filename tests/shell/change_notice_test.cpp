// A probe that keeps its own copy of every control, changed only by what the dialogs' change
// notices say, must agree with the dialogs after a whole run through the panel: a change the
// model makes without telling (or tells under the wrong kind) leaves the copy behind, as it
// would leave a widget behind on the screen.
#include <map>
#include <string>
#include <vector>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "support/started_program.hpp"

namespace qalix::testing {
namespace {

using namespace panel;

struct Mirror {
    std::string text;
    std::vector<std::string> items;
    int selection = -1;
    int position = 0;
    int rangeMin = 0;
    int rangeMax = 0;
    bool checked = false;
    bool enabled = false;
    friend bool operator==(const Mirror&, const Mirror&) = default;
};

Mirror snapshot(const Control& c) {
    return {c.text, c.items, c.selection, c.position, c.rangeMin, c.rangeMax, c.checked, c.enabled};
}

class Probe {
  public:
    explicit Probe(DialogSet& dialogs) : dialogs_(dialogs) {
        for (int id : dialogs.ids()) {
            Dialog& d = dialogs.get(id);
            open_[id] = d.isOpen();
            for (const ControlTemplate& t : d.layout().controls) {
                if (t.id != kUnaddressed) copy_[id][t.id] = snapshot(d.control(t.id));
            }
            d.observe([this](const Dialog& dialog, int control, Change change) {
                apply(dialog, control, change);
            });
        }
    }

    // Every control of every dialog whose copy differs from the dialog, named.
    std::vector<std::string> differences() const {
        std::vector<std::string> found;
        for (const auto& [id, controls] : copy_) {
            const Dialog& d = dialogs_.get(id);
            if (open_.at(id) != d.isOpen()) found.push_back(std::to_string(id) + " open state");
            for (const auto& [control, mirror] : controls) {
                if (!(mirror == snapshot(d.control(control)))) found.push_back(d.describe(control));
            }
        }
        return found;
    }
    int notices() const { return notices_; }

  private:
    void apply(const Dialog& d, int control, Change change) {
        ++notices_;
        if (change == Change::Opened || change == Change::Closed) {
            open_[d.id()] = change == Change::Opened;
            return;
        }
        const Control& c = d.control(control);
        Mirror& m = copy_[d.id()][control];
        switch (change) {
            case Change::Text:
            case Change::Caption:
                m.text = c.text;
                break;
            case Change::Items:
                m.items = c.items;
                break;
            case Change::Selection:
                m.selection = c.selection;
                break;
            case Change::Position:
                m.position = c.position;
                break;
            case Change::Range:
                m.rangeMin = c.rangeMin;
                m.rangeMax = c.rangeMax;
                break;
            case Change::Checked:
                m.checked = c.checked;
                break;
            case Change::Enabled:
                m.enabled = c.enabled;
                break;
            default:
                break;
        }
    }

    DialogSet& dialogs_;
    std::map<int, std::map<int, Mirror>> copy_;
    std::map<int, bool> open_;
    int notices_ = 0;
};

using ChangeNotices = StartedProgram;

TEST_F(ChangeNotices, ACopyKeptFromTheNoticesMatchesEveryDialogAfterAWholeRun) {
    Probe probe(program.dialogs());
    // Fixed-sample design, then a sequential one on typed group sizes.
    ui.click(kBrownianDesign);
    ui.click(kNormseqDesign);
    ui.type(kAlphaCombo, "0.025");
    ui.pick(kPowerCombo, "0.90");
    ui.click(kSizeButton);
    ui.type(kLooksCombo, "3");
    whenShown(kInfoTimeDialog, [&] {
        ui.type(kInfoTimeDialog, infotimes::kGroupSize[0], "10");
        ui.click(kInfoTimeDialog, infotimes::kUpdateChanges);
        ui.click(kInfoTimeDialog, infotimes::kKeepChanges);
        ui.click(kInfoTimeDialog, infotimes::kDefaultEntry);
    });
    ui.click(kGroupSizesButton);
    ui.pick(kRhoCombo, "0.010");
    ui.click(kCoeffButton);
    ui.click(kRhoButton);
    ui.click(kSequentialDesignButton);
    // Every dialog of section 5, with its own controls used.
    whenShown(kBoundaryDialog, [&] {
        ui.spin(kBoundaryDialog, boundaries::kLookSpin, 2);
        ui.spin(kBoundaryDialog, boundaries::kPartialSizeSpin, 30);
        ui.type(kBoundaryDialog, boundaries::kTimeCombo, "0.5");
        ui.click(kBoundaryDialog, boundaries::kTimeButton);
    });
    ui.click(kBoundaryButton);
    whenShown(kSignificanceDialog, [&] {
        ui.spin(kSignificanceDialog, significance::kStageSpin, 3);
        ui.spin(kSignificanceDialog, significance::kSigAtSpin, 2);
        ui.type(kSignificanceDialog, significance::kMuCombo, "0.1");
        ui.pick(kSignificanceDialog, significance::kDeltaCombo, "0.0");
    });
    ui.click(kSignificanceButton);
    whenShown(kExpectedSizeDialog, [&] {
        ui.click(kExpectedSizeDialog, expectedsize::kSpecialValues);
        ui.type(kExpectedSizeDialog, expectedsize::kMuCombo, "0.2");
    });
    ui.click(kExpectedSizeButton);
    whenShown(kDiscordanceDialog, [&] {
        ui.click(kDiscordanceDialog, discordance::kRhoMaxButton);
        ui.type(kDiscordanceDialog, discordance::kDeltaCombo, "1.0");
    });
    ui.click(kDiscordanceButton);
    ui.click(kGraphicWindow);
    ui.click(kTextWindow);
    ui.click(kFixedDesign);
    ASSERT_TRUE(takeMessages().empty());

    EXPECT_GT(probe.notices(), 500);
    EXPECT_EQ(probe.differences(), std::vector<std::string>{});
}

}  // namespace
}  // namespace qalix::testing
