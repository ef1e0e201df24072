// Control identifiers of the four operating-characteristics dialogs.
#pragma once

namespace qalix::oc {

// 111 "Critical Boundary Values"
inline constexpr int kLookSpin = 1162;
inline constexpr int kPartialSizeSpin = 1011;
inline constexpr int kTimeCombo = 1070;
inline constexpr int kTimeButton = 1153;
inline constexpr int kPartialSizeLabel = 1183;
inline constexpr int kPartialSizeGroup = 1184;
inline constexpr int kLowerSum = 1133;
inline constexpr int kUpperSum = 1134;
inline constexpr int kLowerStd = 1118;
inline constexpr int kUpperStd = 1121;
inline constexpr int kLowerP = 1119;
inline constexpr int kUpperP = 1122;

// 112 "Probability of Significance"
inline constexpr int kSigMuCombo = 1137;
inline constexpr int kSigDeltaCombo = 1138;
inline constexpr int kSigAtEdit = 1140;
inline constexpr int kSigAtSpin = 1143;
inline constexpr int kSigByEdit = 1139;
inline constexpr int kSigBySpin = 1011;
inline constexpr int kStopAtEdit = 1148;
inline constexpr int kStopAtSpin = 1150;
inline constexpr int kStopByEdit = 1146;
inline constexpr int kStopBySpin = 1012;
inline constexpr int kStageSpin = 1151;
inline constexpr int kGroupSizeEdit = 1141;
inline constexpr int kCumulativeEdit = 1142;
inline constexpr int kSizeGroup = 1187;
inline constexpr int kGroupSizeLabel = 1186;
inline constexpr int kCumulativeLabel = 1185;

// 113 "Expected Sample Size"
inline constexpr int kSizeMuCombo = 1154;
inline constexpr int kSizeDeltaCombo = 1155;
inline constexpr int kSpecialValues = 1161;
inline constexpr int kExpectedN = 1156;
inline constexpr int kExpectedNSig = 1126;
inline constexpr int kExpectedNFut = 1127;
inline constexpr int kExpectedT = 1157;
inline constexpr int kExpectedTSig = 1128;
inline constexpr int kExpectedTFut = 1129;
inline constexpr int kProbSig = 1158;
inline constexpr int kProbFut = 1159;
inline constexpr int kExpectedGroup = 1188;

// 114 "Probability of Discordance"
inline constexpr int kDiscMuCombo = 1069;
inline constexpr int kDiscDeltaCombo = 1070;
inline constexpr int kRhoMaxButton = 1160;
inline constexpr int kDiscAll = 1123;
inline constexpr int kDiscSig = 1124;
inline constexpr int kDiscFut = 1125;

}  // namespace qalix::oc
