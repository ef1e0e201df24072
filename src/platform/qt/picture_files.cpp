#include "platform/qt/picture_files.hpp"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "graphics/plot_page.hpp"
#include "io/files.hpp"
#include "platform/qt/painter_canvas.hpp"

namespace qalix::qt {

namespace {

// Device units of a picture are pixels of a 96-dot-per-inch screen.
constexpr int kScreenDotsPerInch = 96;

void drawOnto(QPaintDevice& device, int width, int height,
              const std::function<void(Canvas&)>& draw) {
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    const PageFit fit = fitPage(width, height);  // the plot page, scaled to the picture
    painter.translate(fit.offsetX, fit.offsetY);
    painter.scale(fit.scale, fit.scale);
    PainterCanvas canvas(painter);
    draw(canvas);
}

// Each format is drawn into memory first: the file is written by the program's own safe save,
// never by Qt, so a full disk or a planted link cannot leave a cut-off picture behind.
QByteArray svgBytes(int width, int height, const std::function<void(Canvas&)>& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setResolution(kScreenDotsPerInch);
    svg.setTitle(QStringLiteral("QALIX on Information Time"));
    drawOnto(svg, width, height, draw);
    return buffer.data();
}

QByteArray pdfBytes(int width, int height, const std::function<void(Canvas&)>& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kScreenDotsPerInch);
        pdf.setPageSize(
            QPageSize(QSize(width, height) * 72 / kScreenDotsPerInch, QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QStringLiteral("QALIX on Information Time"));
        drawOnto(pdf, width, height, draw);
    }  // the document is complete once the writer is gone
    return buffer.data();
}

QByteArray pngBytes(int width, int height, const std::function<void(Canvas&)>& draw) {
    QImage image(width, height, QImage::Format_RGB32);
    drawOnto(image, width, height, draw);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return buffer.data();
}

QByteArray pictureBytes(PictureFormat format, int width, int height,
                        const std::function<void(Canvas&)>& draw) {
    switch (format) {
        case PictureFormat::Svg:
            return svgBytes(width, height, draw);
        case PictureFormat::Pdf:
            return pdfBytes(width, height, draw);
        case PictureFormat::Png:
            return pngBytes(width, height, draw);
        case PictureFormat::Unknown:
            break;
    }
    return {};
}

}  // namespace

PictureFormat pictureFormatOf(const std::string& path) {
    const std::string extension = io::lowercaseExtension(path);
    if (extension == ".svg") return PictureFormat::Svg;
    if (extension == ".pdf") return PictureFormat::Pdf;
    if (extension == ".png") return PictureFormat::Png;
    return PictureFormat::Unknown;
}

bool savePictureFile(const std::string& path, int width, int height,
                     const std::function<void(Canvas&)>& draw, std::string& reason) {
    const PictureFormat format = pictureFormatOf(path);
    if (format == PictureFormat::Unknown) {
        reason = "the file name ends neither in .svg, .pdf nor .png";
        return false;
    }
    if (width <= 0 || height <= 0) {
        reason = "a picture needs a width and a height of at least one pixel";
        return false;
    }
    const QByteArray bytes = pictureBytes(format, width, height, draw);
    if (bytes.isEmpty()) {
        reason = "the picture of " + path + " could not be drawn";
        return false;
    }
    if (const auto failed = io::saveFile(path, {bytes.constData(), std::size_t(bytes.size())})) {
        reason = failed->describe();
        return false;
    }
    return true;
}

}  // namespace qalix::qt
