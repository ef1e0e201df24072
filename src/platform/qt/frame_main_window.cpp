#include "platform/qt/frame_main_window.hpp"

#include "platform/qt/text_bytes.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStringDecoder>

#include "graphics/plot_page.hpp"
#include "platform/qt/event_guard.hpp"
#include "platform/qt/fonts.hpp"
#include "platform/qt/painter_canvas.hpp"
#include "platform/qt/window_placement.hpp"

namespace qalix::qt {

namespace {

constexpr int kGraphicPage = 0;
constexpr int kTextPage = 1;

// Qt's names of the accelerator keys of the menu resource; "Alt+?" is typed with Shift too.
std::vector<QKeySequence> keySequences(const std::string& key) {
    if (key == "Alt+?")
        return {QKeySequence(Qt::ALT | Qt::Key_Question),
                QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Question)};
    return {QKeySequence(QString::fromStdString(key))};
}

}  // namespace

GraphicWindow::GraphicWindow(FrameWindow& model, QWidget* parent) : QWidget(parent), model_(model) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void GraphicWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const PageFit fit = fitPage(width(), height());
    painter.translate(fit.offsetX, fit.offsetY);
    painter.scale(fit.scale, fit.scale);
    PainterCanvas canvas(painter);
    dispatch([&] { model_.paint(canvas); });
}

void GraphicWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize size = event->size();
    dispatch([&] { model_.setClientRect({0, 0, size.width(), size.height()}); });
}

FrameMainWindow::FrameMainWindow(FrameWindow& model)
    : model_(model),
      pages_(new QStackedWidget(this)),
      graphic_(new GraphicWindow(model, pages_)),
      text_(new QPlainTextEdit(pages_)) {
    pages_->addWidget(graphic_);
    pages_->addWidget(text_);
    // A line is a row of a table or a sample line: kept whole, so that columns line up.
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    setCentralWidget(pages_);
    buildMenuBar();
    buildAccelerators();
    connect(text_, &QPlainTextEdit::textChanged, this,
            [this] { dispatch([this] { model_.userEdit(text_->toPlainText().toStdString()); }); });
    frameObserver_ = model_.observe([this](FrameChange change) { sync(change); });
    menuObserver_ = model_.menu().observe([this](int command) { showItem(command); });
    setWindowTitle(QString::fromStdString(model_.title()));
    showMode();
}

FrameMainWindow::~FrameMainWindow() {
    QApplication::instance()->removeEventFilter(this);
    model_.unobserve(frameObserver_);
    model_.menu().unobserve(menuObserver_);
}

