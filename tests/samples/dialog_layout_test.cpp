// The sample dialogs as laid out for the screen: every control inside its dialog (a combo
// with its list dropped down), no two controls on top of each other, and each control
// either inside a group box or clear of it.
#include <gtest/gtest.h>

#include <string>

#include "samples/import_ids.hpp"
#include "samples/simulation_ids.hpp"
#include "ui/dialog_template.hpp"

namespace qalix {
namespace {

// A closed combo shows its edit field only; the template gives the dropped-down height.
constexpr int kClosedComboHeight = 12;

struct Box {
    int left, top, right, bottom;
};

Box shown(const ControlTemplate& c) {
    const int height = c.kind == ControlKind::Combo ? kClosedComboHeight : c.height;
    return {c.x, c.y, c.x + c.width, c.y + height};
}

bool overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool inside(const Box& inner, const Box& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

std::string name(const ControlTemplate& c) {
    return std::to_string(c.id) + " \"" + c.caption + "\"";
}

class SampleDialogLayout : public ::testing::TestWithParam<int> {};

TEST_P(SampleDialogLayout, ControlsFitTheDialogAndOverlapNothing) {
    const auto layout = loadDialogTemplate(GetParam());
    ASSERT_TRUE(layout);
    const Box dialog{0, 0, layout->width, layout->height};
    const auto& controls = layout->controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlTemplate& a = controls[i];
        const Box dropped{a.x, a.y, a.x + a.width, a.y + a.height};
        EXPECT_TRUE(inside(dropped, dialog)) << name(a);
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const ControlTemplate& b = controls[j];
            const bool aGroup = a.kind == ControlKind::GroupBox;
            const bool bGroup = b.kind == ControlKind::GroupBox;
            if (aGroup || bGroup) {
                const Box& group = aGroup ? shown(a) : shown(b);
                const Box other = aGroup ? shown(b) : shown(a);
                EXPECT_TRUE(inside(other, group) || !overlap(other, group))
                    << name(a) << " and " << name(b);
            } else {
                EXPECT_FALSE(overlap(shown(a), shown(b))) << name(a) << " and " << name(b);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, SampleDialogLayout,
                         ::testing::Values(kSimulationDialog, kImportDialog));

}  // namespace
}  // namespace qalix
