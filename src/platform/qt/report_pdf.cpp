#include "platform/qt/report_pdf.hpp"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextObjectInterface>
#include <QTextTable>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "io/files.hpp"

namespace qalix::qt {

namespace {

constexpr int kSvgObject = QTextFormat::UserObject + 1;
constexpr int kSvgData = QTextFormat::UserProperty + 1;
constexpr int kResolution = 300;  // dots per inch of the layout
constexpr double kPlotAspect = 800.0 / 1500.0;
// A heading, or a table's caption, needs this much of its page below it, as a fraction of the
// page's height (about five lines of the body), or it goes to the next page with what follows.
constexpr double kKeptBelowHeading = 0.08;
// Layouts tried in keeping headings with what follows: one more than the headings it moves.
constexpr int kMostHeadingBreaks = 40;
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

// Headings and the captions above tables: what must never end a page.
bool keptWithNext(const QTextBlock& block) {
    if (block.blockFormat().headingLevel() > 0) return true;
    const QTextBlock next = block.next();
    return next.isValid() && block.text().startsWith(QStringLiteral("Table ")) &&
           QTextCursor(next).currentTable() != nullptr;
}

// The HTML with a page break before the element that holds each of the texts: the opening
// tag just before the text gets the style. (Qt 6 loses the rest of the document from the
// pages when a block's format is changed after parsing, so the breaks go into the HTML.)
QString withBreaksBefore(QString html, const std::vector<QString>& texts) {
    for (const QString& text : texts) {
        const QString escaped = text.toHtmlEscaped();
        const qsizetype at = html.indexOf(QLatin1Char('>') + escaped + QLatin1Char('<'));
        if (at < 0) continue;
        const qsizetype tag = html.lastIndexOf(QLatin1Char('<'), at);
        const qsizetype nameEnd = html.indexOf(QRegularExpression(QStringLiteral("[ >]")), tag);
        html.insert(nameEnd, QStringLiteral(" style=\"page-break-before: always\""));
    }
    return html;
}

// The document laid out on the writer's pages.
class LaidOut {
  public:
    LaidOut(QPdfWriter& writer, const QString& html, const std::vector<QByteArray>& pictures)
        : svg_(writer.pageLayout().paintRectPixels(kResolution).width() * 0.98) {
        doc.documentLayout()->setPaintDevice(&writer);
        doc.documentLayout()->registerHandler(kSvgObject, &svg_);
        doc.setHtml(html);
        placePictures(doc, pictures);
        doc.setPageSize(writer.pageLayout().paintRectPixels(kResolution).size());
    }

    // The text of the first heading, or table caption, that falls at the foot of its page;
    // none when there is none.
    std::optional<QString> firstStranded() {
        QAbstractTextDocumentLayout* layout = doc.documentLayout();
        const double height = doc.pageSize().height();
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            if (!keptWithNext(block)) continue;
            const QRectF at = layout->blockBoundingRect(block);
            const double page = std::floor(at.top() / height);
            const double pageEnd = (page + 1.0) * height;
            if (pageEnd - at.bottom() < kKeptBelowHeading * height) return block.text();
            // What follows outside a table (a figure, a paragraph) must start on the same page:
            // its first line, which the layout moves to the next page when it does not fit.
            const QTextBlock next = block.next();
            if (QTextCursor(next).currentTable() != nullptr || next.layout()->lineCount() == 0)
                continue;
            const double firstLine =
                layout->blockBoundingRect(next).top() + next.layout()->lineAt(0).y();
            if (std::floor(firstLine / height) > page) return block.text();
        }
        return std::nullopt;
    }

    QTextDocument doc;

  private:
    SvgObject svg_;
};

// Qt's layout of rich text knows no "keep with next": a heading that falls at the foot of a
// page gets a page break before it, one at a time, each on a layout made afresh.
QString keepingHeadingsWithWhatFollows(QPdfWriter& writer, const QString& html,
                                       const std::vector<QByteArray>& pictures) {
    std::vector<QString> breaks;
    QString text = html;
    for (int round = 0; round < kMostHeadingBreaks; ++round) {
        const std::optional<QString> stranded = LaidOut(writer, text, pictures).firstStranded();
        if (!stranded || std::find(breaks.begin(), breaks.end(), *stranded) != breaks.end()) break;
        breaks.push_back(*stranded);
        text = withBreaksBefore(html, breaks);
    }
    return text;
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

        std::vector<QByteArray> pictures;
        const QString text = withoutPictures(html, pictures);
        LaidOut laidOut(writer, keepingHeadingsWithWhatFollows(writer, text, pictures), pictures);
        QTextDocument& doc = laidOut.doc;

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
