// Control identifiers of dialog 110 "Plot Imported Samples".
#pragma once

namespace qalix {

inline constexpr int kPlotImportedDialog = 110;

namespace plotimported {
inline constexpr int kAll = 1079;
inline constexpr int kSelected = 1111;
inline constexpr int kRefresh = 1110;
inline constexpr int kCancel = 2;
}  // namespace plotimported

}  // namespace qalix
