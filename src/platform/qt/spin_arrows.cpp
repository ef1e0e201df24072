#include "platform/qt/spin_arrows.hpp"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace qalix::qt {

namespace {

constexpr int kPageStep = 10;

}  // namespace

SpinArrows::SpinArrows(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(b);
    }
    setFocusPolicy(Qt::StrongFocus);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    // A click on an arrow gives the spin the keyboard, as it does a spin box.
    connect(up_, &QToolButton::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
    connect(down_, &QToolButton::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
    connect(up_, &QToolButton::clicked, this, [this] { emit stepped(1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit stepped(-1); });
}

void SpinArrows::setBuddy(QWidget* edit) {
    setFocusProxy(edit);
    edit->installEventFilter(this);
}

bool SpinArrows::stepByKey(const QKeyEvent& key) {
    int step = 0;
    switch (key.key()) {
        case Qt::Key_Up:
            step = 1;
            break;
        case Qt::Key_Down:
            step = -1;
            break;
        case Qt::Key_PageUp:
            step = kPageStep;
            break;
        case Qt::Key_PageDown:
            step = -kPageStep;
            break;
        default:
            return false;
    }
    emit stepped(step);
    return true;
}

void SpinArrows::keyPressEvent(QKeyEvent* event) {
    if (!stepByKey(*event)) QWidget::keyPressEvent(event);
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isEnabled() &&
        stepByKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

}  // namespace qalix::qt
