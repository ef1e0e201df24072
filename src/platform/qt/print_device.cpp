#include "platform/qt/print_device.hpp"

#include "platform/qt/text_bytes.hpp"

#include <QFontMetrics>
#include <QPrinter>

namespace qalix::qt {

namespace {

// The printer's own text face: a fixed pitch, so that a line's characters are its width.
constexpr int kPrinterFontPoints = 10;

}  // namespace

QtPrintDevice::QtPrintDevice(QPrinter& printer)
    : printer_(printer), font_(QStringLiteral("Liberation Mono"), kPrinterFontPoints) {
    font_.setStyleHint(QFont::Monospace);
}

QtPrintDevice::~QtPrintDevice() {
    if (painter_.isActive()) painter_.end();
}

PrintDevice::Metrics QtPrintDevice::metrics() const {
    const int resolution = printer_.resolution();
    const QRect printable = printer_.pageLayout().paintRectPixels(resolution);
    const QFontMetrics text(font_, &printer_);
    return {resolution,    resolution,     printable.width(),      printable.height(),
            text.height(), text.leading(), text.averageCharWidth()};
}

bool QtPrintDevice::startDocument(std::string_view name) {
    printer_.setDocName(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    firstPage_ = true;
    if (!painter_.begin(&printer_)) return false;
    painter_.setFont(font_);
    canvas_.emplace(painter_);
    return true;
}

bool QtPrintDevice::startPage() {
    // QPrinter starts on its first page; every later page is a new one.
    if (!firstPage_) return printer_.newPage();
    firstPage_ = false;
    return true;
}

int QtPrintDevice::endPage() {
    return painter_.isActive() ? 1 : 0;
}

bool QtPrintDevice::endDocument() {
    canvas_.reset();
    return painter_.end();
}

void QtPrintDevice::abortDocument() {
    canvas_.reset();
    printer_.abort();
    if (painter_.isActive()) painter_.end();
}

void QtPrintDevice::drawText(int x, int y, std::string_view text) {
    painter_.setFont(font_);
    painter_.setPen(Qt::black);
    const QFontMetrics metrics(font_, &printer_);
    painter_.drawText(QPoint(x, y + metrics.ascent()), textFromBytes(std::string(text)));
}

Canvas& QtPrintDevice::canvas() {
    if (!canvas_) canvas_.emplace(painter_);
    return *canvas_;
}

}  // namespace qalix::qt
