#include "document/design_menu.hpp"

#include <array>
#include <filesystem>

#include "analysis/trial_dialog.hpp"
#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "design/panel_labels.hpp"
#include "design/results_watch.hpp"
#include "document/design_command.hpp"
#include "document/design_inputs.hpp"
#include "document/design_tables.hpp"
#include "io/files.hpp"
#include "io/sha256.hpp"
#include "platform/headless/session.hpp"
#include "ui/common_dialog_errors.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

using namespace menu;

constexpr std::array<int, kRecentDesigns> kRecentItems = {kRecentDesign1, kRecentDesign2,
                                                          kRecentDesign3, kRecentDesign4};
constexpr std::string_view kCurvesSuffix = "-curves";

FileRequest designRequest(bool save) {
    return {{{"QALIX designs (*.qalixdesign)", "*.qalixdesign"}},
            std::string(kDesignFileExtension.substr(1)),
            {},
            save};
}

FileRequest tablesRequest() {
    return {{{"Comma-separated values (*.csv)", "*.csv"}}, "csv", {}, true};
}

// The boundaries go to the file chosen (".csv" added to a name without an extension), the
// curves beside it: "trial.csv" and "trial-curves.csv".
std::pair<std::string, std::string> tableFiles(const std::string& chosen) {
    std::filesystem::path boundaries(chosen);
    if (!boundaries.has_extension()) boundaries += ".csv";
    std::filesystem::path curves = boundaries;
    curves.replace_filename(boundaries.stem().string() + std::string(kCurvesSuffix) +
                            boundaries.extension().string());
    return {boundaries.string(), curves.string()};
}

// The design the inputs give in a headless program of its own; nothing, with why, when the
// program stopped at a message or refused an input.
std::optional<DesignSnapshot> computed(const DesignInputs& inputs, const CaptureParts& parts,
                                       std::string& why) {
    try {
        Session session;
        session.start();
        return computeSnapshot(session, inputs, parts);
    } catch (const MessageShown& shown) {
        why = shown.message.caption + ": " + shown.message.text;
    } catch (const ControlRefused& refused) {
        why = refused.what();
    } catch (const InputError& refused) {
        why = refused.what();
    }
    return std::nullopt;
}

// A design's inputs as the one command that reproduces them, its means aside: two designs with
// the same command are the same design.
std::string inputsCommand(const DesignSnapshot& design) {
    DesignInputs inputs = completeInputs(design);
    inputs.means.reset();
    return designCommand(inputs);
}

// Where a difference that firstDifference describes lies: "looks[2].infoTime".
std::string placeOf(const std::string& difference) {
    return difference.substr(0, difference.find(':'));
}

// The snapshot's names of the panel's fields and of the values behind them.
constexpr std::array<std::pair<std::string_view, int>, 15> kPanelPlaces = {{
    {"alpha", panel::kAlphaCombo},
    {"power", panel::kPowerCombo},
    {"sd", panel::kSdCombo},
    {"mu", panel::kMuCombo},
    {"altDelta", panel::kMuCombo},
    {"m", panel::kSizeCombo},
    {"looks", panel::kLooksCombo},
    {"rho", panel::kRhoCombo},
    {"rhoMax", panel::kRhoCombo},
    {"achievedRho", panel::kRhoCombo},
    {"a", panel::kCoeffCombo},
    {"searchIterates", panel::kCoeffCombo},
    {"maxDiscordance", panel::kDiscordanceEdit},
    {"actualSigLevel", panel::kActualSigEdit},
    {"actualPower", panel::kActualPowerEdit},
}};
constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kLookPlaces = {
    {{"infoTime", "Information Times"},
     {"groupSize", "Group Sizes"},
     {"cumulative", "Cumulative Sizes"}}};