QAction* FrameMainWindow::action(int command) const {
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

void FrameMainWindow::buildMenu(QMenu* into, const std::vector<MenuEntry>& entries) {
    // Only the items that tell why they are greyed carry a tip.
    into->setToolTipsVisible(true);
    for (const MenuEntry& e : entries) {
        const QString text = QString::fromStdString(e.text);
        switch (e.kind) {
            case MenuEntry::Kind::Separator:
                into->addSeparator();
                break;
            case MenuEntry::Kind::Popup:
                buildMenu(into->addMenu(text), e.children);
                break;
            case MenuEntry::Kind::Item: {
                QAction* a = into->addAction(text);
                const int command = e.command;
                connect(a, &QAction::triggered, this,
                        [this, command] { dispatch([&] { model_.command(command); }); });
                actions_[command] = a;
                showItem(command);
                break;
            }
        }
    }
}

void FrameMainWindow::showItem(int command) {
    QAction* a = action(command);
    if (a == nullptr) return;
    const MenuModel& menu = model_.menu();
    a->setText(QString::fromStdString(menu.text(command)));
    a->setEnabled(menu.enabled(command));
    a->setVisible(menu.visible(command));
    const QString reason = QString::fromStdString(menu.reason(command));
    a->setToolTip(reason);
}

void FrameMainWindow::buildMenuBar() {
    for (const MenuEntry& popup : model_.menu().bar())
        buildMenu(menuBar()->addMenu(QString::fromStdString(popup.text)), popup.children);
}

void FrameMainWindow::buildAccelerators() {
    for (const Accelerator& a : model_.menu().accelerators()) {
        for (const QKeySequence& keys : keySequences(a.key)) {
            auto* shortcut = new QShortcut(keys, this);
            shortcut->setContext(Qt::ApplicationShortcut);
            const std::string key = a.key;
            connect(shortcut, &QShortcut::activated, this,
                    [this, key] { dispatch([&] { model_.accelerator(key); }); });
        }
    }
}

void FrameMainWindow::showMode() {
    const bool text = model_.mode() == FrameMode::Text;
    pages_->setCurrentIndex(text ? kTextPage : kGraphicPage);
    text_->setFont(toQFont(model_.windowFont()));
    showText();
}

// Only a text that differs is set: the window kept across a switch keeps its caret and undo.
void FrameMainWindow::showText() {
    const QString text = textFromBytes(model_.text());
    if (text_->toPlainText() == text) return;
    const QSignalBlocker blocker(text_);
    text_->setPlainText(text);
}

void FrameMainWindow::applyEditAction() {
    switch (model_.lastEditAction()) {
        case EditAction::Undo:
            text_->undo();
            break;
        case EditAction::Cut:
            text_->cut();
            break;
        case EditAction::Copy:
            text_->copy();
            break;
        case EditAction::Paste:
            text_->paste();
            break;
    }
}

void FrameMainWindow::sync(FrameChange change) {
    switch (change) {
        case FrameChange::Mode:
            showMode();
            break;
        case FrameChange::Title:
            setWindowTitle(QString::fromStdString(model_.title()));
            break;
        case FrameChange::Text:
            showText();
            break;
        case FrameChange::Font:
            text_->setFont(toQFont(model_.windowFont()));
            graphic_->update();
            break;
        case FrameChange::Shown:
            if (model_.minimised()) {
                showMinimized();
            } else {
                showNormal();
                raise();
                raiseOwnedWindows();
            }
            break;
        case FrameChange::EditAction:
            applyEditAction();
            break;
        case FrameChange::Insert:
            // At the caret; the text changed tells the model the whole text.
            text_->insertPlainText(QString::fromStdString(model_.insertion()));
            break;
        case FrameChange::Picture:
            graphic_->update();
            break;
    }
}

// Raised, the frame stays below the windows it owns (the panel, an open dialog), as a window
// manager keeps them, and without one.
void FrameMainWindow::raiseOwnedWindows() {
    for (QWidget* owned : findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
        if (owned->isVisible()) owned->raise();
    }
}

// Alt with a menu's letter, pressed anywhere in the windows given the menu keys, before the
// widget with the keyboard sees it (a field would take it for its letter).
bool FrameMainWindow::eventFilter(QObject* object, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(object);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (widget == nullptr || key->modifiers() != Qt::AltModifier) return false;
    if (!menuKeyWindows_.contains(widget->window())) return false;
    for (QAction* menu : menuBar()->actions()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(menu->text());
        if (!mnemonic.isEmpty() && mnemonic[0].key() == key->key()) {
            openMenu(menu);
            return true;
        }
    }
    return false;
}

void FrameMainWindow::addMenuKeysTo(QWidget* window) {
    if (menuKeyWindows_.isEmpty()) QApplication::instance()->installEventFilter(this);
    menuKeyWindows_.insert(window);
    connect(window, &QObject::destroyed, this, [this, window] { menuKeyWindows_.remove(window); });
}

// Not while a modal dialog or box waits: nothing below it takes input.
void FrameMainWindow::openMenu(QAction* menu) {
    if (QApplication::activeModalWidget() != nullptr) return;
    raise();
    activateWindow();
    menuBar()->setActiveAction(menu);
}

void FrameMainWindow::openWithin(const QRect& available, int inset) {
    winId();  // made, the window learns the title bar and borders its window manager adds
    const QSize decorations = frameGeometry().size() - size();
    const QRect outer = openingFrame(available, sizeForDefaultClient() + decorations, inset);
    move(outer.topLeft());
    resize(outer.size() - decorations);
    show();
}

QSize FrameMainWindow::sizeForDefaultClient() const {
    const QSize menu = menuBar()->sizeHint();
    return {kDefaultClientWidth, kDefaultClientHeight + menu.height()};
}

void FrameMainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    dispatch([this] { model_.userClose(); });
}

}  // namespace qalix::qt
