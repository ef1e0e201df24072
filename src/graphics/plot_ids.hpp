// Control identifiers of dialog 104 "Plot", the dialog of the three design plots.
#pragma once

namespace qalix {

inline constexpr int kPlotDialog = 104;

namespace plotdesign {
inline constexpr int kRefresh = 1032;
inline constexpr int kCancel = 2;
}  // namespace plotdesign

}  // namespace qalix