// A place of the snapshot as the user reads it: "\"Actual Sig-level\"" for
// "panel.actualSigLevel", "\"Information Times\" of look 3" for "looks[2].infoTime".
std::string placeAsShown(const Dialog& panel, const std::string& place) {
    const std::string name = place.substr(place.rfind('.') + 1);
    if (place.rfind("looks[", 0) == 0) {
        const int look = std::stoi(place.substr(std::string_view("looks[").size())) + 1;
        for (const auto& [key, label] : kLookPlaces) {
            if (key == name)
                return "\"" + std::string(label) + "\" of look " + std::to_string(look);
        }
    }
    for (const auto& [key, control] : kPanelPlaces) {
        if (key == name) return "\"" + panelFieldLabel(panel, control) + "\"";
    }
    return "the design chosen";
}

}  // namespace

DesignMenu::DesignMenu(Program& program)
    : program_(program), recent_(program.platform().settingsFolder()) {
    FrameCommands& c = program.frame().commands();
    const auto designComputed = [&program] { return program.sequential().designComputed; };
    c.add({kOpenDesign, kAnyMode, [this] { chooseAndOpen(); }});
    c.add({kSaveDesign, kAnyMode, [this] { save(); }, designComputed});
    c.add({kExportTables, kAnyMode, [this] { exportTables(); }, designComputed});
    c.add({kCopyDesignCommand, kAnyMode, [this] { copyCommand(); }, designComputed});
    for (std::size_t i = 0; i < kRecentItems.size(); ++i) {
        c.add({kRecentItems[i], kAnyMode, [this, i] { openRecent(i); },
               [this, i] { return i < recent_.files().size(); }});
    }
    showRecent();
}

void DesignMenu::showRecent() {
    MenuModel& menu = program_.frame().menu();
    const std::vector<std::string>& files = recent_.files();
    for (std::size_t i = 0; i < kRecentItems.size(); ++i) {
        const bool listed = i < files.size();
        menu.setText(kRecentItems[i], listed ? recentItemText(i, files[i]) : std::string());
        menu.setVisible(kRecentItems[i], listed);
    }
    program_.frame().refreshMenu();
}

std::optional<std::string> DesignMenu::chooseFile(const FileRequest& request, bool save) {
    Platform& platform = program_.platform();
    const FileChoice choice = save ? platform.saveFile(request) : platform.openFile(request);
    if (!acceptedOrReported(platform, choice)) return std::nullopt;
    return choice.path;
}

bool DesignMenu::saved(const std::string& path, const std::string& text) {
    if (const auto failed = io::saveFile(path, text)) {
        program_.error("Cannot save the file " + failed->describe());
        return false;
    }
    return true;
}

std::optional<DesignSnapshot> DesignMenu::shownDesign(const CaptureParts& parts) {
    if (const std::string stale = staleResultsRefusal(program_); !stale.empty()) {
        program_.error(stale);
        return std::nullopt;
    }
    const Json shown = snapshotJson(panelSnapshot(program_));
    std::string why;
    // The looks as the dialog divides the trial itself, else as it shows them now.
    for (bool withLooks : {false, true}) {
        std::string stopped;
        const auto design = computed(typedInputs(program_, withLooks), parts, stopped);
        if (!design) {
            if (why.empty()) why = "it stops at \"" + stopped + "\"";
            continue;
        }
        const auto difference = firstDifference(shown, snapshotJson(*design));
        if (!difference) return design;
        why = "its results differ first at " + placeAsShown(program_.panel(), placeOf(*difference));
    }
    program_.error(
        "The panel shows results that its inputs no longer give: entered again, the design " + why +
        ". Compute the design again from the inputs shown (the looks, \"a\" or \"rho\", and "
        "\"Sequential Design\"), then try again.");
    return std::nullopt;
}

void DesignMenu::save() {
    const auto design = shownDesign({true, true, false});
    if (!design) return;
    const auto chosen = chooseFile(designRequest(true), true);
    if (!chosen) return;
    const std::string target = designFileTarget(*chosen);
    const auto file = fileOf(*design);  // its title and notes stay with the design
    const auto looks = analysedLooks();
    if (!saved(target, designFileText(*design, file ? file->title : "", file ? file->notes : "",
                                      looks ? &*looks : nullptr)))
        return;
    recent_.add(target);
    showRecent();
}

