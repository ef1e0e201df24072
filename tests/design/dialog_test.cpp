// The dialog layer on small templates of its own: silent program writes, user actions that
// fire callbacks, radio groups, spins with their buddies and sorted lists.
#include <gtest/gtest.h>

#include <set>

#include "design/dialog.hpp"
#include "design/dialog_template.hpp"
#include "design/program.hpp"

namespace qalix {
namespace {

constexpr const char* kTemplate = R"(# a test dialog
dialog 500 "Test" 10 10 200 100
font 8 "MS Sans Serif"
radio 11 "First" 5 5 40 12 pushlike
radio 12 "Second" 50 5 40 12 pushlike
combo 20 "" 5 20 60 80 editable sorted
items 20 "2.0" "10.0" "-0.5"
edit 30 "" 5 40 30 12
spin 31 "" 36 40 11 12 buddy=30
check 40 "Toggle" 5 60 40 12 pushlike
button 1 "OK" 5 80 40 14
button 50 "Off" 50 80 40 14 disabled
radiogroup 11 12
)";

class DialogLayer : public ::testing::Test {
  protected:
    void SetUp() override {
        for (auto kind :
             {CallbackKind::Default, CallbackKind::SelectionChanged, CallbackKind::EditChanged}) {
            for (int c : {11, 12, 20, 31, 40}) {
                dialog.attach(
                    c,
                    [this](Dialog&, int control, CallbackKind k) {
                        calls.push_back({control, k});
                    },
                    kind);
            }
        }
    }
    Dialog dialog{parseDialogTemplate(kTemplate)};
    std::vector<std::pair<int, CallbackKind>> calls;
};

TEST_F(DialogLayer, ProgramWritesAreSilent) {
    dialog.setText(20, "3.5");
    dialog.setInt(31, 7);
    dialog.setLogical(12, true);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(dialog.getText(20), "3.5");
    EXPECT_EQ(dialog.getText(30), "7");  // the spin's buddy shows its position
}

TEST_F(DialogLayer, UserActionsFireTheMatchingCallbacks) {
    dialog.userType(20, "1.5");
    dialog.userPick(20, "10.0");
    dialog.userClick(12);
    using P = std::pair<int, CallbackKind>;
    EXPECT_EQ(calls, (std::vector<P>{{20, CallbackKind::EditChanged},
                                     {20, CallbackKind::SelectionChanged},
                                     {12, CallbackKind::Default}}));
    EXPECT_EQ(dialog.getText(20), "10.0");
}

TEST_F(DialogLayer, RadioGroupsKeepOneButtonPressed) {
    EXPECT_TRUE(dialog.getLogical(11));  // first of its group
    EXPECT_FALSE(dialog.getLogical(12));
    dialog.userClick(12);
    EXPECT_FALSE(dialog.getLogical(11));
    EXPECT_TRUE(dialog.getLogical(12));
    dialog.userClick(40);
    dialog.userClick(40);
    EXPECT_FALSE(dialog.getLogical(40));  // a check box toggles
}

TEST_F(DialogLayer, SortedListsAndEmptying) {
    EXPECT_EQ(dialog.item(20, 0), "-0.5");
    EXPECT_EQ(dialog.item(20, 1), "10.0");
    EXPECT_EQ(dialog.item(20, 2), "2.0");
    dialog.setInt(20, 0, Index::ItemCount);
    dialog.setText(20, "0.0", Index::AppendItem);
    dialog.setText(20, "-1", Index::AppendItem);
    EXPECT_EQ(dialog.getInt(20, Index::ItemCount), 2);
    EXPECT_EQ(dialog.item(20, 0), "-1");
}

TEST_F(DialogLayer, SpinsStayInTheirRange) {
    dialog.setInt(31, 1, Index::RangeMin);
    dialog.setInt(31, 4, Index::RangeMax);
    dialog.userSpin(31, 9);
    EXPECT_EQ(dialog.getInt(31), 4);
    EXPECT_EQ(dialog.getText(30), "4");
    EXPECT_EQ(calls.back(), std::make_pair(31, CallbackKind::Default));
}

TEST_F(DialogLayer, RefusesWhatAScreenWouldRefuse) {
    EXPECT_THROW(dialog.userClick(50), ControlRefused);
    EXPECT_THROW(dialog.userType(40, "x"), ControlRefused);
    EXPECT_THROW(dialog.userPick(20, "7.0"), ControlRefused);
    dialog.setLogical(20, false, Index::Enabled);
    EXPECT_THROW(dialog.userType(20, "1"), ControlRefused);
}

TEST_F(DialogLayer, OkEndsTheModalDialog) {
    dialog.open();
    EXPECT_TRUE(dialog.isOpen());
    dialog.userClick(kIdOk);
    EXPECT_FALSE(dialog.isOpen());
    EXPECT_EQ(dialog.exitCode(), kIdOk);
}

TEST(DialogTemplates, EveryDialogOfTheProgramBuilds) {
    for (int id : {kPanelDialog, kInfoTimeDialog, kBoundaryDialog, kSignificanceDialog,
                   kExpectedSizeDialog, kDiscordanceDialog}) {
        const auto layout = loadDialogTemplate(id);
        ASSERT_TRUE(layout) << id;
        EXPECT_EQ(layout->id, id);
        std::set<int> ids;
        for (const auto& c : layout->controls) {
            if (c.id == kUnaddressed) continue;
            EXPECT_TRUE(ids.insert(c.id).second) << id << ": " << c.id;
        }
    }
    EXPECT_FALSE(loadDialogTemplate(9999));
}

TEST(DialogTemplates, MalformedTemplateNamesItsLine) {
    try {
        parseDialogTemplate("dialog 1 \"x\" 0 0 10 10\nbutton 5 \"a\" 1 2\n");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos);
    }
}

}  // namespace
}  // namespace qalix
