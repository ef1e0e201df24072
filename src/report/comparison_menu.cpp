#include "report/comparison_menu.hpp"

#include <optional>

#include "document/candidate_runs.hpp"
#include "document/design_file.hpp"
#include "document/parallel_runs.hpp"
#include "canvas/recording_canvas.hpp"
#include "report/comparison_figure.hpp"
#include "ui/common_dialog_errors.hpp"
#include "ui/file_titles.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

FileRequest designsRequest() {
    return {{{"QALIX designs (*.qalixdesign)", "*.qalixdesign"}}, "qalixdesign", {}, false};
}

// Each file's inputs; nothing after the message of the first that cannot be read.
std::optional<std::vector<DesignInputs>> readInputs(Program& program,
                                                    const std::vector<std::string>& paths) {
    std::vector<DesignInputs> inputs;
    for (const std::string& path : paths) {
        try {
            inputs.push_back(readDesignFile(path).inputs);
        } catch (const DesignFileError& e) {
            program.error(e.what());
            return std::nullopt;
        }
    }
    return inputs;
}

// The files by number, then the table.
std::string comparisonListing(const std::vector<std::string>& paths,
                              const std::vector<ComparisonRow>& rows) {
    std::string text = "Comparison of " + std::to_string(paths.size()) + " designs\n";
    for (std::size_t i = 0; i < paths.size(); ++i)
        text += "  " + std::to_string(i + 1) + "  " + paths[i] + "\n";
    return text + "\n" + comparisonText(rows) + "\n";
}

}  // namespace

ComparisonMenu::ComparisonMenu(Program& program) : program_(program) {
    program.frame().commands().add(
        {menu::kCompareDesigns, kAnyMode, [this] { chooseAndCompare(); }});
}

void ComparisonMenu::chooseAndCompare() {
    const FileChoices choice = program_.platform().openFiles(designsRequest());
    if (!acceptedOrReported(program_.platform(), choice)) return;
    compare(choice.paths);
}

void ComparisonMenu::compare(const std::vector<std::string>& paths) {
    const std::optional<std::vector<DesignInputs>> inputs = readInputs(program_, paths);
    if (!inputs) return;
    std::vector<CandidateOutcome> outcomes;
    {
        const BusyWhile busy(program_.platform());
        outcomes = computeCandidates(*inputs, defaultThreads(), true);
    }
    std::vector<ComparisonRow> rows;
    std::string refused;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        if (!outcomes[i].row) {
            refused += paths[i] + ": " + outcomes[i].messages;
            continue;
        }
        rows.push_back(std::move(*outcomes[i].row));
        rows.back().label = titleName(paths[i]);
    }
    if (!refused.empty()) program_.error("These designs cannot be compared:\n" + refused);
    if (rows.empty()) return;

    FrameWindow& frame = program_.frame();
    if (!frame.hasTextWindow()) frame.command(menu::kTextWindow);
    frame.insertText(comparisonListing(paths, rows));
    // Kept for the graphic window, which shows it once the user turns to it.
    RecordingCanvas picture;
    drawComparison(picture, rows);
    program_.graphics().picture = std::move(picture);
    program_.graphics().designPicture = false;
    frame.pictureChanged();
    frame.refreshMenu();  // the graphic window can show them even before a design
}

}  // namespace qalix
