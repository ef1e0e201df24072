// Printing: the text window's text in pages of the printer's lines, between the page-setup
// margins, with a page number at the foot of each page; and what the graphic window shows on
// one page in landscape, whole, with its proportions kept.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/platform.hpp"
#include "ui/print.hpp"

namespace qalix {

// The page-setup record as the program starts with it: margins of 25 mm, at least 10 mm.
PageSetup INITIALIZEPAGE();
// What the text print asks of the print dialog: a page range, no selection, no file box.
PrintRequest INITIALIZEPRINT();
// What the metafile print asks of it: one page in landscape, no range, no selection.
PrintRequest metafilePrintRequest();

// How text lays out on a printer's page, in its pixels.
struct TextPageLayout {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int lineHeight = 0;
    int charsPerLine = 0;
    int linesPerPage = 0;
    int numberX = 0;  // where the page number goes
    int numberY = 0;
};

TextPageLayout textPageLayout(const PrintDevice::Metrics& metrics, const PageMargins& margins);

// One line of the text as printed: a line of fewer than two characters prints as one blank;
// otherwise at most charsPerLine characters, each tab among them printed as four blanks.
std::string printedLine(std::string_view line, int charsPerLine);

// The text window's lines, as its edit control counts them; an empty text has none.
std::vector<std::string> textLines(std::string_view text);

inline constexpr std::string_view kNoRoomForText =
    "The page has no room for text between its margins: choose smaller margins in Page Setup.";

inline constexpr std::string_view kCannotStartPrint =
    "The printer chosen cannot start printing: nothing was printed.";

// Prints the text through the print dialog; a failed dialog, or a printer that cannot start
// the document, is reported, a cancelled dialog is not. Nothing is printed for a text without
// lines.
void PRINTFILE(Platform& platform, std::string_view text, const PageSetup& setup);

inline constexpr std::string_view kOpenMetafileFirst = "Open Enhanced MetaFile first";
inline constexpr std::string_view kNothingShown =
    "The graphic window shows neither a plot nor a metafile: draw a plot from the Plot menu, "
    "or open a metafile with File > Open..., then print it.";
inline constexpr std::string_view kPrintMetafileCaption = "Print MetaFile Error";
inline constexpr std::string_view kNoPrinter = "Cannot get a printer DC";
inline constexpr std::string_view kCannotPrintMetafile = "Cannot Print metafile";

// Prints what the graphic window shows, drawn on the plot page by drawPage (empty when it
// shows nothing: a message says what is missing), on one page, the plot page scaled whole
// onto the printable area with its proportions kept and centred on it.
void printMetafile(Platform& platform, const std::function<void(Canvas&)>& drawPage);

}  // namespace qalix
