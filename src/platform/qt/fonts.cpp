#include "platform/qt/fonts.hpp"

#include <QFontInfo>
#include <cmath>

namespace qalix::qt {

namespace {

constexpr int kBoldWeight = 700;

}  // namespace

void installFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
}

QFont toQFont(const FontDescription& font) {
    QFont q(QString::fromStdString(font.face));
    if (font.height != 0) q.setPixelSize(std::abs(font.height));
    q.setWeight(font.weight >= kBoldWeight ? QFont::Bold : QFont::Normal);
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    q.setStrikeOut(font.strikeOut);
    if (font.face.empty()) q.setStyleHint(QFont::SansSerif);
    // Without the face, another of fixed pitch keeps columns in line.
    if ((font.pitchAndFamily & FontDescription::kFixedPitch) != 0) q.setStyleHint(QFont::Monospace);
    return q;
}

QFont fontDialogFont(const FontDescription& font) {
    const QFont drawn = toQFont(font);
    const QFontInfo info(drawn);  // the substitute's family, the pixels in points
    QFont listed(info.family());
    listed.setPointSizeF(info.pointSizeF());
    listed.setWeight(drawn.weight());
    listed.setItalic(drawn.italic());
    listed.setUnderline(drawn.underline());
    listed.setStrikeOut(drawn.strikeOut());
    return listed;
}

FontDescription fromQFont(const QFont& font, const FontDescription& base) {
    FontDescription d = base;
    d.face = font.family().toStdString();
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    d.height = pixels;
    d.weight = font.weight() >= QFont::Bold ? kBoldWeight : FontDescription::kNormalWeight;
    d.italic = font.italic();
    d.underline = font.underline();
    d.strikeOut = font.strikeOut();
    d.pitchAndFamily = QFontInfo(font).fixedPitch()
                           ? FontDescription::kFixedPitch | FontDescription::kModernFamily
                           : FontDescription::kVariablePitch | FontDescription::kSwissFamily;
    return d;
}

QFont dialogFont(int points, const std::string& face) {
    QFont q(QString::fromStdString(face));
    q.setPointSize(points);
    q.setStyleHint(QFont::SansSerif);
    return q;
}

}  // namespace qalix::qt
