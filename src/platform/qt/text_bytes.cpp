#include "platform/qt/text_bytes.hpp"

#include <QByteArray>
#include <QStringDecoder>

namespace qalix::qt {

QString programText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString textFromBytes(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(QByteArray::fromStdString(bytes));
    if (utf8.hasError()) text = QString::fromLatin1(bytes.data(), static_cast<int>(bytes.size()));
    return text;
}

}  // namespace qalix::qt
