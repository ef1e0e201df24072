#include "design/info_times.hpp"

#include <string>

#include "design/allocation.hpp"
#include "design/fields.hpp"
#include "design/panel_ids.hpp"
#include "design/panel_labels.hpp"
#include "design/parameter_ranges.hpp"
#include "design/trial_scale.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

using namespace infotimes;

constexpr std::size_t at(int k) {
    return static_cast<std::size_t>(k - 1);
}
// Field widths: look and group numbers, and the group and cumulative sizes, wide enough for
// the largest trial whether written as defaults or after "Update Changes".
constexpr int kLookWidth = 3;
constexpr int kSizeWidth = kTrialSizeWidth;
// Information times: defaults of "Enter Information Times", defaults from group sizes, and
// every time after "Update Changes".
constexpr FieldFormat kDefaultTime{5, 3};
constexpr FieldFormat kTimeFromSizes{7, 5};
constexpr FieldFormat kUpdatedTime{7, 3};
constexpr std::string_view kBlank = " ";

bool defaultEntry(const Dialog& dialog) {
    return dialog.getLogical(kDefaultEntry);
}

// Looks beyond K, or every look when the entries are kept, are not written.
void clearFields(Dialog& dialog, int k,
                 std::initializer_list<const std::array<int, kMaxLooks>*> rows) {
    for (const auto* row : rows)
        dialog.setText((*row)[at(k)], kBlank);
}

void defaultTimes(DesignContext& program, Dialog& dialog, int K) {
    DesignRecord& r = program.record;
    const bool fill = defaultEntry(dialog);
    dialog.setText(kLookGroups, "");  // looks on information time have no groups
    for (int k = 1; k <= kMaxLooks; ++k) {
        if (fill && k <= K) {
            showI(dialog, kLookNumber[at(k)], k, kLookWidth);
            const float t = static_cast<float>(k) / static_cast<float>(K);
            showF(dialog, kTime[at(k)], t, kDefaultTime);
            r.infoTime[at(k)] = t;
        }
        dialog.setLogical(kTime[at(k)], fill && k < K, Index::Enabled);
        if (fill && k > K) clearFields(dialog, k, {&kLookNumber, &kTime});
        if (fill) clearFields(dialog, k, {&kGroupNumber, &kGroupSize, &kCumulative});
        for (const auto* row : {&kLookNumber, &kGroupNumber, &kGroupSize, &kCumulative}) {
            dialog.setLogical((*row)[at(k)], false, Index::Enabled);
        }
    }
}

// The groups of each look of a two-group trial, beside the cumulative sizes they make up.
void showLookGroups(const DesignRecord& r, Dialog& dialog) {
    if (!twoGroups(r) || isBrownian(r)) {
        dialog.setText(kLookGroups, "");
        return;
    }
    const int M = maximumSize(r);
    std::string text = "Control + treatment:";
    for (int k = 1; k <= r.numLooks; ++k) {
        const GroupSizes g = groupsAtLook(r, r.cumSize[at(k)], M);
        text +=
            (k == 1 ? " " : ", ") + std::to_string(g.control) + "+" + std::to_string(g.treatment);
    }
    dialog.setText(kLookGroups, text);
}

void defaultGroupSizes(DesignContext& program, Dialog& dialog, int m, int K) {
    DesignRecord& r = program.record;
    const bool fill = defaultEntry(dialog);
    const int q = m / K;
    const int rest = m - K * q;
    int N = 0;
    for (int k = 1; k <= kMaxLooks; ++k) {
        if (fill && k <= K) {
            showI(dialog, kGroupNumber[at(k)], k, kLookWidth);
            const int n = k <= K - rest ? q : q + 1;  // the last groups take the remainder
            N += n;
            r.groupSize[at(k)] = n;
            r.cumSize[at(k)] = N;
            showI(dialog, kGroupSize[at(k)], n, kSizeWidth);
            showI(dialog, kCumulative[at(k)], N, kSizeWidth);
            showI(dialog, kLookNumber[at(k)], k, kLookWidth);
            const float t = static_cast<float>(N) / static_cast<float>(m);
            showF(dialog, kTime[at(k)], t, kTimeFromSizes);
            r.infoTime[at(k)] = t;
        }
        dialog.setLogical(kGroupSize[at(k)], fill && k < K, Index::Enabled);
        if (fill && k > K) {
            clearFields(dialog, k,
                        {&kLookNumber, &kTime, &kGroupNumber, &kGroupSize, &kCumulative});
        }
        for (const auto* row : {&kGroupNumber, &kLookNumber, &kTime, &kCumulative}) {
            dialog.setLogical((*row)[at(k)], false, Index::Enabled);
        }
    }
    dialog.setLogical(kUpdateChanges, fill, Index::Enabled);
    showLookGroups(r, dialog);
}

bool looksInRange(int K) {
    return K >= kMinLooks && K <= kMaxLooks;
}

void updateTimes(DesignContext& program, Dialog& dialog) {
    DesignRecord& r = program.record;
    for (int k = 1; k <= r.numLooks; ++k) {
        float t = static_cast<float>(r.infoTime[at(k)]);
        if (!readField(program, dialog, kTime[at(k)], t)) return;
        r.infoTime[at(k)] = t;
        showF(dialog, kTime[at(k)], t, kUpdatedTime);
    }
}

