#include "graphics/printing.hpp"

#include "graphics/plot_page.hpp"
#include "canvas/scaled_canvas.hpp"
#include "numeric/number_text.hpp"
#include "ui/common_dialog_errors.hpp"

namespace qalix {

namespace {

constexpr int kHundredthsPerMillimetre = 100;
constexpr int kMillimetresPerInch = 25;  // the printing rounds an inch to 25 mm
constexpr std::size_t kLineBuffer = 1024;
constexpr std::string_view kTabAsBlanks = "    ";
constexpr int kPageNumberWidth = 3;
constexpr std::size_t kJobNameLength = 64;

int marginPixels(int pixelsPerInch, int hundredthsOfMillimetre) {
    return pixelsPerInch * (hundredthsOfMillimetre / kHundredthsPerMillimetre) /
           kMillimetresPerInch;
}

void question(Platform& platform, std::string_view caption, std::string_view text) {
    platform.messageBox(
        {std::string(caption), std::string(text), MessageIcon::Question, MessageOwner::None});
}

// The job is named by the text's first line, as a print queue shows it.
std::string jobName(const std::vector<std::string>& lines) {
    return lines.front().substr(0, kJobNameLength);
}

void printPage(PrintDevice& printer, const std::vector<std::string>& lines,
               const TextPageLayout& layout, int page) {
    printer.startPage();
    for (int i = 0; i < layout.linesPerPage; ++i) {
        const std::size_t k = static_cast<std::size_t>(layout.linesPerPage) * page + i;
        if (k >= lines.size()) break;
        printer.drawText(layout.left, layout.top + layout.lineHeight * i,
                         printedLine(lines[k], layout.charsPerLine));
    }
    printer.drawText(layout.numberX, layout.numberY, formatI(page + 1, kPageNumberWidth));
    printer.endPage();
}

}  // namespace

PageSetup INITIALIZEPAGE() {
    return PageSetup{};
}

PrintRequest INITIALIZEPRINT() {
    return {true, false, false};
}

PrintRequest metafilePrintRequest() {
    PrintRequest request{false, false, true};
    request.landscape = true;
    return request;
}

TextPageLayout textPageLayout(const PrintDevice::Metrics& m, const PageMargins& margins) {
    TextPageLayout layout;
    layout.left = marginPixels(m.pixelsPerInchX, margins.left);
    layout.right = marginPixels(m.pixelsPerInchX, margins.right);
    layout.top = marginPixels(m.pixelsPerInchY, margins.top);
    layout.bottom = marginPixels(m.pixelsPerInchY, margins.bottom);
    layout.lineHeight = m.charHeight + m.externalLeading;
    if (m.averageCharWidth > 0)
        layout.charsPerLine = (m.printableWidth - layout.right - layout.left) / m.averageCharWidth;
    if (layout.lineHeight > 0)
        layout.linesPerPage = (m.printableHeight - layout.bottom - layout.top) / layout.lineHeight;
    layout.numberX = m.printableWidth / 2;
    layout.numberY = m.printableHeight - layout.bottom / 2;
    return layout;
}

std::string printedLine(std::string_view line, int charsPerLine) {
    line = line.substr(0, kLineBuffer);
    if (line.size() < 2) return " ";
    std::string out;
    const std::size_t count =
        std::min(line.size(), static_cast<std::size_t>(std::max(charsPerLine, 0)));
    for (std::size_t i = 0; i < count; ++i) {
        if (line[i] == '\t') {
            out += kTabAsBlanks;
        } else {
            out += line[i];
        }
    }
    return out;
}

std::vector<std::string> textLines(std::string_view text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string_view line =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

void PRINTFILE(Platform& platform, std::string_view text, const PageSetup& setup) {
    const std::vector<std::string> lines = textLines(text);
    if (lines.empty()) return;
    PrintChoice choice = platform.print(INITIALIZEPRINT());
    if (!acceptedOrReported(platform, choice) || !choice.printer) return;
    PrintDevice& printer = *choice.printer;
    const TextPageLayout layout = textPageLayout(printer.metrics(), setup.margins);
    if (layout.linesPerPage <= 0 || layout.charsPerLine <= 0) {
        platform.messageBox({"Print", std::string(kNoRoomForText), MessageIcon::Exclamation});
        return;
    }
    if (!printer.startDocument(jobName(lines))) {
        platform.messageBox({"Print", std::string(kCannotStartPrint), MessageIcon::Exclamation});
        return;
    }
    const int pages =
        (static_cast<int>(lines.size()) + layout.linesPerPage - 1) / layout.linesPerPage;
    for (int page = 0; page < pages; ++page)
        printPage(printer, lines, layout, page);
    printer.endDocument();
}

void printMetafile(Platform& platform, const std::function<void(Canvas&)>& drawPage) {
    if (!drawPage) {
        platform.messageBox({std::string(kPrintMetafileCaption),
                             std::string(kOpenMetafileFirst) + "\n\n" + std::string(kNothingShown),
                             MessageIcon::Exclamation, MessageOwner::None});
        return;
    }
    PrintChoice choice = platform.print(metafilePrintRequest());
    if (choice.outcome != DialogOutcome::Accepted) return;
    if (!choice.printer) {
        question(platform, "", kNoPrinter);
        return;
    }
    PrintDevice& printer = *choice.printer;
    const PrintDevice::Metrics m = printer.metrics();
    if (!printer.startDocument("")) {
        question(platform, "", kCannotPrintMetafile);
        return;
    }
    printer.startPage();
    const PageFit fit = fitPage(m.printableWidth, m.printableHeight);
    ScaledCanvas page(printer.canvas(), fit.scale, fit.offsetX, fit.offsetY);
    drawPage(page);
    if (printer.endPage() > 0) {
        printer.endDocument();
    } else {
        question(platform, "", kCannotPrintMetafile);
        printer.abortDocument();
    }
}

}  // namespace qalix
