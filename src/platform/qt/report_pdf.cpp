#include "platform/qt/report_pdf.hpp"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <vector>

#include "io/files.hpp"

namespace qalix::qt {

namespace {

constexpr int kSvgObject = QTextFormat::UserObject + 1;
constexpr int kSvgData = QTextFormat::UserProperty + 1;
constexpr int kResolution = 300;  // dots per inch of the layout
constexpr double kPlotAspect = 800.0 / 1500.0;
const QMarginsF kMarginsMm(15, 18, 15, 18);

// Draws an SVG picture held in its character format, as vectors on whatever device paints it.
class SvgObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

  public:
    explicit SvgObject(double width) : width_(width) {}
    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat&) override {
        return {width_, width_ * kPlotAspect};
    }
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat& format) override {
        QSvgRenderer svg(format.property(kSvgData).toByteArray());
        svg.render(painter, rect);
    }

  private:
    double width_;
};

// The HTML with each <svg> element replaced by a marker paragraph, and the elements in order.
QString withoutPictures(const std::string& html, std::vector<QByteArray>& pictures) {
    std::string out;
    std::size_t at = 0;
    for (;;) {
        const std::size_t start = html.find("<svg", at);
        const std::size_t end = start == std::string::npos ? start : html.find("</svg>", start);
        if (end == std::string::npos) break;
        out += html.substr(at, start - at);
        out += "<p>QALIXPICTURE" + std::to_string(pictures.size()) + "</p>";
        pictures.emplace_back(html.data() + start, static_cast<qsizetype>(end + 6 - start));
        at = end + 6;
    }
    return QString::fromStdString(out + html.substr(at));
}

void placePictures(QTextDocument& doc, const std::vector<QByteArray>& pictures) {
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        QTextCursor cursor = doc.find(QStringLiteral("QALIXPICTURE%1").arg(i));
        if (cursor.isNull()) continue;
        QTextCharFormat format;
        format.setObjectType(kSvgObject);
        format.setProperty(kSvgData, pictures[i]);
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    }
}

}  // namespace

bool saveReportPdf(const std::string& path, const std::string& html, bool letter,
                   std::string& reason) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setCreator(QStringLiteral("qalix"));
        writer.setPageLayout(QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4),
                                         QPageLayout::Portrait, kMarginsMm,
                                         QPageLayout::Millimeter));
        const QRectF page = writer.pageLayout().paintRectPixels(kResolution);

        QTextDocument doc;
        doc.documentLayout()->setPaintDevice(&writer);
        SvgObject svg(page.width() * 0.98);
        doc.documentLayout()->registerHandler(kSvgObject, &svg);
        std::vector<QByteArray> pictures;
        doc.setHtml(withoutPictures(html, pictures));
        placePictures(doc, pictures);
        doc.setPageSize(page.size());

        QPainter painter;
        if (!painter.begin(&writer)) {
            reason = "the PDF writer could not start";
            return false;
        }
        for (int p = 0; p < doc.pageCount(); ++p) {
            if (p > 0) writer.newPage();
            painter.save();
            const QRectF shown(0, p * page.height(), page.width(), page.height());
            painter.translate(0, -shown.top());
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = shown;
            painter.setClipRect(shown);
            doc.documentLayout()->draw(&painter, context);
            painter.restore();
        }
        painter.end();
    }
    const QByteArray& bytes = buffer.data();
    if (const auto failed = io::saveFile(
            path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        reason = failed->reason;  // the caller names the path
        return false;
    }
    return true;
}

}  // namespace qalix::qt

#include "report_pdf.moc"
