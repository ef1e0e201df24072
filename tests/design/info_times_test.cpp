// The "Information Times" dialog, opened from the panel's "Enter Information Times" and
// "Enter Group Sizes". Expected texts are worked out by hand: equally spaced times k/K,
// group sizes q = m div K with the last m mod K groups one larger, cumulative sums and N/m.
#include <array>
#include <string>
#include <vector>

#include "design/info_time_ids.hpp"
#include "design/info_times.hpp"
#include "design/panel_ids.hpp"
#include "support/started_program.hpp"

namespace qalix::testing {
namespace {

using namespace panel;
using namespace infotimes;

const std::string kLooksErrorBox =
    "Error: The number of looks must be a whole number from 2 to 16.";

std::size_t at(int k) {
    return static_cast<std::size_t>(k - 1);
}

class InfoTimes : public StartedProgram {
  protected:
    std::string field(int control) { return ui.text(kInfoTimeDialog, control); }
    bool fieldEnabled(int control) { return ui.enabled(kInfoTimeDialog, control); }
    // The texts of one row for looks 1..K.
    std::vector<std::string> row(const std::array<int, kMaxLooks>& ids, int K) {
        std::vector<std::string> texts;
        for (int k = 1; k <= K; ++k)
            texts.push_back(field(ids[at(k)]));
        return texts;
    }
    // A cleared field holds a blank.
    bool cleared(int control) { return field(control).find_first_not_of(' ') == std::string::npos; }
    // Opens the dialog on information time with K looks, does the steps in it and closes
    // it with OK.
    template <typename Steps>
    void enterTimes(int K, Steps steps) {
        ui.click(kBrownianDesign);
        ui.type(kLooksCombo, std::to_string(K));
        whenShown(kInfoTimeDialog, steps, kOk);
        ui.click(kInfoTimesButton);
    }
    void enterTimes(int K) {
        enterTimes(K, [] {});
    }
    template <typename Steps>
    void enterGroups(const std::string& m, int K, Steps steps) {
        ui.type(kSizeCombo, m);
        ui.type(kLooksCombo, std::to_string(K));
        whenShown(kInfoTimeDialog, steps, kOk);
        ui.click(kGroupSizesButton);
    }
    void enterGroups(const std::string& m, int K) {
        enterGroups(m, K, [] {});
    }
    // Opens the dialog again with one of the panel's buttons.
    template <typename Steps>
    void reopen(int button, Steps steps) {
        whenShown(kInfoTimeDialog, steps, kOk);
        ui.click(button);
    }
    void typeGroupSizes(const std::vector<const char*>& sizes) {
        for (std::size_t k = 0; k < sizes.size(); ++k)
            ui.type(kInfoTimeDialog, kGroupSize[k], sizes[k]);
    }
};

using Texts = std::vector<std::string>;

// ---- Information times ---------------------------------------------------------------------

struct TimesCase {
    int looks;
    Texts times;  // k/K with 3 decimals
};

void PrintTo(const TimesCase& c, std::ostream* os) {
    *os << "K=" << c.looks;
}

class DefaultTimes : public InfoTimes, public ::testing::WithParamInterface<TimesCase> {};

TEST_P(DefaultTimes, EquallySpacedWithTheLastFixedAtOne) {
    const TimesCase& c = GetParam();
    enterTimes(c.looks);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(modalsShown(), std::vector<int>{kInfoTimeDialog});
    EXPECT_EQ(row(kTime, c.looks), c.times);
    EXPECT_EQ(record().numLooks, c.looks);
    for (int k = 1; k <= c.looks; ++k) {
        EXPECT_EQ(field(kLookNumber[at(k)]), std::to_string(k));
        EXPECT_EQ(fieldEnabled(kTime[at(k)]), k < c.looks) << k;
        // Stored as the single-precision k/K.
        EXPECT_EQ(record().infoTime[at(k)],
                  static_cast<double>(static_cast<float>(k) / static_cast<float>(c.looks)));
        for (const auto* ids : {&kLookNumber, &kGroupNumber, &kGroupSize, &kCumulative})
            EXPECT_FALSE(fieldEnabled((*ids)[at(k)])) << k;
        EXPECT_TRUE(cleared(kGroupSize[at(k)]));
        EXPECT_TRUE(cleared(kCumulative[at(k)]));
    }
    for (int k = c.looks + 1; k <= kMaxLooks; ++k) {
        EXPECT_TRUE(cleared(kTime[at(k)])) << k;
        EXPECT_TRUE(cleared(kLookNumber[at(k)])) << k;
        EXPECT_FALSE(fieldEnabled(kTime[at(k)])) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Looks, DefaultTimes,
    ::testing::Values(TimesCase{2, {"0.500", "1.000"}}, TimesCase{3, {"0.333", "0.667", "1.000"}},
                      TimesCase{4, {"0.250", "0.500", "0.750", "1.000"}},
                      TimesCase{7,
                                {"0.143", "0.286", "0.429", "0.571", "0.714", "0.857", "1.000"}}));

TEST_F(InfoTimes, FewerLooksClearTheFieldsBeyondThem) {
    enterTimes(6);
    enterTimes(3);
    EXPECT_EQ(row(kTime, 3), (Texts{"0.333", "0.667", "1.000"}));
    for (int k = 4; k <= 6; ++k) {
        EXPECT_TRUE(cleared(kTime[at(k)])) << k;
        EXPECT_TRUE(cleared(kLookNumber[at(k)])) << k;
    }
}

TEST_F(InfoTimes, ThreeLooksAreUsedAsShown) {
    enterTimes(3);
    ui.click(kCoeffButton);
    EXPECT_TRUE(takeMessages().empty());
    // The engine parses the texts 0.333 and 0.667, not 1/3 and 2/3.
    EXPECT_EQ(record().engineTime[0], 0.333);
    EXPECT_EQ(record().engineTime[1], 0.667);
    EXPECT_EQ(record().engineTime[2], 1.0);
}

TEST_F(InfoTimes, UpdateRewritesTypedTimesWithThreeDecimals) {
    enterTimes(4, [&] {
        ui.type(kInfoTimeDialog, kTime[0], "0.1");
        ui.type(kInfoTimeDialog, kTime[1], " 0.35 ");
        ui.type(kInfoTimeDialog, kTime[2], "0.9");
        ui.click(kInfoTimeDialog, kUpdateChanges);
    });
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(row(kTime, 4), (Texts{"0.100", "0.350", "0.900", "1.000"}));
    EXPECT_EQ(record().infoTime[0], static_cast<double>(0.1f));
    EXPECT_EQ(record().infoTime[1], static_cast<double>(0.35f));
    // The search uses them as shown.
    ui.click(kCoeffButton);
    EXPECT_EQ(record().engineTime[0], 0.1);
    EXPECT_EQ(record().engineTime[1], 0.35);
    EXPECT_EQ(record().engineTime[2], 0.9);
}

TEST_F(InfoTimes, UnreadableTimeIsAnEntryError) {
    enterTimes(4, [&] {
        ui.type(kInfoTimeDialog, kTime[0], "0.2");
        ui.type(kInfoTimeDialog, kTime[1], "half");
        ui.click(kInfoTimeDialog, kUpdateChanges);
    });
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    // The first field was read and rewritten before the failure; the second keeps its text.
    EXPECT_EQ(field(kTime[0]), "0.200");
    EXPECT_EQ(field(kTime[1]), "half");
    EXPECT_EQ(record().infoTime[1], static_cast<double>(0.5f));
}

// ---- Group sizes ---------------------------------------------------------------------------

struct GroupsCase {
    const char* m;  // typed into the sample-size combo; "" keeps the start-up 25.00
    int looks;
    Texts sizes;
    Texts cumulative;
    Texts times;  // N/m with 5 decimals
};

void PrintTo(const GroupsCase& c, std::ostream* os) {
    *os << "m=" << c.m << " K=" << c.looks;
}

class DefaultGroups : public InfoTimes, public ::testing::WithParamInterface<GroupsCase> {};

TEST_P(DefaultGroups, LastGroupsTakeTheRemainder) {
    const GroupsCase& c = GetParam();
    if (*c.m != '\0') ui.type(kSizeCombo, c.m);
    ui.type(kLooksCombo, std::to_string(c.looks));
    whenShown(kInfoTimeDialog, kOk);
    ui.click(kGroupSizesButton);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(modalsShown(), std::vector<int>{kInfoTimeDialog});
    EXPECT_EQ(row(kGroupSize, c.looks), c.sizes);
    EXPECT_EQ(row(kCumulative, c.looks), c.cumulative);
    EXPECT_EQ(row(kTime, c.looks), c.times);
    for (int k = 1; k <= c.looks; ++k) {
        EXPECT_EQ(field(kGroupNumber[at(k)]), std::to_string(k));
        EXPECT_EQ(field(kLookNumber[at(k)]), std::to_string(k));
        EXPECT_EQ(fieldEnabled(kGroupSize[at(k)]), k < c.looks) << k;
        for (const auto* ids : {&kLookNumber, &kGroupNumber, &kTime, &kCumulative})
            EXPECT_FALSE(fieldEnabled((*ids)[at(k)])) << k;
        EXPECT_EQ(record().groupSize[at(k)], std::stoi(c.sizes[at(k)]));
        EXPECT_EQ(record().cumSize[at(k)], std::stoi(c.cumulative[at(k)]));
    }
    for (int k = c.looks + 1; k <= kMaxLooks; ++k) {
        for (const auto* ids : {&kLookNumber, &kTime, &kGroupNumber, &kGroupSize, &kCumulative})
            EXPECT_TRUE(cleared((*ids)[at(k)])) << k;
        EXPECT_FALSE(fieldEnabled(kGroupSize[at(k)])) << k;
    }
    EXPECT_TRUE(fieldEnabled(kUpdateChanges));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, DefaultGroups,
    ::testing::Values(
        // 50 = 4*12 + 2
        GroupsCase{"50",
                   4,
                   {"12", "12", "13", "13"},
                   {"12", "24", "37", "50"},
                   {"0.24000", "0.48000", "0.74000", "1.00000"}},
        // start-up m = 25.00 = 4*6 + 1
        GroupsCase{"",
                   4,
                   {"6", "6", "6", "7"},
                   {"6", "12", "18", "25"},
                   {"0.24000", "0.48000", "0.72000", "1.00000"}},
        GroupsCase{"100",
                   4,
                   {"25", "25", "25", "25"},
                   {"25", "50", "75", "100"},
                   {"0.25000", "0.50000", "0.75000", "1.00000"}},
        // 10 = 3*3 + 1: 0.3, 0.6, 1
        GroupsCase{"10", 3, {"3", "3", "4"}, {"3", "6", "10"}, {"0.30000", "0.60000", "1.00000"}},
        // 24.2 rounds up to 25
        GroupsCase{"24.2", 2, {"12", "13"}, {"12", "25"}, {"0.48000", "1.00000"}},
        // m = K: one observation per group
        GroupsCase{"4",
                   4,
                   {"1", "1", "1", "1"},
                   {"1", "2", "3", "4"},
                   {"0.25000", "0.50000", "0.75000", "1.00000"}}),
    [](const ::testing::TestParamInfo<GroupsCase>& p) { return "case" + std::to_string(p.index); });

TEST_F(InfoTimes, ComputedSampleSizeIsRoundedUp) {
    ui.click(kSizeButton);  // m = 24.73
    whenShown(kInfoTimeDialog, kOk);
    ui.click(kGroupSizesButton);
    EXPECT_EQ(row(kGroupSize, 4), (Texts{"6", "6", "6", "7"}));
    EXPECT_EQ(field(kCumulative[3]), "25");
}

TEST_F(InfoTimes, UpdateChangesRecomputesLastGroupAndTimes) {
    enterGroups("50", 4, [&] {
        typeGroupSizes({"10", "10", "10"});
        ui.click(kInfoTimeDialog, kUpdateChanges);
    });
    EXPECT_TRUE(takeMessages().empty());
    // 50 - 30 = 20 in the last group; N/m = 0.2, 0.4, 0.6, 1.
    EXPECT_EQ(row(kGroupSize, 4), (Texts{"10", "10", "10", "20"}));
    EXPECT_EQ(row(kCumulative, 4), (Texts{"10", "20", "30", "50"}));
    EXPECT_EQ(row(kTime, 4), (Texts{"0.200", "0.400", "0.600", "1.000"}));
    EXPECT_EQ(record().groupSize[3], 20);
    EXPECT_EQ(record().cumSize[2], 30);
    EXPECT_EQ(record().infoTime[0], 10.0 / 50.0);  // N/m in double precision
    EXPECT_EQ(record().infoTime[3], 1.0);
    // The engine uses the new times.
    ui.click(kCoeffButton);
    EXPECT_EQ(record().engineTime[0], 0.2);
    EXPECT_EQ(record().engineTime[2], 0.6);
}

TEST_F(InfoTimes, SizesOfRealTrialsFitTheirFields) {
    // Cumulative sizes of 1000 and more once showed as "***" after an update.
    enterGroups("2000", 4, [&] {
        EXPECT_EQ(row(kCumulative, 4), (Texts{"500", "1000", "1500", "2000"}));
        ui.click(kInfoTimeDialog, kUpdateChanges);
    });
    EXPECT_EQ(row(kCumulative, 4), (Texts{"500", "1000", "1500", "2000"}));
    EXPECT_EQ(row(kGroupSize, 4), (Texts{"500", "500", "500", "500"}));
    EXPECT_EQ(row(kTime, 4), (Texts{"0.250", "0.500", "0.750", "1.000"}));
    EXPECT_EQ(record().cumSize[3], 2000);
    // The largest trial, 99999 = 4 * 24999 + 3: the last three groups take one more.
    enterGroups("99999", 4, [&] {
        EXPECT_EQ(row(kGroupSize, 4), (Texts{"24999", "25000", "25000", "25000"}));
        EXPECT_EQ(row(kCumulative, 4), (Texts{"24999", "49999", "74999", "99999"}));
        typeGroupSizes({"30000", "30000", "30000"});
        ui.click(kInfoTimeDialog, kUpdateChanges);
        EXPECT_EQ(row(kGroupSize, 4), (Texts{"30000", "30000", "30000", "9999"}));
        EXPECT_EQ(row(kCumulative, 4), (Texts{"30000", "60000", "90000", "99999"}));
    });
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(InfoTimes, SizesTooLargeForTheFieldsAreNamed) {
    // m = 1e9 once said "The sample size must be at least the number of looks."
    for (const char* m : {"99999.5", "100000", "1e9"}) {
        ui.type(kSizeCombo, m);
        ui.click(kGroupSizesButton);
        EXPECT_EQ(takeMessages(),
                  std::vector<std::string>{"Error: The sample size m must lie between 1 and "
                                           "99999 for a sequential design."})
            << m;
        EXPECT_TRUE(modalsShown().empty()) << m;
    }
}

// Sums of typed sizes once overflowed 32 bits and wrapped: look 2 showed a cumulative size
// of -2. They are too wide for their fields, and the last group, which cannot be read back,
// stops the update.
// Sizes beyond the size fields once summed past the range of int (undefined behaviour) and
// showed wrapped sums: the first is refused naming its look, before anything is summed.
TEST_F(InfoTimes, SumsOfHugeGroupSizesDoNotWrap) {
    enterGroups("50", 4, [&] {
        typeGroupSizes({"2147483647", "2147483647", "2147483647"});
        ui.click(kInfoTimeDialog, kUpdateChanges);
        EXPECT_EQ(row(kCumulative, 4), (Texts{"12", "24", "37", "50"}));
    });
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{"Error: The group size of look 1 (2147483647) has more "
                                       "digits than the size fields hold: sizes go up to 99999."});
}

TEST_F(InfoTimes, UnreadableGroupSizeIsAnEntryError) {
    enterGroups("50", 4, [&] {
        typeGroupSizes({"10", "ten", "10"});
        ui.click(kInfoTimeDialog, kUpdateChanges);
    });
    // The sum skips the unreadable entry (last group 50 - 20 = 30), then the update stops at
    // it: the first look is already rewritten.
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_EQ(field(kGroupSize[3]), "30");
    EXPECT_EQ(field(kCumulative[0]), "10");
    EXPECT_EQ(field(kCumulative[1]), "24");
}

// ---- Keep Changes / Default Entry ----------------------------------------------------------

TEST_F(InfoTimes, KeepChangesKeepsTheEntriesAcrossOpenings) {
    enterGroups("50", 4, [&] {
        EXPECT_TRUE(ui.checked(kInfoTimeDialog, kDefaultEntry));
        typeGroupSizes({"10", "10", "10"});
        ui.click(kInfoTimeDialog, kUpdateChanges);
        ui.click(kInfoTimeDialog, kKeepChanges);
        EXPECT_FALSE(ui.checked(kInfoTimeDialog, kDefaultEntry));
    });
    // The number of looks cannot change under kept entries.
    EXPECT_FALSE(ui.enabled(kLooksCombo));
    EXPECT_THROW(ui.type(kLooksCombo, "5"), ControlRefused);

    reopen(kGroupSizesButton, [] {});
    EXPECT_EQ(modalsShown().size(), 2u);
    EXPECT_EQ(row(kGroupSize, 4), (Texts{"10", "10", "10", "20"}));
    EXPECT_EQ(row(kCumulative, 4), (Texts{"10", "20", "30", "50"}));
    EXPECT_EQ(row(kTime, 4), (Texts{"0.200", "0.400", "0.600", "1.000"}));
    for (int k = 1; k <= kMaxLooks; ++k) {
        EXPECT_FALSE(fieldEnabled(kGroupSize[at(k)])) << k;
        EXPECT_FALSE(fieldEnabled(kTime[at(k)])) << k;
    }
    EXPECT_FALSE(fieldEnabled(kUpdateChanges));
    EXPECT_TRUE(ui.enabled(kCoeffButton));
    ui.click(kCoeffButton);
    EXPECT_EQ(record().engineTime[1], 0.4);

    reopen(kGroupSizesButton, [&] {
        ui.click(kInfoTimeDialog, kDefaultEntry);
        EXPECT_TRUE(ui.enabled(kLooksCombo));
    });
    reopen(kGroupSizesButton, [] {});
    EXPECT_EQ(row(kGroupSize, 4), (Texts{"12", "12", "13", "13"}));
    EXPECT_TRUE(fieldEnabled(kGroupSize[0]));
    EXPECT_TRUE(fieldEnabled(kUpdateChanges));
}

TEST_F(InfoTimes, KeepChangesKeepsTypedTimes) {
    enterTimes(4, [&] {
        ui.type(kInfoTimeDialog, kTime[0], "0.1");
        ui.click(kInfoTimeDialog, kKeepChanges);
        ui.click(kInfoTimeDialog, kUpdateChanges);  // still enabled: the times branch leaves it
    });
    reopen(kInfoTimesButton, [&] {
        EXPECT_EQ(row(kTime, 4), (Texts{"0.100", "0.500", "0.750", "1.000"}));
        for (int k = 1; k <= 4; ++k)
            EXPECT_FALSE(fieldEnabled(kTime[at(k)])) << k;
        ui.click(kInfoTimeDialog, kDefaultEntry);
    });
    reopen(kInfoTimesButton, [] {});
    EXPECT_EQ(row(kTime, 4), (Texts{"0.250", "0.500", "0.750", "1.000"}));
    EXPECT_TRUE(fieldEnabled(kTime[0]));
}

TEST_F(InfoTimes, ADesignChoiceKeepsTheLooksOfKeptEntries) {
    enterTimes(4, [&] { ui.click(kInfoTimeDialog, kKeepChanges); });
    for (int design : {kNormseqDesign, kBrownianDesign}) {
        ui.click(design);
        EXPECT_FALSE(ui.enabled(kLooksCombo)) << design;
    }
}

// ---- Refused openings ----------------------------------------------------------------------

struct LooksCase {
    const char* looks;
    int button;
};

void PrintTo(const LooksCase& c, std::ostream* os) {
    *os << c.looks << " via " << c.button;
}

class LooksOutOfRange : public InfoTimes, public ::testing::WithParamInterface<LooksCase> {};

TEST_P(LooksOutOfRange, ShowMessageAndDoNotOpen) {
    const LooksCase& c = GetParam();
    if (c.button == kInfoTimesButton) ui.click(kBrownianDesign);
    ui.type(kLooksCombo, c.looks);
    ui.click(c.button);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kLooksErrorBox});
    EXPECT_TRUE(modalsShown().empty());
    EXPECT_FALSE(ui.enabled(kCoeffButton));
}

INSTANTIATE_TEST_SUITE_P(
    Looks, LooksOutOfRange,
    ::testing::Values(LooksCase{"0", kInfoTimesButton}, LooksCase{"0", kGroupSizesButton},
                      LooksCase{"17", kInfoTimesButton}, LooksCase{"17", kGroupSizesButton},
                      LooksCase{"1", kInfoTimesButton}, LooksCase{"1", kGroupSizesButton},
                      LooksCase{"-4", kGroupSizesButton}));

TEST_F(InfoTimes, LooksAtTheEndsOfTheRangeOpen) {
    enterTimes(16);
    enterTimes(2);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(modalsShown().size(), 2u);
    EXPECT_EQ(record().numLooks, 2);
}

TEST_F(InfoTimes, UnreadableLooksIsAnEntryError) {
    ui.type(kLooksCombo, "four");
    ui.click(kGroupSizesButton);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_TRUE(modalsShown().empty());
}

TEST_F(InfoTimes, GroupSizesNeedAtLeastOneObservationPerLook) {
    ui.type(kSizeCombo, "3");
    ui.click(kGroupSizesButton);  // m = 3 < K = 4
    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Error: ", 0), 0u);
    EXPECT_TRUE(modalsShown().empty());
    EXPECT_FALSE(ui.enabled(kCoeffButton));
}

// ---- Enabling of "Bound-Coeff  a:" ---------------------------------------------------------

class CoeffButton : public InfoTimes, public ::testing::WithParamInterface<int> {};

TEST_P(CoeffButton, EnabledByOpeningTheDialogDisabledByChangingLooks) {
    const int button = GetParam();
    if (button == kInfoTimesButton) ui.click(kBrownianDesign);
    EXPECT_FALSE(ui.enabled(kCoeffButton));
    reopen(button, [] {});
    EXPECT_TRUE(ui.enabled(kCoeffButton));
    ui.type(kLooksCombo, "3");
    EXPECT_FALSE(ui.enabled(kCoeffButton));
    reopen(button, [] {});
    EXPECT_TRUE(ui.enabled(kCoeffButton));
    EXPECT_EQ(record().numLooks, 3);
}

INSTANTIATE_TEST_SUITE_P(Buttons, CoeffButton,
                         ::testing::Values(kInfoTimesButton, kGroupSizesButton),
                         [](const ::testing::TestParamInfo<int>& p) {
                             return std::string(p.param == kInfoTimesButton ? "times" : "groups");
                         });

}  // namespace
}  // namespace qalix::testing
