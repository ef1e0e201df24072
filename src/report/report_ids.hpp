// The "Design Report" dialog (resource 150): what a report holds beyond the design.
#pragma once

namespace qalix {

inline constexpr int kReportDialog = 150;

namespace reportdialog {
inline constexpr int kTitle = 1501;
inline constexpr int kNotes = 1502;
inline constexpr int kPaper = 1503;
inline constexpr int kMeans = 1504;
inline constexpr int kMeansScale = 1505;  // says which scale the further means are on
}  // namespace reportdialog

}  // namespace qalix
