// Control identifiers of dialog 143, the main control panel "QALIX on Information Time".
#pragma once

namespace qalix {

inline constexpr int kPanelDialog = 143;

namespace panel {

// 1. Choose Design
inline constexpr int kFixedDesign = 1006;
inline constexpr int kBrownianDesign = 1007;
inline constexpr int kNormseqDesign = 1008;
// The outcome: one sample, or two groups with the ratio r of treatment to control patients,
// and the groups of the trial's M patients.
inline constexpr int kOutcomeCombo = 1217;
inline constexpr int kAllocationCombo = 1218;
inline constexpr int kAllocationLabel = 1220;
inline constexpr int kGroupsEdit = 1219;
// 2. Fixed Sample Test Design: the five combos and the buttons that compute them.
inline constexpr int kAlphaCombo = 1009;
inline constexpr int kSdCombo = 1010;
inline constexpr int kPowerCombo = 1013;
inline constexpr int kMuCombo = 1014;
inline constexpr int kSizeCombo = 1047;
inline constexpr int kSizeButton = 1048;
inline constexpr int kMuButton = 1049;
inline constexpr int kSdButton = 1050;
inline constexpr int kPowerButton = 1051;
inline constexpr int kAlphaButton = 1052;
// 3. Sequential Test Design
inline constexpr int kSequentialGroup = 1201;
inline constexpr int kLooksCombo = 1020;
inline constexpr int kInfoTimesButton = 1017;
inline constexpr int kGroupSizesButton = 1018;
inline constexpr int kRhoButton = 1054;
inline constexpr int kRhoCombo = 1021;
inline constexpr int kCoeffButton = 1055;
inline constexpr int kCoeffCombo = 1053;
inline constexpr int kDiscordanceEdit = 1157;
// Says when the results shown are for earlier inputs.
inline constexpr int kStaleNotice = 1158;
// The level the critical value gives (nominal, exact, exact-nonbinding), whether the size or
// the alternative grows until the power reaches its target, and the critical value used.
inline constexpr int kLevelCombo = 1214;
inline constexpr int kHoldPowerCheck = 1215;
inline constexpr int kCriticalEdit = 1216;
// 4. Graphic Display of Design
inline constexpr int kGraphicGroup = 1202;
inline constexpr int kSequentialDesignButton = 1023;
inline constexpr int kActualSigEdit = 1024;
inline constexpr int kActualPowerEdit = 1025;
inline constexpr int kGraphicWindow = 1026;
inline constexpr int kTextWindow = 1027;
inline constexpr int kCloseWindow = 1012;
inline constexpr int kFixedTestCheck = 1028;
inline constexpr int kSeqTestCheck = 1029;
inline constexpr int kImportedSamples = 1067;
inline constexpr int kSimulatedSamples = 1068;
// 5. Operating Characteristics
inline constexpr int kCharacteristicsGroup = 1203;
inline constexpr int kBoundaryButton = 1113;
inline constexpr int kSignificanceButton = 1115;
inline constexpr int kDiscordanceButton = 1037;
inline constexpr int kExpectedSizeButton = 1081;
inline constexpr int kExitButton = 1177;

}  // namespace panel

}  // namespace qalix