// A look's group size, typed or (for the last look) what is left of m, fits the size fields,
// so that no sum of sizes can overflow. A size that is no size at all (0, negative) is left
// for the times check to refuse.
bool groupSizeFits(DesignContext& program, int k, long long n) {
    if (n >= -kMaxTrialSize && n <= kMaxTrialSize) return true;
    program.error("The group size of look " + std::to_string(k) + " (" + std::to_string(n) +
                  ") has more digits than the size fields hold: sizes go up to " +
                  std::to_string(kMaxTrialSize) + ".");
    return false;
}

void updateGroupSizes(DesignContext& program, Dialog& dialog) {
    DesignRecord& r = program.record;
    Dialog& panel = program.panel();
    int K = r.numLooks;
    if (!readField(program, panel, panel::kLooksCombo, K) ||
        !readField(program, panel, panel::kSizeCombo, r.sampleSize)) {
        return;
    }
    if (!looksInRange(K)) {
        program.error(kLooksError);
        return;
    }
    r.numLooks = K;
    const int m = roundedUp(r.sampleSize, kRoundUp5);
    long long sum = 0;
    for (int k = 1; k < K; ++k) {
        int n = 0;  // a blank or unreadable entry adds nothing here
        if (readFree(dialog.getText(kGroupSize[at(k)]), n) != ReadStatus::Ok) continue;
        if (!groupSizeFits(program, k, n)) return;
        sum += n;
    }
    if (!groupSizeFits(program, K, m - sum)) return;
    r.groupSize[at(K)] = static_cast<int>(m - sum);
    showI(dialog, kGroupSize[at(K)], r.groupSize[at(K)], kSizeWidth);
    int N = 0;
    for (int k = 1; k <= K; ++k) {
        if (!readField(program, dialog, kGroupSize[at(k)], r.groupSize[at(k)])) return;
        N += r.groupSize[at(k)];
        r.cumSize[at(k)] = N;
        showI(dialog, kCumulative[at(k)], N, kSizeWidth);
        r.infoTime[at(k)] = static_cast<double>(N) / m;
        showF(dialog, kTime[at(k)], r.infoTime[at(k)], kUpdatedTime);
    }
    showLookGroups(r, dialog);
}

}  // namespace

void BOUNDPARMTR(DesignContext& program, Dialog& panel, int control, CallbackKind) {
    GETINFTIME(program, panel, control);
}

void GETINFTIME(DesignContext& program, Dialog& panel, int control) {
    float x = static_cast<float>(program.record.sampleSize);
    int K = program.record.numLooks;
    if (!panelFieldFilled(program, panel::kSizeCombo) ||
        !panelFieldFilled(program, panel::kLooksCombo) ||
        !readField(program, panel, panel::kSizeCombo, x) ||
        !readField(program, panel, panel::kLooksCombo, K)) {
        return;
    }
    if (!looksInRange(K)) {
        program.error(kLooksError);
        return;
    }
    const int m = roundedUp(x, kRoundUp6);
    if (control == panel::kGroupSizesButton) {
        if (!valueInRange(program, Parameter::TrialSize, x)) return;
        if (m < K) {
            program.error("The sample size must be at least the number of looks.");
            return;
        }
    }
    program.record.numLooks = K;
    if (control != panel::kInfoTimesButton && control != panel::kGroupSizesButton) return;
    Dialog& dialog = program.dialog(kInfoTimeDialog);
    INITINFTIME(program, dialog, control, m, K);
    program.platform.showModal(dialog);
}

void INITINFTIME(DesignContext& program, Dialog& dialog, int control, int m, int K) {
    if (control == panel::kInfoTimesButton) defaultTimes(program, dialog, K);
    if (control == panel::kGroupSizesButton) defaultGroupSizes(program, dialog, m, K);
    program.panel().setLogical(panel::kCoeffButton, true, Index::Enabled);
}

void UPDATEINFTIME(DesignContext& program, Dialog& dialog, int, CallbackKind kind) {
    if (kind != CallbackKind::Default) return;
    if (isBrownian(program.record)) {
        updateTimes(program, dialog);
    } else {
        updateGroupSizes(program, dialog);
    }
}

void KEEPCHANGE(DesignContext& program, Dialog& dialog, int, CallbackKind) {
    program.panel().setLogical(panel::kLooksCombo, defaultEntry(dialog), Index::Enabled);
}

void attachInfoTimeCallbacks(DesignContext& program) {
    Dialog& d = program.dialog(kInfoTimeDialog);
    d.attach(kUpdateChanges, [&program](Dialog& dialog, int control, CallbackKind kind) {
        UPDATEINFTIME(program, dialog, control, kind);
    });
    for (int c : {kDefaultEntry, kKeepChanges}) {
        d.attach(c, [&program](Dialog& dialog, int control, CallbackKind kind) {
            KEEPCHANGE(program, dialog, control, kind);
        });
    }
}

}  // namespace qalix
