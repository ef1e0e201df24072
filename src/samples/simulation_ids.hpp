// Control identifiers of dialog 105 "Setting Simulation".
#pragma once

namespace qalix {

inline constexpr int kSimulationDialog = 105;

namespace simulation {
inline constexpr int kSizeGroup = 1182;         // "Sample Size", or "Number of Grids"
inline constexpr int kLargestSizeLabel = 1073;  // N, beside "n < or ="
inline constexpr int kSizeCombo = 1071;         // requested size, beside "n ="
inline constexpr int kDeltaCombo = 1069;
inline constexpr int kMuCombo = 1070;
inline constexpr int kRecordEdit = 1075;
inline constexpr int kRecordSpin = 1011;
inline constexpr int kSetCountLabel = 1077;  // "Number of Selected  Sets:"
inline constexpr int kSelectSet = 1072;
inline constexpr int kDeleteSet = 1064;
inline constexpr int kReset = 1082;
inline constexpr int kSimulate = 1083;
inline constexpr int kSimulatedNotice = 1084;  // what "Simulate" drew
inline constexpr int kDone = 1;
}  // namespace simulation

}  // namespace qalix
