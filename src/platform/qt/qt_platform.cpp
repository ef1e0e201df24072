#include "platform/qt/qt_platform.hpp"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMarginsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <iostream>

#include "platform/qt/dialog_window.hpp"
#include "platform/qt/fonts.hpp"
#include "platform/qt/frame_main_window.hpp"
#include "platform/qt/help_window.hpp"
#include "platform/qt/picture_files.hpp"
#include "platform/qt/print_device.hpp"
#include "platform/qt/report_pdf.hpp"
#include "platform/qt/window_placement.hpp"
#include "shell/about_box.hpp"
#include "shell/frame_window.hpp"
#include "ui/dialog.hpp"

namespace qalix::qt {

namespace {

// Margins are kept in hundredths of a millimetre.
constexpr double kMillimetresPerUnit = 0.01;
// Space between the frame and the panel beside it, pixels.
constexpr int kBesideGap = 8;
// The narrowest frame the panel may narrow it to. Beside the panel, nothing of a plot is
// under it; a frame of 800, wanted for larger plots, left 130 pixels of them under the panel
// on a screen 1280 wide. The plots scale to the frame whole.
constexpr int kNarrowestFrame = 480;

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

// The extension of a filter's pattern: "pdf" for "PDF documents (*.pdf)".
QString extensionOf(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

FileChoice runFileDialog(QWidget* owner, const FileRequest& request, bool save) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filterOf(request));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    // A name typed without an extension gets the one of the type chosen in the dialog.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         const QString extension = extensionOf(filter);
                         if (!extension.isEmpty()) dialog.setDefaultSuffix(extension);
                     });
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
        // Every dialog belongs to the frame, and so stays above it; the panel, a window of
        // its own, beside it.
        slot = std::make_unique<DialogWindow>(dialog, frame_);
        const QString page = QString::fromStdString(dialog.layout().helpPage);
        slot->onHelp([this, page] { showHelpPage(page); });
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
    help_.reset();  // first: it may belong to a dialog's window
    windows_.clear();
    menuKeys_.clear();
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
    if (t.besideFrame && frame_ != nullptr) {
        const QRect frame = frame_->frameGeometry();
        // Not shown yet, the panel will have the title bar and borders the frame has.
        const QSize decorations = frame.size() - frame_->size();
        const FrameAndPanel at =
            besideEachOther(available, frame, w.size() + decorations, kNarrowestFrame, kBesideGap);
        frame_->resize(frame_->width() - (frame.width() - at.frame.width()), frame_->height());
        w.move(at.panel);
        return;
    }
    const QWidget* owner = w.parentWidget();
    const QPoint origin = owner ? owner->frameGeometry().topLeft() : available.topLeft();
    w.move(keptWithin(available, QRect(origin + QPoint(w.units().x(t.x), w.units().y(t.y)),
                                       w.frameGeometry().size())));
}

