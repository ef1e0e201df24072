// The design report as a PDF: its HTML laid out by Qt's rich text on A4 or Letter pages, table
// headers repeated on every page a table spans, the inline SVG plots drawn as vector graphics.
#pragma once

#include <string>

namespace qalix::qt {

// Writes the PDF through the program's safe save; false with the reason when it cannot.
bool saveReportPdf(const std::string& path, const std::string& html, bool letter,
                   std::string& reason);

}  // namespace qalix::qt
