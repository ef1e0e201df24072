#include "platform/qt/dialog_window.hpp"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <utility>

#include "platform/qt/event_guard.hpp"
#include "platform/qt/fonts.hpp"
#include "platform/qt/pictures.hpp"
#include "platform/qt/spin_arrows.hpp"

namespace qalix::qt {

namespace {

// An edit or combo field is this many dialog units high, whatever height a combo's template
// gives to its dropped-down list.
constexpr int kFieldHeight = 13;
// A label this many units high or more holds more than one line.
constexpr int kTwoLines = 16;
// The face of fixed-pitch fields, drawn with Liberation Mono (fonts.cpp).
constexpr const char* kFixedPitchFace = "Courier New";

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QWidget* makeButton(const Control& c, QWidget* parent) {
    const ControlTemplate& t = c.layout;
    auto* button = new QPushButton(qs(c.text), parent);
    button->setAutoDefault(t.kind == ControlKind::DefaultButton);
    button->setDefault(t.kind == ControlKind::DefaultButton);
    if (t.kind == ControlKind::Radio || t.kind == ControlKind::Check) button->setCheckable(true);
    return button;
}

QWidget* makeChoice(const Control& c, QWidget* parent) {
    if (c.layout.pushLike) return makeButton(c, parent);
    if (c.layout.kind == ControlKind::Check) return new QCheckBox(qs(c.text), parent);
    auto* radio = new QRadioButton(qs(c.text), parent);
    radio->setAutoExclusive(false);  // the model keeps one button of a group pressed
    return radio;
}

QWidget* makeLabel(const Control& c, QWidget* parent) {
    auto* label = new QLabel(qs(c.text), parent);
    label->setWordWrap(c.layout.height >= kTwoLines);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* makePicture(const Control& c, QWidget* parent, const QRect& rect) {
    auto* label = new QLabel(parent);
    label->setPixmap(picture(qs(c.layout.caption), rect.size()));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// A read-only text of many lines, such as a table and the sentences under it: long lines wrap
// at the field's width, and a fixed-pitch field keeps a table's columns in line.
QWidget* makeTextView(const ControlTemplate& t, QWidget* parent) {
    auto* view = new QPlainTextEdit(parent);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    if (t.fixedPitch) {
        QFont font(QString::fromLatin1(kFixedPitchFace), parent->font().pointSize());
        font.setStyleHint(QFont::Monospace);
        view->setFont(font);
    }
    return view;
}

// A number in a field starts at its first digit, whatever the field's width.
void showFromStart(QLineEdit* edit) {
    if (edit != nullptr) edit->setCursorPosition(0);
}

// Width an edit leaves its text: inside its frame, its style's padding, the two pixels Qt
// keeps each side, and the cursor.
int textRoom(const QLineEdit* edit) {
    constexpr int kLineEditMargin = 2;
    constexpr int kCursor = 1;
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    const QRect contents =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditMargin - kCursor;
}

// A number wider than its field, as seven-digit information times are in some faces, is
// shown in a smaller size of the dialog's font rather than cut off.
void fitTextToField(QLineEdit* edit, const QFont& dialogFont) {
    constexpr double kSmallestPoints = 6.0;
    constexpr double kStep = 0.5;
    QFont font = dialogFont;
    const int room = textRoom(edit);
    while (QFontMetrics(font).horizontalAdvance(edit->text()) > room &&
           font.pointSizeF() - kStep >= kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - kStep);
    if (font != edit->font()) edit->setFont(font);
}

// The dropped-down list as wide as its widest item: numbers of full precision show whole.
void fitListToItems(QComboBox* combo) {
    const QFontMetrics metrics(combo->view()->font());
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)));
    const int frame = 2 * combo->view()->frameWidth();
    const int margins = combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                        4 * combo->style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
    combo->view()->setMinimumWidth(widest + frame + margins + metrics.averageCharWidth());
}

// A number too long for its field even in the smallest size, "3.2449961479175906" in a field
// of nine digits, showed cut: it shows rounded to the digits that fit, whole in its tip, and
// whole again while the user edits it. The value of record is the whole text throughout.
class RoundedWhileIdle : public QObject {
  public:
    RoundedWhileIdle(QLineEdit* edit, QFont dialogFont)
        : QObject(edit), edit_(edit), font_(std::move(dialogFont)) {
        edit->installEventFilter(this);
    }
    // The program's text, shown as it fits.
    void show(const QString& whole) {
        whole_ = whole;
        edit_->setText(whole);
        edit_->setToolTip({});
        if (!edit_->hasFocus()) fit();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && edit_->text() != whole_ && !whole_.isEmpty()) {
            const QSignalBlocker blocker(edit_);
            edit_->setText(whole_);
        } else if (event->type() == QEvent::FocusOut) {
            whole_ = edit_->text();
            fit();
        }
        return false;
    }

