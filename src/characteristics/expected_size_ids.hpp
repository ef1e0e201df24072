// Control identifiers of dialog 113 "Expected Sample Size".
#pragma once

namespace qalix {

inline constexpr int kExpectedSizeDialog = 113;

namespace expectedsize {
inline constexpr int kMuCombo = 1154;
inline constexpr int kDeltaCombo = 1155;
inline constexpr int kSpecialValues = 1161;
inline constexpr int kGroup = 1188;
inline constexpr int kSizeOverall = 1156;
inline constexpr int kSizeGivenSig = 1126;
inline constexpr int kSizeGivenFut = 1127;
inline constexpr int kTimeOverall = 1157;
inline constexpr int kTimeGivenSig = 1128;
inline constexpr int kTimeGivenFut = 1129;
inline constexpr int kProbSig = 1158;
inline constexpr int kProbFut = 1159;
inline constexpr int kClose = 1;
}  // namespace expectedsize

}  // namespace qalix
