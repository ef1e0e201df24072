#include "platform/qt/dialog_units.hpp"

#include <QFontMetrics>

namespace qalix::qt {

namespace {

constexpr int kUnitsPerBaseX = 4;
constexpr int kUnitsPerBaseY = 8;

// units * base / per, rounded to the nearest pixel.
int scaled(int units, int base, int per) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = per / 2;
    return static_cast<int>(product >= 0 ? (product + half) / per : (product - half) / per);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (alphabet / 26 + 1) / 2;  // the average of 52, rounded
    baseY_ = metrics.height();
}

int DialogUnits::x(int units) const {
    return scaled(units, baseX_, kUnitsPerBaseX);
}

int DialogUnits::y(int units) const {
    return scaled(units, baseY_, kUnitsPerBaseY);
}

QRect DialogUnits::rect(int x0, int y0, int width, int height) const {
    return {x(x0), y(y0), x(width), y(height)};
}

}  // namespace qalix::qt
