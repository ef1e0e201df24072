#include "platform/qt/qt_platform.hpp"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMarginsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <iostream>

#include "platform/qt/dialog_window.hpp"
#include "platform/qt/fonts.hpp"
#include "platform/qt/help_window.hpp"
#include "platform/qt/picture_files.hpp"
#include "platform/qt/print_device.hpp"
#include "shell/about_box.hpp"
#include "ui/dialog.hpp"

namespace qalix::qt {

namespace {

// Margins are kept in hundredths of a millimetre.
constexpr double kMillimetresPerUnit = 0.01;
// Space between the frame and the panel beside it, pixels.
constexpr int kBesideGap = 8;

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QString filterOf(const FileRequest& request) {
    QStringList filters;
    for (const FileFilter& f : request.filters)
        filters << QString::fromStdString(f.name);
    return filters.join(QStringLiteral(";;"));
}

FileChoice runFileDialog(QWidget* owner, const FileRequest& request, bool save) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filterOf(request));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.promptOverwrite);
    if (!request.initialPath.empty())
        dialog.selectFile(QString::fromStdString(request.initialPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {DialogOutcome::Accepted, dialog.selectedFiles().front().toStdString(), 0};
}

Rect rectOf(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

DialogWindow& QtPlatform::window(Dialog& dialog) {
    auto& slot = windows_[&dialog];
    if (!slot) {
        // The panel is a window of its own beside the frame; the others belong to the frame.
        QWidget* owner = dialog.layout().besideFrame ? nullptr : frame_;
        slot = std::make_unique<DialogWindow>(dialog, owner);
    }
    return *slot;
}

DialogWindow* QtPlatform::existingWindow(int dialogId) const {
    for (const auto& [dialog, window] : windows_) {
        if (dialog->id() == dialogId) return window.get();
    }
    return nullptr;
}

void QtPlatform::releaseWindows() {
    windows_.clear();
    help_.reset();
}

void QtPlatform::place(DialogWindow& w, const Dialog& dialog) {
    const DialogTemplate& t = dialog.layout();
    QScreen* screen = QApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    if (t.centred) {
        const QRect owner = frame_ ? frame_->frameGeometry() : available;
        const Point at = CENTERWINDOW(rectOf(w.frameGeometry()), rectOf(owner),
                                      available.right() + 1, available.bottom() + 1);
        w.move(at.x, at.y);
        return;
    }
    const QWidget* owner = w.parentWidget();
    if (owner == nullptr && frame_ != nullptr) {
        // Beside the frame; on a screen too narrow for both, flush with its right edge, over
        // the frame's right margin, which the plots leave empty.
        const QRect frame = frame_->frameGeometry();
        const int width = w.frameGeometry().width();
        const int x = std::min(frame.right() + kBesideGap, available.right() + 1 - width);
        w.move(std::max(x, available.left()), frame.top());
        return;
    }
    const QPoint origin = owner ? owner->frameGeometry().topLeft() : available.topLeft();
    w.move(origin + QPoint(w.units().x(t.x), w.units().y(t.y)));
}

int QtPlatform::messageBox(const Message& message) {
    QWidget* owner = message.owner == MessageOwner::None    ? nullptr
                     : message.owner == MessageOwner::Focus ? QApplication::activeWindow()
                                                            : frame_;
    QMessageBox box(iconOf(message.icon), QString::fromStdString(message.caption),
                    QString::fromStdString(message.text), QMessageBox::Ok, owner);
    box.setWindowModality(message.systemModal || owner == nullptr ? Qt::ApplicationModal
                                                                  : Qt::WindowModal);
    box.exec();
    return kIdOk;
}

int QtPlatform::showModal(Dialog& dialog) {
    dialog.open(Modality::Modal);
    DialogWindow& w = window(dialog);
    place(w, dialog);
    return w.runModal();
}

bool QtPlatform::showModeless(Dialog& dialog) {
    if (!dialog.isOpen()) dialog.open(Modality::Modeless);
    DialogWindow& w = window(dialog);
    if (!w.isVisible()) place(w, dialog);
    w.show();
    w.raise();
    w.activateWindow();
    return true;
}

FileChoice QtPlatform::openFile(const FileRequest& request) {
    return runFileDialog(frame_, request, false);
}

FileChoice QtPlatform::saveFile(const FileRequest& request) {
    return runFileDialog(frame_, request, true);
}

FontChoice QtPlatform::chooseFont(const FontDescription& initial) {
    bool ok = false;
    const QFont chosen =
        QFontDialog::getFont(&ok, toQFont(initial), frame_, QStringLiteral("Font"));
    if (!ok) return {};
    return {DialogOutcome::Accepted, fromQFont(chosen, initial), 0};
}

PageSetupChoice QtPlatform::pageSetup(const PageSetup& initial) {
    printer();
    const auto mm = [](int units) { return units * kMillimetresPerUnit; };
    const PageMargins& m = initial.margins;
    printer_->setPageMargins(QMarginsF(mm(m.left), mm(m.top), mm(m.right), mm(m.bottom)),
                             QPageLayout::Millimeter);
    QPageSetupDialog dialog(printer_.get(), frame_);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QMarginsF chosen = printer_->pageLayout().margins(QPageLayout::Millimeter);
    const auto units = [](double millimetres) {
        return static_cast<int>(millimetres / kMillimetresPerUnit + 0.5);
    };
    PageSetupChoice choice{DialogOutcome::Accepted, initial, 0};
    choice.setup.margins = {units(chosen.left()), units(chosen.top()), units(chosen.right()),
                            units(chosen.bottom())};
    return choice;
}

QPrinter& QtPlatform::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

PrintChoice QtPlatform::print(const PrintRequest& request) {
    QPrintDialog dialog(&printer(), frame_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, request.pageNumbers);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, request.selection);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, request.printToFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    return {DialogOutcome::Accepted, std::make_unique<QtPrintDevice>(printer()), 0};
}

bool QtPlatform::savePicture(const std::string& path, int width, int height,
                             const std::function<void(Canvas&)>& draw, std::string& reason) {
    return savePictureFile(path, width, height, draw, reason);
}

void QtPlatform::beep(int, int) {
    QApplication::beep();
}

bool QtPlatform::openHelp(HelpRequest request) {
    if (!help_) {
        const QString folder = findHelpFolder();
        if (folder.isEmpty()) return false;
        help_ = std::make_unique<HelpWindow>(folder);
    }
    help_->open(request);
    return true;
}

std::uint64_t QtPlatform::clockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    return static_cast<std::uint64_t>(nanoseconds) ^
           (static_cast<std::uint64_t>(std::clock()) << 32);
}

void QtPlatform::consoleLine(std::string_view line) {
    std::cout << line << std::endl;
}

int QtPlatform::runMainLoop() {
    // Qt drops a quit asked for before its loop runs: "Cancel" on the start screen comes then.
    if (quitCode_) return *quitCode_;
    loopRunning_ = true;
    const int code = QApplication::exec();
    loopRunning_ = false;
    return quitCode_.value_or(code);
}

void QtPlatform::quit(int exitCode) {
    if (quitCode_) return;
    quitCode_ = exitCode;
    if (loopRunning_) QApplication::exit(exitCode);
}

}  // namespace qalix::qt
