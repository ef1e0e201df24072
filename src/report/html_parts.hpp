// What the program's HTML documents share: text escaped for HTML, tables whose header repeats
// on every page and whose rows never split, figures, the header block and one style sheet
// that prints well on the paper chosen.
#pragma once

#include <string>
#include <vector>

namespace qalix {

enum class Paper { A4, Letter };

using HtmlRow = std::vector<std::string>;

std::string htmlText(const std::string& text);

// A table under its caption; "numbers" classes right-align their cells and never wrap them.
std::string htmlTable(const std::string& caption, const std::vector<HtmlRow>& head,
                      const std::vector<HtmlRow>& body, const char* cssClass = "numbers",
                      const std::string& groups = {});

// An <svg> element over its caption.
std::string htmlFigure(const std::string& svg, const std::string& caption);

// The title, then a row per {name, value}, the values as code.
std::string htmlHeader(const std::string& title, const std::vector<HtmlRow>& rows);

std::string htmlStyle(Paper paper);

}  // namespace qalix
