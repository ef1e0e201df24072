// Command identifiers of the frame window's menu "QALIXinfWin".
#pragma once

namespace qalix::menu {

// File
inline constexpr int kNew = 30002;
inline constexpr int kOpen = 30003;
inline constexpr int kSave = 30004;
inline constexpr int kSaveAs = 30005;
inline constexpr int kPageSetup = 30050;
inline constexpr int kPrintMetafile = 30035;
inline constexpr int kPrintText = 30036;
inline constexpr int kClose = 30049;
inline constexpr int kExit = 30001;
inline constexpr int kOpenDesign = 30051;
inline constexpr int kSaveDesign = 30052;
inline constexpr int kExportTables = 30053;
// The design files saved or opened last, most recent first.
inline constexpr int kRecentDesign1 = 30054;
inline constexpr int kRecentDesign2 = 30055;
inline constexpr int kRecentDesign3 = 30056;
inline constexpr int kRecentDesign4 = 30057;
inline constexpr int kDesignReport = 30059;
inline constexpr int kCompareDesigns = 30060;
inline constexpr int kAnalysisReport = 30062;
// Edit
inline constexpr int kUndo = 30008;
inline constexpr int kCut = 30009;
inline constexpr int kCopy = 30010;
inline constexpr int kPaste = 30011;
inline constexpr int kCopyDesignCommand = 30058;
// Plot
inline constexpr int kPlotBoundary = 30037;
inline constexpr int kPlotPower = 30038;
inline constexpr int kPlotExpectedSize = 30039;
inline constexpr int kPlotSimulated = 30044;
inline constexpr int kPlotImported = 30040;
// Data
inline constexpr int kAnalyseTrial = 30061;
inline constexpr int kSaveSimulation = 30045;
inline constexpr int kImportSimulated = 30046;
inline constexpr int kImportObserved = 30047;
inline constexpr int kImportVariableNames = 30048;
// Options
inline constexpr int kChangeFont = 30034;
// Window
inline constexpr int kGraphicWindow = 30042;
inline constexpr int kTextWindow = 30043;
// Help
inline constexpr int kHelpContents = 30012;
inline constexpr int kHelpSearch = 30013;
inline constexpr int kHowToUseHelp = 30014;
inline constexpr int kAbout = 30015;

}  // namespace qalix::menu
