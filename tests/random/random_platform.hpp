// The headless platform as a random user answers it: each modal dialog gets the user's
// script queued just before it is shown, and the file, font, page-setup, print and help
// dialogs answer at random, as a user would (cancel, fail, choose). Files are chosen only
// inside one folder, where the user also keeps the sample files it writes for importing.
#pragma once

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.hpp"

namespace qalix::testing {

class RandomPlatform final : public HeadlessPlatform {
  public:
    using Log = std::function<void(const std::string&)>;
    RandomPlatform(std::mt19937_64& random, std::filesystem::path folder, ModalScript inModal,
                   Log log)
        : random_(random),
          folder_(std::move(folder)),
          inModal_(std::move(inModal)),
          log_(std::move(log)) {}

    int messageBox(const Message& message) override;
    int showModal(Dialog& dialog) override;
    FileChoice openFile(const FileRequest& request) override;
    FileChoices openFiles(const FileRequest& request) override;
    FileChoice saveFile(const FileRequest& request) override;
    FontChoice chooseFont(const FontDescription& initial) override;
    PageSetupChoice pageSetup(const PageSetup& initial) override;
    PrintChoice print(const PrintRequest& request) override;
    bool savePicture(const std::string& path, int width, int height,
                     const std::function<void(Canvas&)>& draw, std::string& reason) override;
    bool openHelp(HelpRequest request) override;

    // The questions asked since the last clear, each with the button that answered it.
    struct Answer {
        std::string question;
        int button;
    };
    const std::vector<Answer>& answers() const { return answers_; }
    void clearAnswers() { answers_.clear(); }

  private:
    bool chance(double p);
    // Cancelled, failed, or nothing when the user goes on to choose.
    std::optional<DialogOutcome> notChosen();
    std::string existingFile();
    std::string freshSampleFile();
    std::string innerFolder();
    std::string nameToSave();

    std::mt19937_64& random_;
    std::filesystem::path folder_;
    ModalScript inModal_;
    Log log_;
    std::vector<Answer> answers_;
};

}  // namespace qalix::testing
