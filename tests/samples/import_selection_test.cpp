// "Import Samples" (dialog 109): imported records browsed and selected with an assumed or
// estimated SD, a size and a name.
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "samples/import_selection.hpp"
#include "samples_program.hpp"

namespace qalix::testing {
namespace {

using namespace imports;

// The observations of tests/samples/fixtures/selection_records.txt.
const std::map<int, std::vector<double>> kRecords = {
    {1, {2.0}},           {2, {1, 2, 3, 4}}, {3, {0.5, 1.5, -0.5}},
    {4, {3.0, 5.0, 4.0}}, {5, {3.0, 5.0}},   {6, {2, 4, 4, 4, 5, 5, 7, 9}},
    {7, {0.1, 0.2, 0.3}}, {8, {-1, 1}}};

// The sample SD by the two-pass formula in double precision.
double sampleSd(const std::vector<double>& x) {
    const double mean = std::accumulate(x.begin(), x.end(), 0.0) / static_cast<double>(x.size());
    double squares = 0.0;
    for (double v : x)
        squares += (v - mean) * (v - mean);
    return std::sqrt(squares / static_cast<double>(x.size() - 1));
}

class ImportSelection : public SamplesProgram {
  protected:
    // The eight records imported and "Import Samples" opened; N = 25.
    void openSelection(const char* file = "selection_records.txt") {
        importAs("Observ", fixture(file));
        ui.click(panel::kImportedSamples);
        ASSERT_TRUE(program.dialog(kImportDialog).isOpen());
    }
    void spinTo(int k) { ui.spin(kImportDialog, kRecordSpin, k); }
    void click(int control) { ui.click(kImportDialog, control); }
    void type(int control, const std::string& text) { ui.type(kImportDialog, control, text); }
    std::vector<std::string> list() { return ui.items(kImportDialog, kSelectedCombo); }
};

TEST_F(ImportSelection, OpensOnTheFirstRecordWithItsEstimatedSd) {
    ASSERT_NO_FATAL_FAILURE(openSelection());
    EXPECT_EQ(importText(kImportedCountLabel), "8");
    EXPECT_EQ(importText(kSelectedCountLabel), "0");
    EXPECT_EQ(ui.position(kImportDialog, kRecordSpin), 1);
    EXPECT_EQ(importText(kRecordEdit), "1");
    EXPECT_TRUE(ui.checked(kImportDialog, kEstimatedRadio));
    EXPECT_FALSE(ui.checked(kImportDialog, kAssumedRadio));
    // A single observation has no estimated SD.
    EXPECT_EQ(importText(kEstimatedMuEdit), "?");
    EXPECT_EQ(importText(kEstimatedDeltaEdit), "?");
    EXPECT_EQ(importText(kEstimatedSizeEdit), "1");
    EXPECT_TRUE(ui.enabled(kImportDialog, kEstimatedMuEdit));
    EXPECT_FALSE(ui.enabled(kImportDialog, kAssumedMuEdit));
}

TEST_F(ImportSelection, SpinShowsEachRecordsEstimateOnBothScales) {
    ASSERT_NO_FATAL_FAILURE(openSelection());
    for (const auto& [k, x] : kRecords) {
        if (x.size() < 2) continue;
        spinTo(k);
        const double sd = sampleSd(x);
        EXPECT_EQ(importText(kEstimatedMuEdit), fixed(sd, 4)) << k;
        EXPECT_EQ(importText(kEstimatedDeltaEdit), fixed(sd / 5.0, 4)) << k;
        EXPECT_EQ(importText(kEstimatedSizeEdit), std::to_string(x.size())) << k;
        EXPECT_NEAR(record().importEstSD[static_cast<std::size_t>(k - 1)], sd, 1e-5) << k;
    }
    EXPECT_EQ(importText(kVarNameEdit), "  Eight");
}

// Observations whose sums of squares overflow single precision: record 1 by its squares
// alone, record 2 by their sum only. The estimate once showed "Infinity"; now it is a number too
// wide for its field (asterisks), or no estimate ("?"), and a set cannot be selected with it.
TEST_F(ImportSelection, EstimateWhoseSumsOverflowIsNotShown) {
    ASSERT_NO_FATAL_FAILURE(openSelection("observ_sums_overflow.txt"));
    for (int k : {1, 2}) {
        spinTo(k);
        for (int field : {kEstimatedMuEdit, kEstimatedDeltaEdit}) {
            const std::string shown = importText(field);
            EXPECT_TRUE(shown == "?" || shown.find_first_not_of('*') == std::string::npos)
                << k << ": " << shown;
        }
        click(kSelectSet);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox}) << k;
    }
    EXPECT_EQ(record().selectedSetCount, 0);
}

