#include "platform/headless/headless_platform.hpp"

#include <chrono>
#include <ctime>
#include <stdexcept>

#include "ui/dialog.hpp"

namespace qalix {

namespace {

std::string named(const Dialog& dialog) {
    return "dialog " + std::to_string(dialog.id()) + " (\"" + dialog.layout().title + "\")";
}

template <typename Choice>
Choice take(std::deque<Choice>& queue, const char* what) {
    if (queue.empty()) {
        throw std::logic_error(std::string("the program opened the ") + what +
                               " dialog, but no answer was queued for it");
    }
    Choice choice = std::move(queue.front());
    queue.pop_front();
    return choice;
}

// Ends a modal dialog whose script did not, so that an error leaves no dialog open.
class ModalGuard {
  public:
    explicit ModalGuard(Dialog& dialog) : dialog_(dialog) {}
    ~ModalGuard() {
        if (dialog_.isOpen()) dialog_.end(kIdCancel);
    }
    ModalGuard(const ModalGuard&) = delete;
    ModalGuard& operator=(const ModalGuard&) = delete;

  private:
    Dialog& dialog_;
};

}  // namespace

int HeadlessPlatform::messageBox(const Message& message) {
    messages_.push_back(message);
    if (message.buttons == MessageButtons::Ok) return kIdOk;
    return take(questions_, "question");
}

int HeadlessPlatform::showModal(Dialog& dialog) {
    dialog.open(Modality::Modal);  // refuses a dialog that is open already
    ModalGuard guard(dialog);
    modalShown_.push_back(dialog.id());
    auto& queue = scripts_[dialog.id()];
    if (queue.empty()) {
        throw std::logic_error(named(dialog) +
                               " was shown modally, but no script says what the user does in it");
    }
    const ModalScript script = std::move(queue.front());
    queue.pop_front();
    script(dialog);
    if (dialog.isOpen()) {
        throw std::logic_error(named(dialog) +
                               " is still open after its script: nothing the user did ended it");
    }
    return dialog.exitCode();
}

bool HeadlessPlatform::showModeless(Dialog& dialog) {
    if (!dialog.isOpen()) dialog.open(Modality::Modeless);
    return true;
}

FileChoice HeadlessPlatform::openFile(const FileRequest& request) {
    fileRequests_.push_back(request);
    return take(openFiles_, "open-file");
}

FileChoices HeadlessPlatform::openFiles(const FileRequest& request) {
    fileRequests_.push_back(request);
    return take(openManyFiles_, "open-files");
}

FileChoice HeadlessPlatform::saveFile(const FileRequest& request) {
    fileRequests_.push_back(request);
    return take(saveFiles_, "save-file");
}

FontChoice HeadlessPlatform::chooseFont(const FontDescription& initial) {
    lastFont_ = initial;
    return take(fonts_, "font");
}

PageSetupChoice HeadlessPlatform::pageSetup(const PageSetup&) {
    return take(pageSetups_, "page-setup");
}

PrintChoice HeadlessPlatform::print(const PrintRequest& request) {
    printRequests_.push_back(request);
    return take(prints_, "print");
}

namespace {

// Counts what a picture draws, for the tests that ask for pictures without a screen.
class CountingCanvas final : public Canvas {
  public:
    void selectPen(const Pen&) override { ++calls; }
    void selectFont(const FontDescription&) override { ++calls; }
    void setTextAlign(TextAlign) override { ++calls; }
    void setGraphicsMode(GraphicsMode) override { ++calls; }
    void setViewportOrigin(int, int) override { ++calls; }
    void moveTo(int, int) override { ++calls; }
    void lineTo(int, int) override { ++calls; }
    void rectangle(int, int, int, int) override { ++calls; }
    void textOut(int, int, std::string_view) override { ++calls; }
    int calls = 0;
};

}  // namespace

bool HeadlessPlatform::savePicture(const std::string& path, int width, int height,
                                   const std::function<void(Canvas&)>& draw, std::string& reason) {
    CountingCanvas canvas;
    draw(canvas);
    pictures_.push_back({path, width, height, canvas.calls});
    if (!pictureRefusal_) return true;
    reason = *pictureRefusal_;
    pictureRefusal_.reset();
    return false;
}

void HeadlessPlatform::beep(int frequencyHz, int milliseconds) {
    beeps_.push_back({frequencyHz, milliseconds});
}

bool HeadlessPlatform::openHelp(HelpRequest request) {
    helpRequests_.push_back(request);
    if (help_.empty()) return true;
    const bool available = help_.front();
    help_.pop_front();
    return available;
}

std::uint64_t HeadlessPlatform::clockSeed() {
    if (!seeds_.empty()) {
        const std::uint64_t seed = seeds_.front();
        seeds_.pop_front();
        return seed;
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    return static_cast<std::uint64_t>(nanoseconds) ^
           (static_cast<std::uint64_t>(std::clock()) << 32);
}

void HeadlessPlatform::consoleLine(std::string_view line) {
    console_.emplace_back(line);
    if (echo_) *echo_ << line << '\n';
}

int HeadlessPlatform::runMainLoop() {
    if (!quitCode_) {
        throw std::logic_error(
            "the main loop was started with nothing to end it: without a screen no event "
            "would ever come");
    }
    return *quitCode_;
}

void HeadlessPlatform::quit(int exitCode) {
    if (!quitCode_) quitCode_ = exitCode;
}

void HeadlessPlatform::onModal(int dialogId, ModalScript script) {
    scripts_[dialogId].push_back(std::move(script));
}

}  // namespace qalix