  private:
    void fit() {
        fitTextToField(edit_, font_);
        const int room = textRoom(edit_);
        const QFontMetrics metrics(edit_->font());
        if (metrics.horizontalAdvance(whole_) <= room) return;
        bool number = false;
        const double value = whole_.trimmed().toDouble(&number);
        if (!number) return;
        constexpr int kMostDigits = 16;
        for (int digits = kMostDigits; digits >= 1; --digits) {
            const QString rounded = QString::number(value, 'g', digits);
            if (metrics.horizontalAdvance(rounded) > room) continue;
            const QSignalBlocker blocker(edit_);
            edit_->setText(rounded);
            edit_->setCursorPosition(0);
            edit_->setToolTip(whole_);
            return;
        }
    }

    QLineEdit* edit_;
    QFont font_;
    QString whole_;
};

QWidget* makeCombo(const Control& c, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(c.layout.editable);
    combo->setInsertPolicy(QComboBox::NoInsert);  // the program decides what the list holds
    combo->setMaxVisibleItems(12);
    // What the user types is the value: no list item is completed into it.
    if (combo->isEditable()) {
        combo->setCompleter(nullptr);
        new RoundedWhileIdle(combo->lineEdit(), parent->font());
    }
    return combo;
}

RoundedWhileIdle* roundedOf(QComboBox* combo) {
    if (combo->lineEdit() == nullptr) return nullptr;
    for (QObject* child : combo->lineEdit()->children()) {
        if (auto* rounded = dynamic_cast<RoundedWhileIdle*>(child)) return rounded;
    }
    return nullptr;
}

}  // namespace

DialogWindow::DialogWindow(Dialog& model, QWidget* parent)
    : QDialog(parent),
      model_(model),
      units_(dialogFont(model.layout().fontPoints, model.layout().fontFace)) {
    const DialogTemplate& t = model.layout();
    setFont(dialogFont(t.fontPoints, t.fontFace));
    setWindowTitle(qs(t.title));
    Qt::WindowFlags flags = windowFlags() & ~Qt::WindowContextHelpButtonHint;
    if (t.captionless) flags |= Qt::FramelessWindowHint;
    setWindowFlags(flags);
    setFixedSize(units_.x(t.width), units_.y(t.height));
    // Fields as narrow as the templates make them still show a seven-character number.
    setStyleSheet(QStringLiteral("QLineEdit { padding: 0px 1px; }"));
    build();
    syncAll();
    observer_ = model_.observe(
        [this](const Dialog&, int control, Change change) { sync(control, change); });
}

DialogWindow::~DialogWindow() {
    model_.unobserve(observer_);
}

QWidget* DialogWindow::widget(int control) const {
    const auto it = byId_.find(control);
    return it == byId_.end() ? nullptr : it->second;
}

void DialogWindow::build() {
    for (const ControlTemplate& t : model_.layout().controls) {
        Control c;
        c.layout = t;
        c.text = t.caption;
        const Control& control = t.id == kUnaddressed ? c : model_.control(t.id);
        QWidget* w = makeWidget(control);
        all_.push_back(w);
        if (t.id != kUnaddressed) {
            byId_[t.id] = w;
            connectUser(control, w);
        }
    }
    joinSpinsToBuddies();
}

void DialogWindow::joinSpinsToBuddies() {
    for (const ControlTemplate& t : model_.layout().controls) {
        auto* arrows = qobject_cast<SpinArrows*>(widget(t.id));
        QWidget* buddy = widget(t.buddy);
        if (arrows != nullptr && buddy != nullptr) arrows->setBuddy(buddy);
    }
}

QWidget* DialogWindow::makeWidget(const Control& c) {
    const ControlTemplate& t = c.layout;
    QRect rect = units_.rect(t.x, t.y, t.width, t.height);
    QWidget* w = nullptr;
    switch (t.kind) {
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            w = makeButton(c, this);
            break;
        case ControlKind::Radio:
        case ControlKind::Check:
            w = makeChoice(c, this);
            break;
        case ControlKind::GroupBox:
            w = new QGroupBox(qs(c.text), this);
            break;
        case ControlKind::Label:
            w = makeLabel(c, this);
            break;
        case ControlKind::Edit: {
            if (t.multiline && t.readOnly) {
                w = makeTextView(t, this);
                break;
            }
            auto* edit = new QLineEdit(this);
            edit->setReadOnly(t.readOnly);
            w = edit;
            break;
        }
        case ControlKind::Combo:
            w = makeCombo(c, this);
            rect.setHeight(units_.y(std::min(t.height, kFieldHeight)));
            break;
        case ControlKind::Spin:
            w = new SpinArrows(this);
            break;
        case ControlKind::Picture:
            w = makePicture(c, this, rect);
            break;
        case ControlKind::Line: {
            auto* line = new QFrame(this);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            rect.setHeight(std::max(rect.height(), 2));
            w = line;
            break;
        }
    }
    w->setGeometry(rect);
    if (t.id != kUnaddressed) w->setObjectName(QString::number(t.id));
    return w;
}

