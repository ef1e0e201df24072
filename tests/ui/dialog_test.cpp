// The dialog layer on small templates of its own: silent program writes, user actions that
// fire callbacks, radio groups, spins with their buddies, sorted lists, the change notices
// observers hear, modality and the user's close.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <tuple>

#include "ui/dialog.hpp"
#include "ui/dialog_set.hpp"
#include "ui/dialog_template.hpp"

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
    dialog.open(Modality::Modal);
    EXPECT_TRUE(dialog.isOpen());
    dialog.userClick(kIdOk);
    EXPECT_FALSE(dialog.isOpen());
    EXPECT_EQ(dialog.exitCode(), kIdOk);
}

TEST_F(DialogLayer, UnknownControlIsAProgrammingError) {
    EXPECT_THROW(dialog.setText(99, "x"), std::logic_error);
    EXPECT_THROW(dialog.userClick(99), std::logic_error);
    EXPECT_THROW(dialog.attach(99, [](Dialog&, int, CallbackKind) {}), std::logic_error);
    // A refusal is not a programming error, and the other way round.
    EXPECT_THROW(dialog.userClick(50), ControlRefused);
    try {
        dialog.userClick(99);
    } catch (const ControlRefused&) {
        FAIL() << "an unknown control was reported as a refusal";
    } catch (const std::logic_error&) {
    }
}

TEST_F(DialogLayer, OpeningAnOpenDialogIsAProgrammingError) {
    dialog.open(Modality::Modal);
    EXPECT_THROW(dialog.open(Modality::Modal), std::logic_error);
    EXPECT_THROW(dialog.open(Modality::Modeless), std::logic_error);
    EXPECT_TRUE(dialog.isOpen());
}

TEST_F(DialogLayer, UsersCloseEndsWithTheCancelCode) {
    dialog.open(Modality::Modal);
    dialog.userClose();
    EXPECT_FALSE(dialog.isOpen());
    EXPECT_EQ(dialog.exitCode(), kIdCancel);
}

TEST_F(DialogLayer, UsersCloseRunsTheCloseHandlerInstead) {
    int handled = 0;
    dialog.onClose([&handled](Dialog&) { ++handled; });
    dialog.open(Modality::Modeless);
    dialog.userClose();
    EXPECT_EQ(handled, 1);
    EXPECT_TRUE(dialog.isOpen());
}

// ---- Change notices ------------------------------------------------------------------

using Notice = std::tuple<int, Change>;

class Observed : public DialogLayer {
  protected:
    void SetUp() override {
        DialogLayer::SetUp();
        dialog.observe([this](const Dialog& d, int control, Change change) {
            EXPECT_EQ(&d, &dialog);
            notices.emplace_back(control, change);
        });
    }
    std::vector<Notice> notices;
};

TEST_F(Observed, EveryProgramWriteSaysWhatChanged) {
    dialog.setText(20, "3.5");
    dialog.setText(11, "Renamed");
    dialog.setText(20, "0.7", Index::AppendItem);
    dialog.setInt(20, 0, Index::ItemCount);
    dialog.setInt(31, 2, Index::RangeMax);
    dialog.setInt(31, 1);
    dialog.setLogical(40, true);
    dialog.setLogical(30, false, Index::Enabled);
    EXPECT_EQ(notices, (std::vector<Notice>{{20, Change::Text},
                                            {11, Change::Caption},
                                            {20, Change::Items},
                                            {20, Change::Items},
                                            {31, Change::Range},
                                            {30, Change::Text},  // the buddy shows the position
                                            {31, Change::Position},
                                            {40, Change::Checked},
                                            {30, Change::Enabled}}));
}

TEST_F(Observed, UserActionsAreHeardBeforeTheirCallbacks) {
    dialog.attach(12, [this](Dialog&, int, CallbackKind) {
        notices.emplace_back(-1, Change::Text);  // marks when the callback ran
    });
    dialog.userClick(12);
    EXPECT_EQ(notices, (std::vector<Notice>{
                           {11, Change::Checked}, {12, Change::Checked}, {-1, Change::Text}}));
    notices.clear();
    dialog.userPick(20, "2.0");
    EXPECT_EQ(notices, (std::vector<Notice>{{20, Change::Selection}, {20, Change::Text}}));
}

TEST_F(Observed, OpeningAndClosingAreHeard) {
    dialog.open(Modality::Modal);
    dialog.userClick(kIdOk);
    EXPECT_EQ(notices,
              (std::vector<Notice>{{kNoControl, Change::Opened}, {kNoControl, Change::Closed}}));
}

TEST_F(Observed, SeveralObserversListenAndOneCanLeave) {
    int second = 0;
    const int token = dialog.observe([&second](const Dialog&, int, Change) { ++second; });
    dialog.setText(30, "1");
    dialog.unobserve(token);
    dialog.setText(30, "2");
    EXPECT_EQ(second, 1);
    EXPECT_EQ(notices.size(), 2u);
}

// ---- Dialog set ----------------------------------------------------------------------

TEST(DialogSet, TracksTheModalDialogsOpenOverOneAnother) {
    DialogSet dialogs;
    ASSERT_TRUE(dialogs.init(143));
    ASSERT_TRUE(dialogs.init(107));
    ASSERT_TRUE(dialogs.init(111));
    EXPECT_EQ(dialogs.topModal(), nullptr);
    dialogs.get(143).open(Modality::Modeless);
    EXPECT_EQ(dialogs.topModal(), nullptr);
    dialogs.get(107).open(Modality::Modal);
    dialogs.get(111).open(Modality::Modal);
    EXPECT_EQ(dialogs.topModal(), &dialogs.get(111));
    dialogs.get(111).end(kIdOk);
    EXPECT_EQ(dialogs.topModal(), &dialogs.get(107));
    dialogs.get(107).end(kIdCancel);
    EXPECT_EQ(dialogs.topModal(), nullptr);
}

TEST(DialogSet, ADialogWithoutTemplateIsNotBuiltAndNotReachable) {
    DialogSet dialogs;
    EXPECT_FALSE(dialogs.init(9999));
    EXPECT_FALSE(dialogs.has(9999));
    EXPECT_THROW(dialogs.get(9999), std::logic_error);
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
