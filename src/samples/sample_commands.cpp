#include "samples/sample_commands.hpp"

#include <array>
#include <string>
#include <string_view>

#include "design/panel_ids.hpp"
#include "samples/one_sample_paths.hpp"
#include "samples/sample_files.hpp"
#include "ui/file_titles.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

using namespace menu;

constexpr std::string_view kSavedSimulationTitle = " Text File: Save Simulation:  ";

// The three imports of the Data menu: what each reads, and the title of the text window that
// shows the file.
struct ImportCommand {
    int command;
    std::string_view kind;
    std::string_view title;
    bool makesSamplesAvailable;
};
constexpr std::array<ImportCommand, 3> kImports = {{
    {kImportSimulated, "Simu", "Text Window: to import simulated data: ", true},
    {kImportObserved, "Observ", "Text Window: to import observed data: ", true},
    {kImportVariableNames, "VarName", "Text Window: to import variable names: ", false},
}};

// The file is chosen and named in the text window's title, which then shows it in place of
// what it held: asked first when that was not saved.
std::optional<std::string> chooseFile(SamplesContext& program, bool save, std::string_view title) {
    if (!program.frame.mayReplaceText()) return std::nullopt;
    const auto path = program.frame.askForFile(save);
    if (!path) return std::nullopt;
    program.frame.setTextPath(*path);
    program.frame.setTitle(std::string(title) + titleName(*path));
    return path;
}

void saveSimulation(SamplesContext& program) {
    const auto path = chooseFile(program, true, kSavedSimulationTitle);
    if (path && SAVESIMU(program, *path)) program.frame.showFile(*path, kSampleFileBytes);
}

void importSamples(SamplesContext& program, const ImportCommand& import) {
    const auto path = chooseFile(program, false, import.title);
    if (!path) return;
    DesignRecord& r = program.record;
    r.importKind = import.kind;
    // Read once: what the text window shows is what is imported.
    const auto text = program.frame.showFile(*path, kSampleFileBytes);
    if (!text) return;
    importSampleText(program, *text);
    if (import.makesSamplesAvailable && r.importReady) {
        program.panel().setLogical(panel::kImportedSamples, true, Index::Enabled);
        r.importAvailable = true;
        program.frame.refreshMenu();
    }
}

}  // namespace

void addSampleCommands(FrameCommands& commands, SamplesContext& program) {
    const auto refusal = [&program] { return samplePathsRefusal(program); };
    commands.add(
        {kSaveSimulation, kTextMode, [&program] { saveSimulation(program); }, {}, refusal});
    for (const ImportCommand& import : kImports) {
        // Variable names make no paths: they stay open to both outcomes.
        commands.add({import.command,
                      kTextMode,
                      [&program, &import] { importSamples(program, import); },
                      {},
                      import.makesSamplesAvailable ? refusal : std::function<std::string()>{}});
    }
}

}  // namespace qalix
