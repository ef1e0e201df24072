#include "platform/qt/help_window.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QToolBar>

namespace qalix::qt {

namespace {

constexpr auto kIndexPage = "index.html";
constexpr auto kUsingHelpPage = "using_help.html";
constexpr int kDefaultWidth = 760;
constexpr int kDefaultHeight = 620;

bool holdsPages(const QString& folder) {
    return !folder.isEmpty() && QFile::exists(QDir(folder).filePath(kIndexPage));
}

// The title of a page, from its <title>, or its file name.
QString pageTitle(const QString& html, const QString& fileName) {
    static const QRegularExpression title(QStringLiteral("<title>(.*)</title>"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto match = title.match(html);
    return match.hasMatch() ? match.captured(1) : fileName;
}

// What a reader sees of a page: its body without the tags.
QString plainText(QString html) {
    static const QRegularExpression head(
        QStringLiteral("<head>.*</head>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return html.remove(head).remove(tag);
}

}  // namespace

QString findHelpFolder() {
    const QString fromEnvironment = qEnvironmentVariable("QALIX_HELP_DIR");
    if (holdsPages(fromEnvironment)) return fromEnvironment;
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("../share/qalix/help"));
    if (holdsPages(installed)) return QDir::cleanPath(installed);
    const QString source = QStringLiteral(QALIX_SOURCE_HELP_DIR);
    if (holdsPages(source)) return source;
    return {};
}

HelpWindow::HelpWindow(const QString& folder)
    : folder_(folder), browser_(new QTextBrowser(this)), searchField_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("QALIX on Information Time: Help"));
    browser_->setSearchPaths({folder_});
    browser_->setOpenExternalLinks(true);
    setCentralWidget(browser_);
    QToolBar* bar = addToolBar(QStringLiteral("Help"));
    bar->setMovable(false);
    bar->addAction(QStringLiteral("Contents"), this, [this] { open(HelpRequest::Contents); });
    bar->addAction(QStringLiteral("Back"), browser_, &QTextBrowser::backward);
    bar->addAction(QStringLiteral("Forward"), browser_, &QTextBrowser::forward);
    bar->addSeparator();
    bar->addWidget(new QLabel(QStringLiteral(" Search: "), bar));
    searchField_->setPlaceholderText(QStringLiteral("words to look for"));
    bar->addWidget(searchField_);
    connect(searchField_, &QLineEdit::returnPressed, this,
            [this] { search(searchField_->text()); });
    // Closed without a window manager's close box too, as every dialog of the program is.
    bar->addSeparator();
    bar->addAction(QStringLiteral("Close"), this, &QWidget::close);
    resize(kDefaultWidth, kDefaultHeight);
}

void HelpWindow::open(HelpRequest request) {
    switch (request) {
        case HelpRequest::Contents:
            browser_->setSource(QUrl(QString::fromLatin1(kIndexPage)));
            break;
        case HelpRequest::Search:
            browser_->setSource(QUrl(QString::fromLatin1(kIndexPage)));
            searchField_->setFocus();
            break;
        case HelpRequest::HowToUseHelp:
            browser_->setSource(QUrl(QString::fromLatin1(kUsingHelpPage)));
            break;
    }
    bringForward();
}

void HelpWindow::openPage(const QString& page) {
    browser_->setSource(QUrl(page.isEmpty() ? QString::fromLatin1(kIndexPage) : page));
    bringForward();
}

// Esc, wherever the keyboard is in the window (the page and the search field leave it).
void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void HelpWindow::bringForward() {
    show();
    raise();
    activateWindow();
}

void HelpWindow::search(const QString& words) {
    const QStringList terms = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString page = QStringLiteral("<h1>Search</h1>");
    int found = 0;
    const QDir dir(folder_);
    for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QString html = QString::fromUtf8(file.readAll());
        const QString text = plainText(html);
        bool all = !terms.isEmpty();
        for (const QString& term : terms)
            all = all && text.contains(term, Qt::CaseInsensitive);
        if (!all) continue;
        page += QStringLiteral("<p><a href=\"%1\">%2</a></p>").arg(name, pageTitle(html, name));
        ++found;
    }
    if (found == 0)
        page += QStringLiteral("<p>No page holds all of: %1</p>").arg(words.toHtmlEscaped());
    browser_->setHtml(page);
}

}  // namespace qalix::qt
