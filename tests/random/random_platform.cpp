#include "random/random_platform.hpp"

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <string_view>
#include <vector>

#include "canvas/recording_canvas.hpp"
#include "random/hostile_texts.hpp"
#include "ui/dialog.hpp"

namespace qalix::testing {

namespace {

// Names are drawn from small pools, so that a long run keeps a bounded folder and often
// overwrites or reopens a file it wrote before.
constexpr int kNamePool = 40;
constexpr std::array<std::string_view, 9> kExtensions = {".txt", ".emf", ".svg", ".pdf", ".png",
                                                         "",     ".TXT", ".Emf", ".dat"};
constexpr std::array<std::string_view, 5> kFaces = {"Times New Roman", "Arial", "Courier New",
                                                    "DejaVu Sans", ""};
// Error codes a common dialog reports when it fails.
constexpr std::array<unsigned, 4> kDialogErrors = {0xFFFF, 0x0002, 0x3003, 0x1};

template <typename T, std::size_t N>
T oneOf(std::mt19937_64& random, const std::array<T, N>& list) {
    return list[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

int between(std::mt19937_64& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

// A printer that may refuse any step of a document, as a real one does when it is switched
// off, out of paper, or cancelled.
class FlakyPrinter final : public PrintDevice {
  public:
    explicit FlakyPrinter(std::uint64_t seed) : random_(seed) {
        const int dpi = oneOf(random_, std::array{72, 96, 300, 600, 1200});
        metrics_ = {dpi,
                    dpi,
                    dpi * between(random_, 1, 12),
                    dpi * between(random_, 1, 16),
                    std::max(1, dpi / between(random_, 4, 12)),
                    between(random_, 0, 10),
                    std::max(1, dpi / between(random_, 8, 20))};
    }
    Metrics metrics() const override { return metrics_; }
    bool startDocument(std::string_view) override { return works(0.95); }
    bool startPage() override { return works(0.97); }
    int endPage() override { return works(0.97) ? 1 : -1; }
    bool endDocument() override { return works(0.97); }
    void abortDocument() override {}
    void drawText(int, int, std::string_view) override {}
    Canvas& canvas() override { return canvas_; }

  private:
    bool works(double p) { return std::bernoulli_distribution(p)(random_); }

    std::mt19937_64 random_;
    Metrics metrics_;
    RecordingCanvas canvas_;
};

}  // namespace

bool RandomPlatform::chance(double p) {
    return std::bernoulli_distribution(p)(random_);
}

int RandomPlatform::showModal(Dialog& dialog) {
    // The program's own script (a design file typing its looks) acts in the user's place.
    if (!hasScript(dialog.id())) onModal(dialog.id(), inModal_);
    return HeadlessPlatform::showModal(dialog);
}

std::optional<DialogOutcome> RandomPlatform::notChosen() {
    if (chance(0.1)) return DialogOutcome::Cancelled;
    if (chance(0.03)) return DialogOutcome::Failed;
    return std::nullopt;
}

std::string RandomPlatform::existingFile() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        files.push_back(entry.path().string());
    if (files.empty()) return freshSampleFile();
    std::sort(files.begin(), files.end());  // the directory's order is not reproducible
    return files[std::uniform_int_distribution<std::size_t>(0, files.size() - 1)(random_)];
}

// A folder chosen as if it were a file. Not the user's folder itself: the program makes a
// file's name from a chosen one, "folder.emf" beside it, which must stay inside.
std::string RandomPlatform::innerFolder() {
    const auto folder = folder_ / "folder";
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::string RandomPlatform::freshSampleFile() {
    const auto path =
        folder_ / ("import" + std::to_string(between(random_, 0, kNamePool)) + ".txt");
    std::ofstream(path, std::ios::binary) << sampleFileText(random_);
    return path.string();
}

std::string RandomPlatform::nameToSave() {
    if (chance(0.2)) return existingFile();
    if (chance(0.03)) return (folder_ / "missing" / "file.txt").string();
    if (chance(0.02)) return innerFolder();
    return (folder_ / ("save" + std::to_string(between(random_, 0, kNamePool)) +
                       std::string(oneOf(random_, kExtensions))))
        .string();
}

FileChoice RandomPlatform::openFile(const FileRequest& request) {
    FileChoice choice;
    if (const auto outcome = notChosen()) {
        choice = {
            *outcome, {}, *outcome == DialogOutcome::Failed ? oneOf(random_, kDialogErrors) : 0};
    } else if (chance(0.45)) {
        choice = {DialogOutcome::Accepted, existingFile(), 0};
    } else if (chance(0.8)) {
        choice = {DialogOutcome::Accepted, freshSampleFile(), 0};
    } else {
        choice = {DialogOutcome::Accepted,
                  chance(0.7) ? (folder_ / "absent.txt").string() : innerFolder(), 0};
    }
    log_("  open-file dialog answers " + printable(choice.path));
    answerOpenFile(choice);
    return HeadlessPlatform::openFile(request);
}

// One to four files, most of them there: design files the user saved among them.
FileChoices RandomPlatform::openFiles(const FileRequest& request) {
    FileChoices choices;
    if (const auto outcome = notChosen()) {
        choices = {
            *outcome, {}, *outcome == DialogOutcome::Failed ? oneOf(random_, kDialogErrors) : 0};
    } else {
        choices.outcome = DialogOutcome::Accepted;
        for (int i = between(random_, 1, 4); i > 0; --i) {
            choices.paths.push_back(chance(0.7)   ? existingFile()
                                    : chance(0.7) ? freshSampleFile()
                                                  : (folder_ / "absent.txt").string());
        }
    }
    log_("  open-files dialog answers " + std::to_string(choices.paths.size()) + " files");
    answerOpenFiles(choices);
    return HeadlessPlatform::openFiles(request);
}

FileChoice RandomPlatform::saveFile(const FileRequest& request) {
    FileChoice choice;
    if (const auto outcome = notChosen()) {
        choice = {
            *outcome, {}, *outcome == DialogOutcome::Failed ? oneOf(random_, kDialogErrors) : 0};
    } else {
        choice = {DialogOutcome::Accepted, nameToSave(), 0};
    }
    log_("  save-file dialog answers " + printable(choice.path));
    answerSaveFile(choice);
    return HeadlessPlatform::saveFile(request);
}

FontChoice RandomPlatform::chooseFont(const FontDescription& initial) {
    FontChoice choice;
    if (const auto outcome = notChosen()) {
        choice.outcome = *outcome;
    } else {
        choice.outcome = DialogOutcome::Accepted;
        choice.font = initial;
        choice.font.height = between(random_, 4, 100);
        choice.font.weight = 100 * between(random_, 1, 9);
        choice.font.italic = chance(0.3);
        choice.font.face = std::string(oneOf(random_, kFaces));
    }
    answerFont(choice);
    return HeadlessPlatform::chooseFont(initial);
}

PageSetupChoice RandomPlatform::pageSetup(const PageSetup& initial) {
    PageSetupChoice choice;
    if (const auto outcome = notChosen()) {
        choice.outcome = *outcome;
    } else {
        choice.outcome = DialogOutcome::Accepted;
        choice.setup = initial;
        const auto margin = [this, &initial] {
            return between(random_, initial.minimumMargins.left, 30000);
        };
        choice.setup.margins = {margin(), margin(), margin(), margin()};
    }
    answerPageSetup(choice);
    return HeadlessPlatform::pageSetup(initial);
}

PrintChoice RandomPlatform::print(const PrintRequest& request) {
    PrintChoice choice;
    if (const auto outcome = notChosen()) {
        choice.outcome = *outcome;
    } else {
        choice.outcome = DialogOutcome::Accepted;
        if (!chance(0.05)) choice.printer = std::make_unique<FlakyPrinter>(random_());
    }
    answerPrint(std::move(choice));
    return HeadlessPlatform::print(request);
}

bool RandomPlatform::savePicture(const std::string& path, int width, int height,
                                 const std::function<void(Canvas&)>& draw, std::string& reason) {
    if (chance(0.1)) refusePicture("the disk is full");
    return HeadlessPlatform::savePicture(path, width, height, draw, reason);
}

// A question ("End the program?") is answered either way.
int RandomPlatform::messageBox(const Message& message) {
    if (message.buttons == MessageButtons::Ok) return HeadlessPlatform::messageBox(message);
    const int button = chance(0.5) ? kIdYes : kIdNo;
    answerQuestion(button);
    answers_.push_back({message.text, button});
    return HeadlessPlatform::messageBox(message);
}

bool RandomPlatform::openHelp(HelpRequest request) {
    answerHelp(chance(0.7));
    return HeadlessPlatform::openHelp(request);
}

}  // namespace qalix::testing
