#include "platform/qt/picture_files.hpp"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <filesystem>
#include <system_error>

#include "graphics/plot_page.hpp"
#include "platform/qt/painter_canvas.hpp"

namespace qalix::qt {

namespace {

// Device units of a picture are pixels of a 96-dot-per-inch screen.
constexpr int kScreenDotsPerInch = 96;

std::string lowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

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

bool writeSvg(const QString& file, int width, int height,
              const std::function<void(Canvas&)>& draw) {
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setResolution(kScreenDotsPerInch);
    svg.setTitle(QStringLiteral("QALIX on Information Time"));
    drawOnto(svg, width, height, draw);
    return true;
}

bool writePdf(const QString& file, int width, int height,
              const std::function<void(Canvas&)>& draw) {
    QPdfWriter pdf(file);
    pdf.setResolution(kScreenDotsPerInch);
    pdf.setPageSize(QPageSize(QSize(width, height) * 72 / kScreenDotsPerInch, QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QStringLiteral("QALIX on Information Time"));
    drawOnto(pdf, width, height, draw);
    return true;
}

bool writePng(const QString& file, int width, int height,
              const std::function<void(Canvas&)>& draw) {
    QImage image(width, height, QImage::Format_RGB32);
    drawOnto(image, width, height, draw);
    return image.save(file, "PNG");
}

}  // namespace

PictureFormat pictureFormatOf(const std::string& path) {
    const std::string extension = lowerExtension(path);
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
    // Written beside the target under the same extension, which tells Qt the format.
    const std::filesystem::path target(path);
    const std::filesystem::path beside =
        target.parent_path() / (".qalix-tmp-" + target.filename().string());
    const QString file = QString::fromStdString(beside.string());
    bool written = false;
    switch (format) {
        case PictureFormat::Svg:
            written = writeSvg(file, width, height, draw);
            break;
        case PictureFormat::Pdf:
            written = writePdf(file, width, height, draw);
            break;
        case PictureFormat::Png:
            written = writePng(file, width, height, draw);
            break;
        case PictureFormat::Unknown:
            break;
    }
    std::error_code error;
    if (!written || !std::filesystem::exists(beside, error)) {
        std::filesystem::remove(beside, error);
        reason = "the file " + path + " cannot be written";
        return false;
    }
    std::filesystem::rename(beside, target, error);
    if (error) {
        std::filesystem::remove(beside, error);
        reason = "the file " + path + " cannot be written";
        return false;
    }
    return true;
}

}  // namespace qalix::qt
