#include "platform/qt/pictures.hpp"

#include <QPainter>
#include <QSvgRenderer>

namespace qalix::qt {

namespace {

constexpr int kIconSizes[] = {16, 32, 48, 64, 128};

}  // namespace

QPixmap picture(const QString& name, const QSize& size) {
    QSvgRenderer renderer(QStringLiteral(":/images/%1.svg").arg(name));
    if (!renderer.isValid()) return {};
    const QSize fitted = renderer.defaultSize().scaled(size, Qt::KeepAspectRatio);
    QPixmap pixmap(fitted);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

QIcon programIcon() {
    QIcon icon;
    for (int side : kIconSizes)
        icon.addPixmap(picture(QStringLiteral("qalixinf"), QSize(side, side)));
    return icon;
}

}  // namespace qalix::qt
