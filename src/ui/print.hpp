// Printing as the program sees it: the page-setup record, what it asks of the print dialog,
// and the printer it gets back to draw pages on.
#pragma once

#include <string_view>

#include "ui/canvas.hpp"

namespace qalix {

// Hundredths of a millimetre.
struct PageMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PageMargins&, const PageMargins&) = default;
};

struct PageSetup {
    PageMargins margins{2500, 2500, 2500, 2500};
    PageMargins minimumMargins{1000, 1000, 1000, 1000};
};

struct PrintRequest {
    bool pageNumbers = true;   // the dialog offers a page range
    bool selection = false;    // the dialog offers printing the selection
    bool printToFile = false;  // the dialog offers the print-to-file box
    bool landscape = false;    // the page is offered turned, as a plot is laid out
};

// A printer's page as the print dialog returns it: pixels, its default font's metrics, and
// documents of pages of text.
class PrintDevice {
  public:
    struct Metrics {
        int pixelsPerInchX = 0;
        int pixelsPerInchY = 0;
        int printableWidth = 0;  // pixels
        int printableHeight = 0;
        int charHeight = 0;  // of the device's default font
        int externalLeading = 0;
        int averageCharWidth = 0;
    };

    virtual ~PrintDevice() = default;
    virtual Metrics metrics() const = 0;
    virtual bool startDocument(std::string_view name) = 0;
    virtual bool startPage() = 0;
    virtual int endPage() = 0;  // greater than 0 when the page was printed
    virtual bool endDocument() = 0;
    virtual void abortDocument() = 0;
    // A line of text in the device's default font, its top-left corner at (x, y).
    virtual void drawText(int x, int y, std::string_view text) = 0;
    // The page as a canvas, for a picture played onto it.
    virtual Canvas& canvas() = 0;
};

}  // namespace qalix