int QtPlatform::messageBox(const Message& message) {
    QWidget* owner = message.owner == MessageOwner::None    ? nullptr
                     : message.owner == MessageOwner::Focus ? QApplication::activeWindow()
                                                            : frame_;
    const bool question = message.buttons == MessageButtons::YesNo;
    QMessageBox box(iconOf(message.icon), QString::fromStdString(message.caption),
                    QString::fromStdString(message.text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
    // The panel and the dialogs are windows of their own: a box modal to its owner alone
    // would let them go on taking clicks and typing while it waits for an answer.
    box.setWindowModality(Qt::ApplicationModal);
    if (question) box.setDefaultButton(QMessageBox::No);
    const int answer = box.exec();
    if (!question) return kIdOk;
    return answer == QMessageBox::Yes ? kIdYes : kIdNo;
}

void QtPlatform::scriptModal(int dialogId, std::function<void(Dialog&)> script) {
    scripts_[dialogId] = std::move(script);
}

// A dialog the program fills is opened and ended by its script, without a window.
int QtPlatform::showModal(Dialog& dialog) {
    if (const auto script = scripts_.find(dialog.id()); script != scripts_.end()) {
        const auto fill = std::move(script->second);
        scripts_.erase(script);
        dialog.open(Modality::Modal);
        try {
            fill(dialog);
        } catch (...) {
            if (dialog.isOpen()) dialog.end(kIdCancel);
            throw;
        }
        if (dialog.isOpen()) dialog.end(kIdCancel);
        return dialog.exitCode();
    }
    dialog.open(Modality::Modal);
    DialogWindow& w = window(dialog);
    place(w, dialog);
    return w.runModal();
}

bool QtPlatform::showModeless(Dialog& dialog) {
    if (!dialog.isOpen()) dialog.open(Modality::Modeless);
    DialogWindow& w = window(dialog);
    if (menuKeys_.insert(&w).second) giveMenuKeys(&w);
    if (!w.isVisible()) place(w, dialog);
    w.show();
    w.raise();
    w.activateWindow();
    return true;
}

void QtPlatform::copyText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

bool QtPlatform::saveDocumentPdf(const std::string& path, const std::string& html, bool letter,
                                 std::string& reason) {
    return saveReportPdf(path, html, letter, reason);
}

void QtPlatform::busy(bool working) {
    if (working) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // The cursor shows at once, before the work holds the event loop.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtPlatform::openDocument(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

std::string QtPlatform::settingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
}

FileChoice QtPlatform::openFile(const FileRequest& request) {
    return runFileDialog(frame_, request, false);
}

FileChoices QtPlatform::openFiles(const FileRequest& request) {
    QFileDialog dialog(frame_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(filterOf(request));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    FileChoices choices{DialogOutcome::Accepted, {}, 0};
    for (const QString& file : dialog.selectedFiles())
        choices.paths.push_back(file.toStdString());
    return choices;
}

FileChoice QtPlatform::saveFile(const FileRequest& request) {
    return runFileDialog(frame_, request, true);
}

FontChoice QtPlatform::chooseFont(const FontDescription& initial) {
    bool ok = false;
    const QFont chosen =
        QFontDialog::getFont(&ok, fontDialogFont(initial), frame_, QStringLiteral("Font"));
    if (!ok) return {};
    return {DialogOutcome::Accepted, fromQFont(chosen, initial), 0};
}

PageSetupChoice QtPlatform::pageSetup(const PageSetup& initial) {
    printer();
    const auto mm = [](int units) { return units * kMillimetresPerUnit; };
    const PageMargins& m = initial.margins;
    printer_->setPageMargins(QMarginsF(mm(m.left), mm(m.top), mm(m.right), mm(m.bottom)),
                             QPageLayout::Millimeter);
    printer_->setPageOrientation(textOrientation_);
    QPageSetupDialog dialog(printer_.get(), frame_);
    if (dialog.exec() != QDialog::Accepted) return {};
    textOrientation_ = printer_->pageLayout().orientation();
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
    // A plot is laid out wider than high; text goes as the page setup turned the page.
    printer().setPageOrientation(request.landscape ? QPageLayout::Landscape : textOrientation_);
    QPrintDialog dialog(&printer(), frame_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, request.pageNumbers);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, request.selection);
    // A machine without printers still prints to a PDF file.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
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
    if (!helpWindowFor(QApplication::activeModalWidget())) return false;
    help_->open(request);
    return true;
}

void QtPlatform::giveMenuKeys(QWidget* window) {
    if (auto* frame = qobject_cast<FrameMainWindow*>(frame_)) frame->addMenuKeysTo(window);
}

HelpWindow* QtPlatform::helpWindowFor(QWidget* owner) {
    if (!help_) {
        const QString folder = findHelpFolder();
        if (folder.isEmpty()) return nullptr;
        help_ = std::make_unique<HelpWindow>(folder);
        giveMenuKeys(help_.get());
    }
    // A modal dialog blocks every window but its own: help asked for from one is made one
    // of them, so that it can be read and scrolled while the dialog waits.
    if (help_->parentWidget() != owner) help_->setParent(owner, Qt::Window);
    return help_.get();
}

void QtPlatform::showHelpPage(const QString& page) {
    if (helpWindowFor(QApplication::activeModalWidget()) == nullptr) {
        messageBox({std::string(kHelpCaption), std::string(kHelpFailure), MessageIcon::Stop,
                    MessageOwner::Focus, true});
        return;
    }
    help_->openPage(page);
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
