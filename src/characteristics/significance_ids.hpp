// Control identifiers of dialog 112 "Probability of Significance".
#pragma once

namespace qalix {

inline constexpr int kSignificanceDialog = 112;

namespace significance {
inline constexpr int kMuCombo = 1137;
inline constexpr int kDeltaCombo = 1138;
// "Probability of Significance": at look k and by look k.
inline constexpr int kSigAtEdit = 1140;
inline constexpr int kSigAtLook = 1145;
inline constexpr int kSigAtSpin = 1143;
inline constexpr int kSigByEdit = 1139;
inline constexpr int kSigByLook = 1144;
inline constexpr int kSigBySpin = 1011;
// "Probability of Stopping": at look k and by look k.
inline constexpr int kStopAtEdit = 1148;
inline constexpr int kStopAtLook = 1149;
inline constexpr int kStopAtSpin = 1150;
inline constexpr int kStopByEdit = 1146;
inline constexpr int kStopByLook = 1147;
inline constexpr int kStopBySpin = 1012;
// "At stage k =" and the sizes of that look.
inline constexpr int kStageEdit = 1152;
inline constexpr int kStageSpin = 1151;
inline constexpr int kSizeGroup = 1187;
inline constexpr int kGroupSizeLabel = 1186;
inline constexpr int kGroupSizeEdit = 1141;
inline constexpr int kCumulativeLabel = 1185;
inline constexpr int kCumulativeEdit = 1142;
inline constexpr int kClose = 1;
}  // namespace significance

}  // namespace qalix