void DialogWindow::connectUser(const Control& c, QWidget* w) {
    const int id = c.layout.id;
    Dialog* model = &model_;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        connect(button, &QAbstractButton::clicked, this,
                [model, id] { dispatch([&] { model->userClick(id); }); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textEdited, this, [model, id](const QString& text) {
            dispatch([&] { model->userType(id, text.toStdString()); });
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        connect(combo, &QComboBox::activated, this, [model, id, combo](int index) {
            dispatch([&] { model->userPick(id, index); });
            showFromStart(combo->lineEdit());  // the picked number from its first digit
        });
        if (combo->lineEdit() != nullptr) {
            connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                    [model, id](const QString& text) {
                        dispatch([&] { model->userType(id, text.toStdString()); });
                    });
        }
    } else if (auto* spin = qobject_cast<SpinArrows*>(w)) {
        connect(spin, &SpinArrows::stepped, this, [model, id](int delta) {
            dispatch([&] { model->userSpin(id, model->getInt(id) + delta); });
        });
    }
}

void DialogWindow::syncAll() {
    for (const auto& [id, w] : byId_) {
        const Control& c = model_.control(id);
        syncItems(c, w);
        syncSelection(c, w);
        syncText(c, w);
        sync(id, Change::Checked);
        sync(id, Change::Enabled);
    }
}

void DialogWindow::syncText(const Control& c, QWidget* w) {
    const QString text = qs(c.text);
    // A number longer than its field shows its first digits, unless the user is typing there.
    const auto fromStart = [](QLineEdit* edit) {
        if (!edit->hasFocus()) edit->setCursorPosition(0);
    };
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() == text) return;  // the user's own typing, heard back
        edit->setText(text);
        fitTextToField(edit, font());
        fromStart(edit);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) {
            RoundedWhileIdle* rounded = roundedOf(combo);
            if (combo->currentText() == text) return;  // the user's own typing, heard back
            if (rounded != nullptr) {
                rounded->show(text);
            } else {
                combo->setEditText(text);
            }
            fromStart(combo->lineEdit());
        } else {
            combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
        }
    } else if (auto* view = qobject_cast<QPlainTextEdit*>(w)) {
        if (view->toPlainText() != text) view->setPlainText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (c.layout.kind != ControlKind::Picture) label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(text);
    }
}

void DialogWindow::syncItems(const Control& c, QWidget* w) {
    auto* combo = qobject_cast<QComboBox*>(w);
    if (combo == nullptr) return;
    const QString text = combo->currentText();
    combo->clear();
    for (const std::string& item : c.items)
        combo->addItem(qs(item));
    combo->setCurrentIndex(c.selection);
    if (combo->isEditable()) combo->setEditText(text);
    fitListToItems(combo);
}

void DialogWindow::syncSelection(const Control& c, QWidget* w) {
    auto* combo = qobject_cast<QComboBox*>(w);
    if (combo == nullptr) return;
    const QString text = combo->currentText();
    combo->setCurrentIndex(c.selection);
    if (combo->isEditable()) combo->setEditText(text);  // the text follows its own notice
}

void DialogWindow::sync(int control, Change change) {
    if (change == Change::Closed) {
        modelClosed();
        return;
    }
    if (change == Change::Opened) return;  // the platform shows the window
    QWidget* w = widget(control);
    if (w == nullptr) return;
    const Control& c = model_.control(control);
    const QSignalBlocker blocker(w);
    switch (change) {
        case Change::Text:
        case Change::Caption:
            syncText(c, w);
            break;
        case Change::Items:
            syncItems(c, w);
            break;
        case Change::Selection:
            syncSelection(c, w);
            break;
        case Change::Checked:
            if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setChecked(c.checked);
            break;
        case Change::Enabled:
            w->setEnabled(c.enabled);
            break;
        default:
            break;
    }
}

QString DialogWindow::shownText(int control) const {
    QWidget* w = widget(control);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
    if (auto* view = qobject_cast<QPlainTextEdit*>(w)) return view->toPlainText();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(w)) return group->title();
    return {};
}

int DialogWindow::runModal() {
    inModalLoop_ = true;
    exec();
    inModalLoop_ = false;
    return model_.exitCode();
}

void DialogWindow::modelClosed() {
    if (inModalLoop_) {
        done(model_.exitCode());
    } else {
        hide();
    }
}

bool DialogWindow::event(QEvent* event) {
    // F1 opens this dialog's page of the help, not the frame's contents: the frame's
    // accelerator is not to take the key while the dialog has the keyboard.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && help_) {
        help_();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogWindow::reject() {
    dispatch([this] { model_.userClose(); });
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (model_.isOpen()) dispatch([this] { model_.userClose(); });
}

}  // namespace qalix::qt
