// A printer as the print dialog leaves it set up (a real printer, or a PDF file): pages of
// text in its default font, and a canvas on the page for a picture.
#pragma once

#include <QFont>
#include <QPainter>
#include <memory>
#include <optional>

#include "platform/qt/painter_canvas.hpp"
#include "ui/print.hpp"

class QPrinter;

namespace qalix::qt {

class QtPrintDevice final : public PrintDevice {
  public:
    explicit QtPrintDevice(QPrinter& printer);
    ~QtPrintDevice() override;

    Metrics metrics() const override;
    bool startDocument(std::string_view name) override;
    bool startPage() override;
    int endPage() override;
    bool endDocument() override;
    void abortDocument() override;
    void drawText(int x, int y, std::string_view text) override;
    Canvas& canvas() override;

  private:
    QPrinter& printer_;
    QFont font_;
    QPainter painter_;
    std::optional<PainterCanvas> canvas_;
    bool firstPage_ = true;
};

}  // namespace qalix::qt
