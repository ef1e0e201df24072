// The "Analysis Report" dialog (resource 152): what the document of a trial's analysis holds
// beyond the analysis.
#pragma once

namespace qalix {

inline constexpr int kAnalysisReportDialog = 152;

namespace analysisreport {
inline constexpr int kTitle = 1621;
inline constexpr int kNotes = 1622;
inline constexpr int kPaper = 1623;
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
}  // namespace analysisreport

}  // namespace qalix
