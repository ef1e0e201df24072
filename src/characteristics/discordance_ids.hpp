// Control identifiers of dialog 114 "Probability of Discordance".
#pragma once

namespace qalix {

inline constexpr int kDiscordanceDialog = 114;

namespace discordance {
inline constexpr int kMuCombo = 1069;
inline constexpr int kDeltaCombo = 1070;
inline constexpr int kRhoMaxButton = 1160;
inline constexpr int kOverall = 1123;
inline constexpr int kAtSignificance = 1124;
inline constexpr int kAtFutility = 1125;
inline constexpr int kClose = 1;
}  // namespace discordance

}  // namespace qalix