TEST_F(ImportSelection, WithoutASampleSizeTheSdHasNoBrownianScale) {
    ASSERT_NO_FATAL_FAILURE(openSelection());
    ui.type(panel::kSizeCombo, "0");  // m = 0: sd/sqrt(N) would be Infinity
    spinTo(2);
    EXPECT_EQ(importText(kEstimatedMuEdit), fixed(sampleSd(kRecords.at(2)), 4));
    EXPECT_EQ(importText(kEstimatedDeltaEdit), "?");
    click(kAssumedRadio);
    type(kAssumedMuEdit, "2");
    EXPECT_EQ(importText(kAssumedDeltaEdit), "?");
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(ImportSelection, AssumedSdTypedIsKeptOnlyWhenPositive) {
    ASSERT_NO_FATAL_FAILURE(openSelection());
    click(kAssumedRadio);
    EXPECT_EQ(importText(kAssumedMuEdit), "?");  // observed data bring no SD
    EXPECT_EQ(importText(kAssumedDeltaEdit), "?");
    EXPECT_TRUE(ui.enabled(kImportDialog, kAssumedMuEdit));
    type(kAssumedMuEdit, "2.5");
    EXPECT_EQ(importText(kAssumedDeltaEdit), "0.5000");
    type(kAssumedMuEdit, "0");
    EXPECT_EQ(importText(kAssumedDeltaEdit), "?");
    type(kAssumedMuEdit, "2,5");  // a decimal comma is no number here
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_EQ(record().importSD[0], 2.5);
    type(kAssumedMuEdit, "x");
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_EQ(record().importSD[0], 2.5);
}

TEST_F(ImportSelection, SelectingThreeFiveSevenAndDeletingTheMiddleKeepsTheOthers) {
    ASSERT_NO_FATAL_FAILURE(openSelection());
    spinTo(3);
    type(kVarNameEdit, "Alpha");
    click(kSelectSet);
    EXPECT_EQ(ui.position(kImportDialog, kRecordSpin), 4);  // moved on
    spinTo(5);
    click(kAssumedRadio);
    type(kAssumedMuEdit, "2.0");
    type(kAssumedSizeEdit, "2");
    type(kVarNameEdit, "Beta");
    click(kSelectSet);
    spinTo(7);
    click(kEstimatedRadio);
    type(kEstimatedSizeEdit, "2");
    type(kVarNameEdit, "Gamma");
    click(kSelectSet);
    EXPECT_EQ(list(), (std::vector<std::string>{"3", "5", "7"}));
    EXPECT_EQ(importText(kSelectedCountLabel), "3");

    ui.pick(kImportDialog, kSelectedCombo, "5");
    EXPECT_TRUE(ui.checked(kImportDialog, kSelectedRadio));
    EXPECT_TRUE(ui.checked(kImportDialog, kAssumedRadio));
    EXPECT_EQ(importText(kAssumedMuEdit), "2.0000");
    EXPECT_EQ(importText(kAssumedSizeEdit), "2");
    click(kDeleteSet);
    EXPECT_EQ(list(), (std::vector<std::string>{"3", "7"}));
    EXPECT_EQ(importText(kSelectedCombo), "7");  // the set that took its place
    EXPECT_EQ(importText(kSelectedCountLabel), "2");
    EXPECT_EQ(importText(kEstimatedMuEdit), "0.1000");
    const DesignRecord& r = record();
    ASSERT_EQ(r.selectedSetCount, 2);
    EXPECT_EQ(r.selRecord[0], 3);
    EXPECT_EQ(r.selSize[0], 3);
    EXPECT_NEAR(r.selSD[0], 1.0, 5e-5);
    EXPECT_EQ(r.selSDKind[0], "estim");
    EXPECT_EQ(r.selVarName[0].str(), "Alpha");
    EXPECT_EQ(r.selRecord[1], 7);
    EXPECT_EQ(r.selSize[1], 2);
    EXPECT_NEAR(r.selSD[1], 0.1, 5e-5);
    EXPECT_EQ(r.selSDKind[1], "estim");
    EXPECT_EQ(r.selVarName[1].str(), "Gamma");
    EXPECT_TRUE(takeMessages().empty());
}

struct RefusedSelection {
    int k;
    int radio;
    const char* size;
    std::string message;
};

TEST_F(ImportSelection, SetWithoutAUsableSizeOrSdIsNotSelected) {
    ASSERT_NO_FATAL_FAILURE(openSelection());
    const std::string range = "Error: The sample size of record 2 must be between 1 and 4!";
    const std::string noSd = "Error: " + std::string(kSelectedSdNotPositive);
    const RefusedSelection cases[] = {
        {2, kEstimatedRadio, "0", range},          {2, kEstimatedRadio, "5", range},
        {2, kEstimatedRadio, "x", kEntryErrorBox}, {2, kAssumedRadio, "4", noSd},
        {1, kEstimatedRadio, "1", kEntryErrorBox},  // "?": one observation gives no SD
    };
    for (const RefusedSelection& c : cases) {
        spinTo(c.k);
        click(c.radio);
        type(c.radio == kAssumedRadio ? kAssumedSizeEdit : kEstimatedSizeEdit, c.size);
        click(kSelectSet);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{c.message}) << c.size;
        EXPECT_EQ(record().selectedSetCount, 0);
        EXPECT_TRUE(list().empty());
    }
}

