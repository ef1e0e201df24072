// Control identifiers of dialog 108 "Plot Simulations".
#pragma once

namespace qalix {

inline constexpr int kPlotSimulationsDialog = 108;

namespace plotsimulations {
inline constexpr int kNew = 1080;
inline constexpr int kSaved = 1081;
inline constexpr int kSave = 1108;
inline constexpr int kSavedNotice = 1109;  // what "Save" kept
inline constexpr int kRefresh = 1078;
inline constexpr int kCancel = 2;
}  // namespace plotsimulations

}  // namespace qalix
