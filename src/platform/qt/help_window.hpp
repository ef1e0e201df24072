// The program's own help: HTML pages in a browser window with contents, back and forward,
// a search through every page, and "Close" (or Esc).
#pragma once

#include <QMainWindow>
#include <QString>

#include "ui/platform.hpp"

class QKeyEvent;
class QLineEdit;
class QTextBrowser;

namespace qalix::qt {

// The folder of the help pages: $QALIX_HELP_DIR, the installed share/qalix/help beside the
// program, or the source tree's resources/help; empty when none of them holds the pages.
QString findHelpFolder();

class HelpWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit HelpWindow(const QString& folder);
    void open(HelpRequest request);
    // A page of the help by its file name ("panel.html"); the contents when it names none.
    void openPage(const QString& page);
    QTextBrowser* browser() const { return browser_; }
    // Shows a page listing the pages that hold the words.
    void search(const QString& words);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void bringForward();

    QString folder_;
    QTextBrowser* browser_;
    QLineEdit* searchField_;
};

}  // namespace qalix::qt