void DesignMenu::exportTables() {
    const auto design = shownDesign({true, true, true});
    if (!design) return;
    const auto chosen = chooseFile(tablesRequest(), true);
    if (!chosen) return;
    const auto [boundaries, curves] = tableFiles(*chosen);
    if (saved(boundaries, boundariesCsv(*design))) saved(curves, curvesCsv(*design));
}

void DesignMenu::copyCommand() {
    const auto design = shownDesign({true, false, false});
    if (!design) return;
    const std::string command = designCommand(design->inputs);
    program_.platform().copyText(command);
    if (program_.frame().hasTextWindow()) program_.frame().insertText(command);
}

void DesignMenu::chooseAndOpen() {
    if (const auto chosen = chooseFile(designRequest(false), false)) open(*chosen);
}

void DesignMenu::openRecent(std::size_t index) {
    // A copy: opening the file reorders the list.
    const std::string path = recent_.files().at(index);
    open(path);
}

void DesignMenu::enterLive(const DesignInputs& inputs) {
    // Entries kept in the information-time dialog were made for the design shown; the file's
    // design takes the dialog's own division of the trial, or the looks the file gives.
    Dialog& times = program_.dialog(kInfoTimeDialog);
    times.setLogical(infotimes::kDefaultEntry, true);
    times.setLogical(infotimes::kKeepChanges, false);
    const AfterAction nothing = [] {};
    try {
        enterFixedDesign(program_, inputs, nothing);
        enterSequentialDesign(program_, inputs, nothing);
    } catch (const ControlRefused& refused) {
        program_.error(std::string("The design cannot be entered: ") + refused.what() + ".");
    }
}

void DesignMenu::open(const std::string& path) {
    DesignFile file;
    try {
        file = readDesignFile(path);
    } catch (const DesignFileError& refused) {
        std::error_code error;
        if (!std::filesystem::exists(path, error)) {
            recent_.drop(path);
            showRecent();
        }
        program_.error(refused.what());
        return;
    }
    // Computed first, so that a design the program cannot compute leaves the panel as it is.
    const CaptureParts parts{true, true, file.derived.contains("powerFunction")};
    std::string why;
    const auto design = computed(file.inputs, parts, why);
    if (!design) {
        program_.error("The design file " + path +
                       " holds a design that cannot be computed: " + why);
        return;
    }
    enterLive(file.inputs);
    const io::ReadResult bytes = io::readFile(path, kDesignFileBytes);
    opened_ = OpenedDesignFile{path, file.title, file.notes,
                               bytes ? io::sha256Hex(*bytes.bytes) : std::string(),
                               inputsCommand(*design)};
    recent_.add(path);
    showRecent();
    if (!program_.sequential().designComputed) return;
    // What the panel shows now, and the dialogs' results of the same inputs.
    Json now = snapshotJson(*design);
    const Json shown = snapshotJson(panelSnapshot(program_));
    for (const char* key : {"design", "panel", "looks"})
        now[key] = shown.at(key);
    if (const auto notice = resultsDiffer(file, now)) {
        Message message{std::string(kDesignFileCaption), *notice, MessageIcon::Exclamation};
        message.notice = true;
        program_.platform().messageBox(message);
    }
    // The trial's looks come back analysed, so that a save keeps them with the design.
    if (file.trial) {
        putLooks(program_, file.trial->looks, file.trial->confidence);
        analyseLooks(program_);
    }
}

std::optional<TrialRecord> DesignMenu::analysedLooks() {
    const TrialContext& trial = program_.trialContext();
    if (!analysisCurrent(trial)) return std::nullopt;
    return TrialRecord{trial.trial.looks, trial.trial.confidence};
}

std::optional<OpenedDesignFile> DesignMenu::fileOf(const DesignSnapshot& shown) const {
    if (!opened_ || opened_->command != inputsCommand(shown)) return std::nullopt;
    return opened_;
}

}  // namespace qalix
