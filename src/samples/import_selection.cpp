#include "samples/import_selection.hpp"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

#include "design/fields.hpp"
#include "design/panel_ids.hpp"
#include "numeric/number_text.hpp"
#include "samples/import_ids.hpp"
#include "samples/one_sample_paths.hpp"
#include "samples/sample_lines.hpp"
#include "samples/set_tables.hpp"

namespace qalix {

namespace {

using namespace imports;

constexpr FieldFormat kSdFormat{8, 4};         // SDs as the SD radios show them
constexpr FieldFormat kBrowsedSdFormat{8, 5};  // assumed SD of a record the spin reaches
constexpr FieldFormat kNextSdFormat{8, 3};     // assumed SD of the record "Select Set" moves to
constexpr int kSizeWidth = 5;
constexpr int kCountWidth = 3;
constexpr int kRecordWidth = 4;    // record numbers in the list of selected sets
constexpr int kNamedRecords = 12;  // variable names are prefilled for the first twelve only
constexpr std::string_view kNoSd = "?";
constexpr std::string_view kAssumed = "assum";
constexpr std::string_view kEstimated = "estim";

std::string sizeOutOfRange(int record, int size) {
    if (size < 1) return "Record " + std::to_string(record) + " holds no observations!";
    return "The sample size of record " + std::to_string(record) + " must be between 1 and " +
           std::to_string(size) + "!";
}

// N: m rounded up; the Brownian scale divides an SD by sqrt(N).
int largestSize(const DesignRecord& r) {
    return roundedUp(r.sampleSize, kRoundUp6);
}

// The record the spin shows, or 0 when there is none.
int browsedRecord(const DesignRecord& r, const Dialog& dialog) {
    const int k = dialog.getInt(kRecordSpin);
    return k >= 1 && k <= r.importCount ? k : 0;
}

// The selected set the list shows, or 0 when there is none.
int shownSet(const DesignRecord& r, const Dialog& dialog) {
    const int q = dialog.getInt(kSelectedCombo) + 1;
    return q >= 1 && q <= r.selectedSetCount ? q : 0;
}

int sizeOf(const DesignRecord& r, int record) {
    return std::clamp(r.importSize[slot(record)], 0, kMaxImportSize);
}

// Estimated afresh from the observations, and kept for the plot.
double estimateSD(DesignRecord& r, int record) {
    const auto& observations = r.importObs[slot(record)];
    const double sd = estimatedSD(
        std::span<const float>(observations.data(), static_cast<std::size_t>(sizeOf(r, record))));
    r.importEstSD[slot(record)] = sd;
    return sd;
}

// One radio of a pair on, the other off.
void check(Dialog& dialog, int on, int off) {
    dialog.setLogical(off, false);
    dialog.setLogical(on, true);
}

struct SdFields {
    int mu;
    int delta;
    int size;
};
constexpr SdFields kAssumedFields{kAssumedMuEdit, kAssumedDeltaEdit, kAssumedSizeEdit};
constexpr SdFields kEstimatedFields{kEstimatedMuEdit, kEstimatedDeltaEdit, kEstimatedSizeEdit};

// An SD on the Brownian scale, sd/sqrt(N); "?" when there is none: an SD not greater than 0,
// or no N while m is typed outside its range.
void showBrownianSd(Dialog& dialog, int control, double sd, int N) {
    if (sd > 0.0 && N >= 1) {
        showF(dialog, control, sd / std::sqrt(static_cast<double>(N)), kSdFormat);
    } else {
        dialog.setText(control, kNoSd);
    }
}

// An SD on the data scale and the Brownian scale, with its size; "?" for an SD that is not
// greater than 0 or could not be estimated.
void showSd(Dialog& dialog, SdFields fields, double sd, int n, int N, FieldFormat muFormat) {
    if (sd > 0.0) {
        showF(dialog, fields.mu, sd, muFormat);
    } else {
        dialog.setText(fields.mu, kNoSd);
    }
    showBrownianSd(dialog, fields.delta, sd, N);
    showI(dialog, fields.size, n, kSizeWidth);
}

void clearFields(Dialog& dialog, SdFields fields) {
    for (int c : {fields.mu, fields.delta, fields.size})
        dialog.setText(c, "");
}

void enableFields(Dialog& dialog, SdFields on, SdFields off) {
    for (int c : {on.mu, on.delta, on.size})
        dialog.setLogical(c, true, Index::Enabled);
    for (int c : {off.mu, off.delta, off.size})
        dialog.setLogical(c, false, Index::Enabled);
}

// Record k in the fields of one SD radio, or blank fields when there is no record.
void showRecordAs(DesignRecord& r, Dialog& dialog, int k, bool assumed, FieldFormat assumedFormat) {
    const SdFields fields = assumed ? kAssumedFields : kEstimatedFields;
    if (k == 0) {
        clearFields(dialog, fields);
        return;
    }
    const double sd = assumed ? r.importSD[slot(k)] : estimateSD(r, k);
    showSd(dialog, fields, sd, sizeOf(r, k), largestSize(r), assumed ? assumedFormat : kSdFormat);
}

// Record k in the fields of the SD radio that is on.
void showRecord(DesignRecord& r, Dialog& dialog, int k, FieldFormat assumedFormat) {
    showRecordAs(r, dialog, k, dialog.getLogical(kAssumedRadio), assumedFormat);
}

// The list of selected sets, rebuilt from the table: one item per set, its record number.
// None of them is chosen yet.
void listSelectedSets(const DesignRecord& r, Dialog& dialog) {
    dialog.setInt(kSelectedCombo, 0, Index::ItemCount);
    dialog.setText(kSelectedCombo, "");
    for (std::size_t q = 0; q < static_cast<std::size_t>(r.selectedSetCount); ++q) {
        dialog.setText(kSelectedCombo, trimmed(formatI(r.selRecord[q], kRecordWidth)),
                       Index::AppendItem);
    }
}

// An SD radio: the record shown with its SD from the file (or typed) or estimated, or the
// selected set shown when it was chosen with that kind of SD; a set of the other kind
// turns the radio back.
void showSdKind(SamplesContext& program, Dialog& dialog, bool assumed) {
    DesignRecord& r = program.record;
    const int radio = assumed ? kAssumedRadio : kEstimatedRadio;
    const int other = assumed ? kEstimatedRadio : kAssumedRadio;
    const SdFields on = assumed ? kAssumedFields : kEstimatedFields;
    const SdFields off = assumed ? kEstimatedFields : kAssumedFields;
    if (dialog.getLogical(kImportedRadio)) {
        showRecordAs(r, dialog, browsedRecord(r, dialog), assumed, kSdFormat);
    } else if (const int q = shownSet(r, dialog); q != 0) {
        if (r.selSDKind[slot(q)] != (assumed ? kAssumed : kEstimated)) {
            check(dialog, other, radio);
            return;
        }
        showSd(dialog, on, r.selSD[slot(q)], r.selSize[slot(q)], largestSize(r), kSdFormat);
    }
    enableFields(dialog, on, off);
}

// An SD typed as assumed for the record shown: kept when greater than 0.
void typedSd(SamplesContext& program, Dialog& dialog) {
    DesignRecord& r = program.record;
    if (!dialog.getLogical(kAssumedRadio) || !dialog.getLogical(kImportedRadio)) return;
    double sd = 0.0;
    if (!readField(program, dialog, kAssumedMuEdit, sd)) return;
    showBrownianSd(dialog, kAssumedDeltaEdit, sd, largestSize(r));
    if (!(sd > 0.0)) return;
    if (const int k = browsedRecord(r, dialog); k != 0) {
        r.importSD[slot(k)] = sd;
        r.importSimulated[slot(k)] = false;  // the user's, whatever file comes next
    }
}

// The name field for the next choice: the next record's name when names were imported.
void prefillName(const DesignRecord& r, Dialog& dialog, int next) {
    const bool named = r.importNameKind != "nonamesd" && next <= kMaxImportSets;
    dialog.setText(kVarNameEdit, named ? r.importVarName[slot(next)].str() : std::string());
}

// The size and SD of a new set, read and checked before anything is stored.
bool readNewSet(SamplesContext& program, const Dialog& dialog, int k, int& n, double& sd) {
    const DesignRecord& r = program.record;
    const bool assumed = dialog.getLogical(kAssumedRadio);
    sd = assumed ? r.importSD[slot(k)] : std::numeric_limits<double>::quiet_NaN();
    if (!readField(program, dialog, assumed ? kAssumedSizeEdit : kEstimatedSizeEdit, n)) {
        return false;
    }
    if (!assumed && !readFixedField(program, dialog, kEstimatedMuEdit, kSdFormat, sd)) {
        return false;
    }
    if (n < 1 || n > sizeOf(r, k)) {
        program.error(sizeOutOfRange(k, sizeOf(r, k)));
        return false;
    }
    if (!(sd > 0.0)) {
        program.error(kSelectedSdNotPositive);
        return false;
    }
    return true;
}

// "Select Set": the record shown becomes a selected set with the SD, size and name shown,
// and the spin moves on to the next record.
void selectRecord(SamplesContext& program, Dialog& dialog) {
    DesignRecord& r = program.record;
    const int k = browsedRecord(r, dialog);
    if (k == 0) {
        program.error(kNoRecordToSelect);
        return;
    }
    if (r.selectedSetCount >= kMaxSelectedSets) {
        program.error(kSelectionFull);
        return;
    }
    int n = 0;
    double sd = 0.0;
    if (!readNewSet(program, dialog, k, n, sd)) return;
    const int q = ++r.selectedSetCount;
    const bool assumed = dialog.getLogical(kAssumedRadio);
    r.selRecord[slot(q)] = k;
    r.selSize[slot(q)] = n;
    r.selSD[slot(q)] = sd;
    r.selSDKind[slot(q)] = assumed ? kAssumed : kEstimated;
    r.selVarName[slot(q)] = utf8Prefix(dialog.getText(kVarNameEdit), kVarNameBytes);
    dialog.setText(kSelectedCombo, trimmed(formatI(k, kRecordWidth)), Index::AppendItem);
    dialog.setInt(kSelectedCombo, q - 1);
    showI(dialog, kSelectedCountLabel, q, kCountWidth);
    if (q <= kNamedRecords) prefillName(r, dialog, k + 1);
    if (k < r.importCount) {
        dialog.setInt(kRecordSpin, k + 1);
        showRecord(r, dialog, k + 1, kNextSdFormat);
    }
}

// The record spin: the record's name (for the first twelve), SD and size.
void browseRecord(SamplesContext& program, Dialog& dialog) {
    DesignRecord& r = program.record;
    check(dialog, kImportedRadio, kSelectedRadio);
    const int k = browsedRecord(r, dialog);
    if (k == 0) return;
    if (k <= kNamedRecords) dialog.setText(kVarNameEdit, r.importVarName[slot(k)].str());
    showRecord(r, dialog, k, kBrowsedSdFormat);
}

int onSdRadio(const Dialog& dialog) {
    return dialog.getLogical(kAssumedRadio) ? kAssumedRadio : kEstimatedRadio;
}

// The selected set the list shows, under the SD radio of its kind.
void showSelectedSet(SamplesContext& program, Dialog& dialog, CallbackKind kind) {
    const DesignRecord& r = program.record;
    const int q = shownSet(r, dialog);
    if (q == 0) return;
    const bool estimated = r.selSDKind[slot(q)] == kEstimated;
    const int radio = estimated ? kEstimatedRadio : kAssumedRadio;
    check(dialog, radio, estimated ? kAssumedRadio : kEstimatedRadio);
    SDANDSIZE(program, dialog, radio, kind);
}

// "Delete Set": the set the list shows; the list then shows the set that took its place,
// or the one before when it was the last.
void deleteSelectedSet(SamplesContext& program, Dialog& dialog, CallbackKind kind) {
    DesignRecord& r = program.record;
    const int q = shownSet(r, dialog);
    if (q == 0) return;
    const auto count = static_cast<std::size_t>(r.selectedSetCount);
    closeGap(r.selRecord, slot(q), count);
    closeGap(r.selSize, slot(q), count);
    closeGap(r.selSD, slot(q), count);
    closeGap(r.selSDKind, slot(q), count);
    closeGap(r.selVarName, slot(q), count);
    --r.selectedSetCount;
    listSelectedSets(r, dialog);
    dialog.setInt(kSelectedCombo, std::min(q, r.selectedSetCount) - 1);
    showI(dialog, kSelectedCountLabel, r.selectedSetCount, kCountWidth);
    if (dialog.getLogical(kSelectedRadio)) showSelectedSet(program, dialog, kind);
}

}  // namespace

void SETTINGIMPORT(SamplesContext& program, Dialog& caller, int control, CallbackKind kind) {
    DesignRecord& r = program.record;
    Dialog& dialog = program.dialog(kImportDialog);
    if (caller.id() == kImportDialog && control == kReset) {
        r.selectedSetCount = 0;
    } else if (caller.id() == kPanelDialog && control == panel::kImportedSamples) {
        if (refuseSamplePaths(program)) {
            caller.setLogical(control, false);
            return;
        }
        program.platform.showModeless(dialog);
        for (int i = 1; i <= r.importCount; ++i)
            estimateSD(r, i);
    } else {
        return;
    }
    listSelectedSets(r, dialog);
    const int first = r.importCount > 0 ? 1 : 0;
    dialog.setInt(kRecordSpin, first, Index::RangeMin);
    dialog.setInt(kRecordSpin, r.importCount, Index::RangeMax);
    dialog.setInt(kRecordSpin, first);
    showI(dialog, kImportedCountLabel, r.importCount, kCountWidth);
    showI(dialog, kSelectedCountLabel, r.selectedSetCount, kCountWidth);
    check(dialog, kEstimatedRadio, kAssumedRadio);
    SDANDSIZE(program, dialog, kEstimatedRadio, kind);
}

void SAVERECORD(SamplesContext& program, Dialog& dialog, int control, CallbackKind kind) {
    switch (control) {
        case kSelectSet:
            selectRecord(program, dialog);
            break;
        case kRecordSpin:
            browseRecord(program, dialog);
            break;
        case kImportedRadio:
            SDANDSIZE(program, dialog, onSdRadio(dialog), kind);
            break;
        default:
            break;
    }
}

void DELRECORD(SamplesContext& program, Dialog& dialog, int control, CallbackKind kind) {
    switch (control) {
        case kSelectedCombo:
            check(dialog, kSelectedRadio, kImportedRadio);
            showSelectedSet(program, dialog, kind);
            break;
        case kSelectedRadio:
            showSelectedSet(program, dialog, kind);
            break;
        case kDeleteSet:
            deleteSelectedSet(program, dialog, kind);
            break;
        default:
            break;
    }
}

void SDANDSIZE(SamplesContext& program, Dialog& dialog, int control, CallbackKind) {
    switch (control) {
        case kAssumedMuEdit:
            typedSd(program, dialog);
            break;
        case kAssumedRadio:
        case kEstimatedRadio:
            showSdKind(program, dialog, control == kAssumedRadio);
            break;
        default:
            break;
    }
}

double estimatedSD(std::span<const float> values) {
    if (values.size() < 2) return std::numeric_limits<double>::quiet_NaN();
    // Double sums: squares of single-precision values near their limit overflow a float.
    double S = 0.0;
    double Q = 0.0;
    for (float x : values) {
        S += x;
        Q += static_cast<double>(x) * x;
    }
    const auto n = static_cast<double>(values.size());
    const double mean = S / n;
    const double variance = (Q - n * (mean * mean)) / (n - 1.0);
    if (!std::isfinite(variance)) return std::numeric_limits<double>::quiet_NaN();
    return std::sqrt(std::max(variance, 0.0));
}

}  // namespace qalix
