// The platform on Qt 6 Widgets: dialogs as windows built from their templates, Qt's nested
// loop for modal ones, message boxes, the standard file, font, page-setup and print dialogs,
// the help window, and the application's event loop.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include <QPageLayout>

#include "ui/platform.hpp"

class QPrinter;
class QString;
class QWidget;

namespace qalix {
class Dialog;
}

namespace qalix::qt {

class DialogWindow;
class HelpWindow;

class QtPlatform : public Platform {
  public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The frame window: owner of message boxes and of the modal dialogs.
    void setFrame(QWidget* frame) { frame_ = frame; }
    // The window of a dialog, built the first time it is asked for.
    DialogWindow& window(Dialog& dialog);
    DialogWindow* existingWindow(int dialogId) const;
    // Closes every dialog's window; due before the dialogs themselves go (the program that
    // owns them usually outlives the platform's windows only by this call).
    void releaseWindows();
    HelpWindow* helpWindow() const { return help_.get(); }
    // The help window at a page of it, as F1 in a dialog asks; a message when there is no
    // help to show.
    void showHelpPage(const QString& page);
    // The one printer the page setup and the print dialogs share, made when first asked for.
    QPrinter& printer();

    int messageBox(const Message& message) override;
    int showModal(Dialog& dialog) override;
    bool showModeless(Dialog& dialog) override;
    void scriptModal(int dialogId, std::function<void(Dialog&)> script) override;
    void withdrawScript(int dialogId) override { scripts_.erase(dialogId); }
    void copyText(const std::string& text) override;
    bool saveDocumentPdf(const std::string& path, const std::string& html, bool letter,
                         std::string& reason) override;
    void openDocument(const std::string& path) override;
    void busy(bool working) override;
    std::string settingsFolder() override;
    FileChoice openFile(const FileRequest& request) override;
    FileChoices openFiles(const FileRequest& request) override;
    FileChoice saveFile(const FileRequest& request) override;
    FontChoice chooseFont(const FontDescription& initial) override;
    PageSetupChoice pageSetup(const PageSetup& initial) override;
    PrintChoice print(const PrintRequest& request) override;
    bool savePicture(const std::string& path, int width, int height,
                     const std::function<void(Canvas&)>& draw, std::string& reason) override;
    void beep(int frequencyHz, int milliseconds) override;
    bool openHelp(HelpRequest request) override;
    std::uint64_t clockSeed() override;
    void consoleLine(std::string_view line) override;
    int runMainLoop() override;
    void quit(int exitCode) override;

  private:
    void place(DialogWindow& window, const Dialog& dialog);
    // The help window, made the first time and owned by the window given (none: its own);
    // none when the help pages cannot be found.
    HelpWindow* helpWindowFor(QWidget* owner);
    // The frame's menu keys for a window of the program that is not modal.
    void giveMenuKeys(QWidget* window);

    QWidget* frame_ = nullptr;
    std::map<const Dialog*, std::unique_ptr<DialogWindow>> windows_;
    std::map<int, std::function<void(Dialog&)>> scripts_;  // modal dialogs the program fills
    std::set<const QWidget*> menuKeys_;                    // windows given the menu keys
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<QPrinter> printer_;
    QPageLayout::Orientation textOrientation_ = QPageLayout::Portrait;  // as set up
    std::optional<int> quitCode_;
    bool loopRunning_ = false;
};

}  // namespace qalix::qt
