// The platform without a screen. Message boxes, beeps, help requests and console lines are
// recorded; the common dialogs answer from queues that a test or the command line fills; a
// modal dialog runs the script queued for it, as a nested event loop would run the user's
// actions, and returns when a button, Esc or the close box has ended it.
//
// A request the queues cannot answer (a modal dialog or a file dialog with nothing queued)
// is a std::logic_error: the test did not say what the user does there.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/platform.hpp"

namespace qalix {

// What a user does in a modal dialog while it is open; it must end the dialog.
using ModalScript = std::function<void(Dialog&)>;

struct Beep {
    int frequencyHz;
    int milliseconds;
};

class HeadlessPlatform : public Platform {
  public:
    int messageBox(const Message& message) override;
    int showModal(Dialog& dialog) override;
    bool showModeless(Dialog& dialog) override;
    void scriptModal(int dialogId, std::function<void(Dialog&)> script) override {
        onModal(dialogId, std::move(script));
    }
    void withdrawScript(int dialogId) override {
        auto& queue = scripts_[dialogId];
        if (!queue.empty()) queue.pop_back();
    }
    void copyText(const std::string& text) override { copied_.push_back(text); }
    // Without a painter there is no PDF; the reason says so.
    bool saveDocumentPdf(const std::string&, const std::string&, bool,
                         std::string& reason) override {
        reason = "PDF needs the desktop's libraries; choose HTML";
        return false;
    }
    void openDocument(const std::string& path) override { opened_.push_back(path); }
    // Every begin must be ended: a test reads the depth after the work.
    void busy(bool working) override { busyDepth_ += working ? 1 : -1; }
    int busyDepth() const { return busyDepth_; }
    std::string settingsFolder() override { return settingsFolder_; }
    FileChoice openFile(const FileRequest& request) override;
    FileChoices openFiles(const FileRequest& request) override;
    FileChoice saveFile(const FileRequest& request) override;
    FontChoice chooseFont(const FontDescription& initial) override;
    PageSetupChoice pageSetup(const PageSetup& initial) override;
    PrintChoice print(const PrintRequest& request) override;
    // Without a screen no picture is rendered: the request is kept, its drawing recorded.
    bool savePicture(const std::string& path, int width, int height,
                     const std::function<void(Canvas&)>& draw, std::string& reason) override;
    void beep(int frequencyHz, int milliseconds) override;
    bool openHelp(HelpRequest request) override;
    std::uint64_t clockSeed() override;
    void consoleLine(std::string_view line) override;
    int runMainLoop() override;
    void quit(int exitCode) override;

    // Queued answers, taken in order.
    void onModal(int dialogId, ModalScript script);
    // Whether a script waits for the dialog's next modal show.
    bool hasScript(int dialogId) const {
        const auto queue = scripts_.find(dialogId);
        return queue != scripts_.end() && !queue->second.empty();
    }
    void answerOpenFile(FileChoice choice) { openFiles_.push_back(std::move(choice)); }
    void answerOpenFiles(FileChoices choices) { openManyFiles_.push_back(std::move(choices)); }
    void answerSaveFile(FileChoice choice) { saveFiles_.push_back(std::move(choice)); }
    void answerFont(FontChoice choice) { fonts_.push_back(std::move(choice)); }
    void answerPageSetup(PageSetupChoice choice) { pageSetups_.push_back(std::move(choice)); }
    void answerPrint(PrintChoice choice) { prints_.push_back(std::move(choice)); }
    // The button (kIdYes or kIdNo) that answers the next question box.
    void answerQuestion(int button) { questions_.push_back(button); }
    // Help is available unless a test says otherwise; the clock seed is the real clock's
    // unless one is queued.
    void answerHelp(bool available) { help_.push_back(available); }
    void answerClockSeed(std::uint64_t seed) { seeds_.push_back(seed); }
    // Console lines are also written here when set.
    void echoConsole(std::ostream* stream) { echo_ = stream; }
    // Where the program keeps what it remembers between runs; nothing unless a test says.
    void keepSettingsIn(std::string folder) { settingsFolder_ = std::move(folder); }

    // What the program asked for.
    const std::vector<Message>& messages() const { return messages_; }
    void clearMessages() { messages_.clear(); }
    const std::vector<std::string>& consoleLines() const { return console_; }
    const std::vector<int>& modalDialogsShown() const { return modalShown_; }
    const std::vector<FileRequest>& fileRequests() const { return fileRequests_; }
    const std::vector<Beep>& beeps() const { return beeps_; }
    const std::vector<std::string>& copiedTexts() const { return copied_; }
    const std::vector<std::string>& openedDocuments() const { return opened_; }
    const std::vector<HelpRequest>& helpRequests() const { return helpRequests_; }
    const std::vector<PrintRequest>& printRequests() const { return printRequests_; }
    std::optional<FontDescription> lastFontOffered() const { return lastFont_; }
    struct PictureRequest {
        std::string path;
        int width;
        int height;
        int calls;  // drawing calls the picture made
    };
    const std::vector<PictureRequest>& pictureRequests() const { return pictures_; }
    // The next picture cannot be written, for the reason given.
    void refusePicture(std::string reason) { pictureRefusal_ = std::move(reason); }
    bool quitRequested() const { return quitCode_.has_value(); }
    int quitCode() const { return quitCode_.value_or(0); }

  private:
    std::vector<Message> messages_;
    std::vector<std::string> console_;
    std::vector<int> modalShown_;
    std::map<int, std::deque<ModalScript>> scripts_;
    std::deque<FileChoice> openFiles_;
    std::deque<FileChoices> openManyFiles_;
    std::deque<FileChoice> saveFiles_;
    std::deque<FontChoice> fonts_;
    std::deque<PageSetupChoice> pageSetups_;
    std::deque<PrintChoice> prints_;
    std::deque<int> questions_;
    std::deque<bool> help_;
    std::deque<std::uint64_t> seeds_;
    std::vector<FileRequest> fileRequests_;
    std::vector<Beep> beeps_;
    std::vector<HelpRequest> helpRequests_;
    std::vector<PrintRequest> printRequests_;
    std::optional<FontDescription> lastFont_;
    std::vector<PictureRequest> pictures_;
    std::optional<std::string> pictureRefusal_;
    std::ostream* echo_ = nullptr;
    std::vector<std::string> copied_;
    std::vector<std::string> opened_;
    int busyDepth_ = 0;
    std::string settingsFolder_;
    std::optional<int> quitCode_;
};

}  // namespace qalix
