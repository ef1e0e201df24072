// "Import Samples": the imported records are browsed and some chosen ("selected sets") for
// the boundary plot, each with the SD to use (assumed: from the file or typed; or estimated
// from its observations), the sample size to use and a variable name for the legend.
#pragma once

#include <span>
#include <string_view>

#include "samples/context.hpp"
#include "ui/dialog.hpp"

namespace qalix {

inline constexpr std::string_view kNoRecordToSelect = "There is no imported record to select!";
inline constexpr std::string_view kSelectionFull = "No more than 100 sets can be selected!";
inline constexpr std::string_view kSelectedSdNotPositive =
    "The standard deviation of a selected set must be greater than 0!";

// The panel's "Imported" shows the dialog and estimates every record's SD; "Reset" empties
// the selection. Both set the record spin and the counts and show the estimated SD.
void SETTINGIMPORT(SamplesContext& program, Dialog& caller, int control, CallbackKind kind);

// "Imported Sample", the record spin and "Select Set".
void SAVERECORD(SamplesContext& program, Dialog& dialog, int control, CallbackKind kind);

// "Selected Sample", the list of selected sets and "Delete Set".
void DELRECORD(SamplesContext& program, Dialog& dialog, int control, CallbackKind kind);

// The "Assumed" and "Estimated" radios, and an SD typed as assumed; also run by the three
// callbacks above with the radio whose fields they show.
void SDANDSIZE(SamplesContext& program, Dialog& dialog, int control, CallbackKind kind);

// The SD of the values from single-precision running sums S and Q:
// sqrt((Q - n*xbar^2) / (n - 1)) with xbar = S/n. NaN, which the dialog shows as "?", when
// there are fewer than two values or the sums overflow; 0 when rounding makes the variance
// negative.
double estimatedSD(std::span<const float> values);

}  // namespace qalix
