// Control identifiers of dialog 111 "Critical Boundary Values".
#pragma once

namespace qalix {

inline constexpr int kBoundaryDialog = 111;

namespace boundaries {
inline constexpr int kLookEdit = 1123;
inline constexpr int kLookSpin = 1162;
inline constexpr int kPartialSizeEdit = 1132;
inline constexpr int kPartialSizeSpin = 1011;
inline constexpr int kPartialSizeLabel = 1183;
inline constexpr int kPartialSizeGroup = 1184;
inline constexpr int kGroupsLabel = 1187;  // a two-group look's control and treatment sizes
inline constexpr int kTimeButton = 1153;
inline constexpr int kTimeCombo = 1070;
inline constexpr int kLowerSumLabel = 1185;
inline constexpr int kUpperSumLabel = 1186;
inline constexpr int kLowerSum = 1133;
inline constexpr int kLowerStd = 1118;
inline constexpr int kLowerP = 1119;
inline constexpr int kUpperSum = 1134;
inline constexpr int kUpperStd = 1121;
inline constexpr int kUpperP = 1122;
inline constexpr int kClose = 1;
}  // namespace boundaries

}  // namespace qalix