TEST_F(ImportSelection, SelectionHoldsAHundredSets) {
    ASSERT_NO_FATAL_FAILURE(openSelection());
    for (int q = 0; q < 101; ++q) {
        spinTo(2);
        click(kSelectSet);
    }
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"Error: " + std::string(kSelectionFull)});
    EXPECT_EQ(record().selectedSetCount, 100);
    EXPECT_EQ(list().size(), 100u);
}

TEST_F(ImportSelection, NamesArePrefilledForTheFirstTwelveRecords) {
    importAs("VarName", fixture("names_fourteen.txt"));
    ASSERT_NO_FATAL_FAILURE(openSelection("observ_fourteen.txt"));
    spinTo(12);
    EXPECT_EQ(importText(kVarNameEdit), "Creatinine");
    spinTo(13);
    EXPECT_EQ(importText(kVarNameEdit), "Creatinine");
    spinTo(1);
    click(kSelectSet);
    EXPECT_EQ(importText(kVarNameEdit), "Diastolic");  // for the next choice
    EXPECT_EQ(record().selVarName[0].str(), "Systolic");
}

TEST_F(ImportSelection, WithoutImportedNamesTheNameIsClearedAfterASelection) {
    ASSERT_NO_FATAL_FAILURE(openSelection());
    spinTo(2);
    EXPECT_EQ(importText(kVarNameEdit), "  Two");
    click(kSelectSet);
    EXPECT_EQ(importText(kVarNameEdit), "");
    EXPECT_EQ(record().selVarName[0].str(), "  Two");
}

TEST_F(ImportSelection, SelectedSetKeepsTheRadioOfItsKind) {
    ASSERT_NO_FATAL_FAILURE(openSelection());
    spinTo(2);
    click(kSelectSet);
    click(kSelectedRadio);
    EXPECT_TRUE(ui.checked(kImportDialog, kEstimatedRadio));
    click(kAssumedRadio);  // an estimated set cannot be shown as assumed
    EXPECT_TRUE(ui.checked(kImportDialog, kEstimatedRadio));
    EXPECT_FALSE(ui.checked(kImportDialog, kAssumedRadio));
}

// A design choice forgets the samples; the selection, left open, went on showing and
// selecting records that were gone. It closes, and "Imported" waits for a new import.
TEST_F(ImportSelection, ADesignChoiceClosesTheSelectionOfTheSamplesItForgets) {
    ASSERT_NO_FATAL_FAILURE(openSelection());
    spinTo(2);
    click(kSelectSet);
    ui.click(panel::kNormseqDesign);
    EXPECT_FALSE(program.dialog(kImportDialog).isOpen());
    EXPECT_FALSE(ui.enabled(panel::kImportedSamples));
    EXPECT_EQ(record().importCount, 0);
    EXPECT_EQ(record().selectedSetCount, 0);
    EXPECT_THROW(click(kReset), ControlRefused);
    EXPECT_TRUE(takeMessages().empty());
}

TEST(EstimatedSd, NeedsTwoValuesAndNeverGoesNegative) {
    const std::vector<float> four = {1.0f, 2.0f, 3.0f, 4.0f};
    EXPECT_NEAR(estimatedSD(four), std::sqrt(5.0 / 3.0), 1e-6);
    EXPECT_TRUE(std::isnan(estimatedSD(std::vector<float>{2.0f})));
    EXPECT_TRUE(std::isnan(estimatedSD(std::vector<float>{})));
    const std::vector<float> constant(7, 10.1f);  // rounding may make Q - n*xbar^2 negative
    const double sd = estimatedSD(constant);
    EXPECT_GE(sd, 0.0);
    EXPECT_LT(sd, 1e-2);
}

}  // namespace
}  // namespace qalix::testing
