// The picture renderer: a library the command line opens only when a picture is asked for, so
// that qalix itself links no Qt and starts as fast as a program without windows. It draws with
// the desktop's painter on Qt's offscreen platform (unless the user chose another); the
// application is made at the first picture.
#include <QGuiApplication>
#include <QtGlobal>
#include <clocale>
#include <cstdio>
#include <string>
#include <type_traits>

#include "platform/picture_plugin.hpp"
#include "platform/qt/fonts.hpp"
#include "platform/qt/picture_files.hpp"
#include "platform/qt/report_pdf.hpp"

namespace qalix {

namespace {

// What Qt and the libraries under it say while a picture is drawn. Their notes on the
// offscreen platform's surroundings mean nothing to a user of the command line, so nothing is
// printed: a picture that fails has them folded into its reason, and standard error carries
// the program's own message only.
std::string& libraryNotes() {
    static std::string notes;
    return notes;
}

void collectNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    if (type == QtFatalMsg) {  // Qt ends the process after this: say why first
        std::fprintf(stderr, "qalix: %s\n", qPrintable(message));
        return;
    }
    std::string& notes = libraryNotes();
    notes += (notes.empty() ? "" : "; ") + message.trimmed().toStdString();
}

void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(collectNotes);
    static int argc = 1;
    static char name[] = "qalix";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // numbers are written the program's way, not the user's
    qt::installFontSubstitutes();
}

PictureRenderer makeRenderer() {
    return [](const std::string& path, int width, int height,
              const std::function<void(Canvas&)>& draw, std::string& reason) {
        ensureGuiApplication();
        libraryNotes().clear();
        const bool saved = qt::savePictureFile(path, width, height, draw, reason);
        if (!saved && !libraryNotes().empty()) reason += " (" + libraryNotes() + ")";
        libraryNotes().clear();
        return saved;
    };
}

DocumentRenderer makeDocumentRenderer() {
    return [](const std::string& path, const std::string& html, bool letter, std::string& reason) {
        ensureGuiApplication();
        libraryNotes().clear();
        const bool saved = qt::saveReportPdf(path, html, letter, reason);
        if (!saved && !libraryNotes().empty()) reason += " (" + libraryNotes() + ")";
        libraryNotes().clear();
        return saved;
    };
}

}  // namespace
}  // namespace qalix

// What the command line looks up once the library is open: the entry points
// platform/picture_plugin.hpp names, of the types it gives.
extern "C" __attribute__((visibility("default"))) void qalixPictureRenderer(
    qalix::PictureRenderer* renderer) {
    *renderer = qalix::makeRenderer();
}

extern "C" __attribute__((visibility("default"))) void qalixDocumentRenderer(
    qalix::DocumentRenderer* renderer) {
    *renderer = qalix::makeDocumentRenderer();
}

static_assert(std::is_same_v<decltype(&qalixPictureRenderer), qalix::PictureEntryPoint>);
static_assert(std::is_same_v<decltype(&qalixDocumentRenderer), qalix::DocumentEntryPoint>);
