#include "report/html_parts.hpp"

#include "canvas/svg_canvas.hpp"

namespace qalix {

namespace {

// A row of cells; numbers never wrap, in browsers and in the PDF writer's layout alike.
std::string cells(const HtmlRow& row, const char* tag, bool numbers) {
    const std::string open =
        std::string("<") + tag + (numbers ? " style=\"white-space: nowrap\">" : ">");
    std::string out = "<tr>";
    for (const std::string& cell : row)
        out += open + htmlText(cell) + "</" + tag + ">";
    return out + "</tr>\n";
}

}  // namespace

std::string htmlText(const std::string& text) {
    return xmlText(text);
}

// A table with its header rows (repeated on every page it spans) and body rows.
std::string htmlTable(const std::string& caption, const std::vector<HtmlRow>& head,
                      const std::vector<HtmlRow>& body, const char* cssClass,
                      const std::string& groups) {
    // The caption as a paragraph of its own: every HTML reader, browsers and the PDF writer's
    // alike, shows it above the table.
    const bool numbers = std::string_view(cssClass).starts_with("numbers");
    const bool headWraps = std::string_view(cssClass).ends_with("appendix");
    std::string out = "<p class=\"caption\">" + htmlText(caption) + "</p>\n<table class=\"" +
                      cssClass + "\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n<thead>\n" +
                      groups;
    for (const HtmlRow& row : head)
        out += cells(row, "th", numbers && !headWraps);
    out += "</thead>\n<tbody>\n";
    for (const HtmlRow& row : body)
        out += cells(row, "td", numbers);
    return out + "</tbody>\n</table>\n";
}

std::string htmlFigure(const std::string& svg, const std::string& caption) {
    return "<div class=\"figure\">\n" + svg + "<p class=\"caption\">" + htmlText(caption) +
           "</p>\n</div>\n";
}

std::string htmlStyle(Paper paper) {
    return std::string("<style>\n@page { size: ") + (paper == Paper::A4 ? "A4" : "letter") +
           "; margin: 18mm 15mm; }\n"
           "body { font-family: 'DejaVu Sans', Arial, sans-serif; font-size: 10pt; color: #000; "
           "max-width: 60em; margin: 1em auto; }\n"
           "h1 { font-size: 16pt; } h2 { font-size: 13pt; margin-top: 1.4em; } "
           "h3 { font-size: 11pt; }\n"
           "table { border-collapse: collapse; margin: 0.6em 0; }\n"
           "p.caption { font-weight: bold; margin: 0.8em 0 0.2em 0; break-after: avoid; "
           "page-break-after: avoid; }\n"
           "th, td { border: 1px solid #999; padding: 2px 5px; }\n"
           "table.numbers td { text-align: right; font-variant-numeric: tabular-nums; }\n"
           "table.numbers { font-size: 8pt; } table.boundaries, table.appendix { font-size: 7pt; "
           "}\n"
           "table.header th, table.parameters th { text-align: left; }\n"
           "table.parameters td { text-align: right; }\n"
           "code { word-break: break-all; }\n"
           "table.commands td { font-family: 'DejaVu Sans Mono', monospace; font-size: 7pt; "
           "overflow-wrap: break-word; }\n"
           "thead { display: table-header-group; }\n"
           "tr, div.figure { break-inside: avoid; page-break-inside: avoid; }\n"
           "div.figure { margin: 1em 0; } div.figure svg { width: 100%; height: auto; }\n"
           ".note { font-size: 9pt; }\n"
           ".new-page { break-before: page; page-break-before: always; }\n"
           "</style>\n";
}

std::string htmlHeader(const std::string& title, const std::vector<HtmlRow>& rows) {
    std::string out = "<h1>" + htmlText(title) + "</h1>\n<table class=\"header\">\n";
    for (const HtmlRow& row : rows) {
        out += "<tr><th>" + htmlText(row[0]) + "</th><td><code>" + htmlText(row[1]) +
               "</code></td></tr>\n";
    }
    return out + "</table>\n";
}

}  // namespace qalix
