// The desktop's design files, tables and reproducing command: File > "Open Design...", "Save
// Design...", "Export Tables..." and the recent design files, and Edit > "Copy Design as
// Command". A design file keeps the looks of the trial last analysed on its design, and gives
// them back to the trial's dialog when it is opened. What is written is computed again from the
// inputs the panel shows, in a headless program of its own as the command line computes it, so that
// the desktop writes what `qalix design` writes; a panel that shows results its inputs no longer
// give is refused.
#pragma once

#include <optional>
#include <string>

#include "document/capture.hpp"
#include "document/design_file.hpp"
#include "document/recent_designs.hpp"
#include "shell/program.hpp"

namespace qalix {

inline constexpr std::string_view kDesignFileCaption = "Design File";

// The design file the panel's design was last opened from: what a report or a save of the same
// design carries over from it.
struct OpenedDesignFile {
    std::string path;
    std::string title;
    std::string notes;
    std::string sha256;   // of its bytes when it was opened
    std::string command;  // the design it holds, as the command that reproduces it
};

class DesignMenu {
  public:
    // Adds the commands to the program's frame; the recent files are those kept in the
    // platform's settings folder.
    explicit DesignMenu(Program& program);
    DesignMenu(const DesignMenu&) = delete;
    DesignMenu& operator=(const DesignMenu&) = delete;

    // What "Open Design..." does with the file chosen.
    void open(const std::string& path);
    const RecentDesigns& recent() const { return recent_; }
    // The design the panel shows, computed again with the parts given; nothing after a
    // message (one that says why when the panel's results are not its inputs').
    std::optional<DesignSnapshot> shownDesign(const CaptureParts& parts);
    // The file the design shown came from, while its inputs are still the file's.
    std::optional<OpenedDesignFile> fileOf(const DesignSnapshot& shown) const;

  private:
    void chooseAndOpen();
    void openRecent(std::size_t index);
    void save();
    void exportTables();
    void copyCommand();
    void showRecent();
    void enterLive(const DesignInputs& inputs);
    // The looks last analysed on the design shown, which a save keeps with it.
    std::optional<TrialRecord> analysedLooks();
    std::optional<std::string> chooseFile(const FileRequest& request, bool save);
    bool saved(const std::string& path, const std::string& text);

    Program& program_;
    RecentDesigns recent_;
    std::optional<OpenedDesignFile> opened_;
};

}  // namespace qalix
