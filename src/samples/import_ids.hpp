// Control identifiers of dialog 109 "Import Samples".
#pragma once

namespace qalix {

inline constexpr int kImportDialog = 109;

namespace imports {
// Browsing: an imported record by its number, or a selected set from the list.
inline constexpr int kImportedRadio = 1081;
inline constexpr int kRecordEdit = 1086;
inline constexpr int kRecordSpin = 1011;
inline constexpr int kSelectedRadio = 1099;
inline constexpr int kSelectedCombo = 1069;
inline constexpr int kSelectSet = 1100;
inline constexpr int kDeleteSet = 1072;
inline constexpr int kImportedCountLabel = 1085;
inline constexpr int kSelectedCountLabel = 1098;
// The SD on the data scale ("Mu") and the Brownian scale ("Delta"), and the size.
inline constexpr int kAssumedRadio = 1079;
inline constexpr int kAssumedMuEdit = 1093;
inline constexpr int kAssumedDeltaEdit = 1095;
inline constexpr int kAssumedSizeEdit = 1104;
inline constexpr int kEstimatedRadio = 1080;
inline constexpr int kEstimatedMuEdit = 1094;
inline constexpr int kEstimatedDeltaEdit = 1096;
inline constexpr int kEstimatedSizeEdit = 1105;
inline constexpr int kVarNameEdit = 1112;
inline constexpr int kReset = 1082;
inline constexpr int kDone = 1;
}  // namespace imports

}  // namespace qalix
