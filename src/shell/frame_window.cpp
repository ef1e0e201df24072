#include "shell/frame_window.hpp"

#include <array>
#include <stdexcept>

#include "design/panel_ids.hpp"
#include "samples/sample_files.hpp"
#include "shell/about_box.hpp"
#include "shell/menu_ids.hpp"
#include "shell/program.hpp"
#include "shell/text_files.hpp"
#include "ui/common_dialog_errors.hpp"

namespace qalix {

namespace {

using namespace menu;

constexpr int kWindowFontHeight = 16;
constexpr std::string_view kWindowFontFace = "Times New Roman";
constexpr std::size_t kTitleNameLength = 40;

constexpr std::string_view kHelpFailure = "Unable to activate help";
constexpr std::string_view kHelpCaption = "QALIXinfWin";

constexpr std::string_view kOpenedTextTitle = " Text File:  ";
constexpr std::string_view kSavedTextTitle = " TEXT File:  ";

// Items each mode greys (false) or enables (true); the others keep their state.
struct ModeItems {
    int command;
    bool inText;
    bool inGraphic;
};
constexpr std::array<ModeItems, 9> kModeItems = {{{kPlotBoundary, false, true},
                                                  {kPlotPower, false, true},
                                                  {kPlotExpectedSize, false, true},
                                                  {kSaveSimulation, true, false},
                                                  {kImportSimulated, true, false},
                                                  {kImportObserved, true, false},
                                                  {kImportVariableNames, true, false},
                                                  {kPrintMetafile, false, true},
                                                  {kPrintText, true, false}}};
constexpr std::array kEditItems = {kUndo, kCut, kCopy, kPaste};

// Commands whose work the program does not do yet: greyed whatever the mode.
constexpr std::array kNotYetBuilt = {kPlotBoundary,  kPlotPower,    kPlotExpectedSize,
                                     kPlotSimulated, kPlotImported, kPrintMetafile,
                                     kPrintText,     kPageSetup};

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
constexpr std::string_view kSavedSimulationTitle = " Text File: Save Simulation:  ";

// Commands that act only in one mode.
constexpr std::array kTextOnly = {
    kSaveSimulation, kImportSimulated, kImportObserved, kImportVariableNames, kUndo, kCut, kCopy,
    kPaste};

FileRequest textFileRequest() {
    return {{{"Text files (*.txt)", "*.txt"}}, "txt", {}, false};
}

FileRequest metafileRequest() {
    return {{{"Meta files (*.emf)", "*.emf"}}, "emf", {}, true};
}

bool contains(const auto& list, int id) {
    for (int item : list) {
        if (item == id) return true;
    }
    return false;
}

}  // namespace

FontDescription INITIALIZEFONT() {
    FontDescription font;
    font.height = kWindowFontHeight;
    font.face = std::string(kWindowFontFace);
    return font;
}

std::string titleName(std::string_view path) {
    const auto slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name.substr(0, kTitleNameLength));
}

FrameWindow::FrameWindow(Program& program)
    : program_(program), font_(INITIALIZEFONT()), fileRequest_(textFileRequest()) {
    auto menu = MenuModel::load("frame");
    if (!menu) throw std::logic_error("the frame menu resource is missing");
    menu_ = std::move(*menu);
    for (int id : kNotYetBuilt)
        menu_.setEnabled(id, false);
}

void FrameWindow::changed(FrameChange change) {
    const auto observers = observers_;
    for (const auto& [token, observer] : observers)
        observer(change);
}

int FrameWindow::observe(Observer observer) {
    observers_.emplace(nextObserver_, std::move(observer));
    return nextObserver_++;
}

void FrameWindow::unobserve(int token) {
    observers_.erase(token);
}

void FrameWindow::setTitle(std::string title) {
    title_ = std::move(title);
    changed(FrameChange::Title);
}

void FrameWindow::setText(std::string text) {
    text_ = std::move(text);
    changed(FrameChange::Text);
}

void FrameWindow::userEdit(std::string text) {
    text_ = std::move(text);
}

void FrameWindow::setSimulationPlotEnabled(bool enabled) {
    simulationPlot_ = enabled;
    menu_.setEnabled(kPlotSimulated, enabled && !contains(kNotYetBuilt, kPlotSimulated));
}

void FrameWindow::show() {
    shown_ = true;
    minimised_ = false;
    changed(FrameChange::Shown);
}

void FrameWindow::minimise() {
    minimised_ = true;
    changed(FrameChange::Shown);
}

void FrameWindow::userClose() {
    // The program cannot go on usefully without the window its results are shown in.
    program_.platform().quit(0);
}

void FrameWindow::greyByMode() {
    const bool text = mode_ == FrameMode::Text;
    const auto set = [this](int id, bool enabled) {
        menu_.setEnabled(id, enabled && !contains(kNotYetBuilt, id));
    };
    for (const ModeItems& item : kModeItems)
        set(item.command, text ? item.inText : item.inGraphic);
    for (int id : kEditItems)
        set(id, text);
    const DesignRecord& r = program_.record();
    set(kPlotSimulated, !text && r.simReady);
    set(kPlotImported, !text && r.importAvailable);
}

void FrameWindow::setUpMode() {
    DesignRecord& r = program_.record();
    r.importedChosen = program_.panel().getLogical(panel::kImportedSamples);
    if (r.textChosen) {
        mode_ = FrameMode::Text;
        text_ = std::string(kNewTextWindow);
        title_ = std::string(kTextTitle);
        fileRequest_ = textFileRequest();
    } else if (r.graphicChosen) {
        mode_ = FrameMode::Graphic;
        text_.clear();
        title_ = std::string(kGraphicTitle);
        fileRequest_ = metafileRequest();
    } else {
        return;
    }
    greyByMode();
    changed(FrameChange::Mode);
    changed(FrameChange::Title);
}

bool FrameWindow::modeAllows(int id) const {
    if (contains(kTextOnly, id)) return mode_ == FrameMode::Text;
    return true;
}

void FrameWindow::accelerator(std::string_view key) {
    if (const auto id = menu_.accelerated(key)) command(*id);
}

void FrameWindow::command(int id) {
    if (menu_.has(id) && !menu_.enabled(id)) return;
    if (!modeAllows(id)) return;
    switch (id) {
        case kOpen:
            if (mode_ == FrameMode::Text) openText();
            break;
        case kSave:
            if (mode_ == FrameMode::Text) saveText(textPath_.empty());
            break;
        case kSaveAs:
            if (mode_ == FrameMode::Text) saveText(true);
            break;
        case kClose:
            minimise();
            break;
        case kUndo:
            editAction(EditAction::Undo);
            break;
        case kCut:
            editAction(EditAction::Cut);
            break;
        case kCopy:
            editAction(EditAction::Copy);
            break;
        case kPaste:
            editAction(EditAction::Paste);
            break;
        case kChangeFont:
            changeFont();
            break;
        case kGraphicWindow:
        case kTextWindow: {
            DesignRecord& r = program_.record();
            r.graphicChosen = id == kGraphicWindow;
            r.textChosen = id == kTextWindow;
            setUpMode();
            break;
        }
        case kSaveSimulation:
            saveSimulation();
            break;
        case kImportSimulated:
        case kImportObserved:
        case kImportVariableNames:
            importSamples(id);
            break;
        case kAbout:
            showAbout();
            break;
        case kHelpContents:
            openHelp(HelpRequest::Contents);
            break;
        case kHelpSearch:
            openHelp(HelpRequest::Search);
            break;
        case kHowToUseHelp:
            openHelp(HelpRequest::HowToUseHelp);
            break;
        default:
            break;
    }
}

void FrameWindow::openText() {
    Platform& platform = program_.platform();
    const FileChoice choice = platform.openFile(fileRequest_);
    if (choice.outcome != DialogOutcome::Accepted) {
        COMDLGER(platform, choice.outcome == DialogOutcome::Failed ? choice.errorCode : 0);
        return;
    }
    textPath_ = choice.path;
    setTitle(std::string(kOpenedTextTitle) + titleName(choice.path));
    LOADFILE(*this, platform, choice.path);
}

void FrameWindow::saveText(bool askForName) {
    Platform& platform = program_.platform();
    if (askForName) {
        const FileChoice choice = platform.saveFile(fileRequest_);
        if (choice.outcome != DialogOutcome::Accepted) {
            COMDLGER(platform, choice.outcome == DialogOutcome::Failed ? choice.errorCode : 0);
            return;
        }
        textPath_ = choice.path;
        setTitle(std::string(kSavedTextTitle) + titleName(choice.path));
    }
    SAVEFILE(*this, platform, textPath_);
}

std::optional<std::string> FrameWindow::askForFile(bool save) {
    Platform& platform = program_.platform();
    const FileChoice choice =
        save ? platform.saveFile(fileRequest_) : platform.openFile(fileRequest_);
    if (choice.outcome == DialogOutcome::Accepted) return choice.path;
    COMDLGER(platform, choice.outcome == DialogOutcome::Failed ? choice.errorCode : 0);
    return std::nullopt;
}

void FrameWindow::saveSimulation() {
    const auto path = askForFile(true);
    if (!path) return;
    textPath_ = *path;
    setTitle(std::string(kSavedSimulationTitle) + titleName(*path));
    if (SAVESIMU(program_, *path)) LOADFILE(*this, program_.platform(), *path);
}

void FrameWindow::importSamples(int id) {
    const ImportCommand* import = &kImports.front();
    for (const ImportCommand& candidate : kImports) {
        if (candidate.command == id) import = &candidate;
    }
    const auto path = askForFile(false);
    if (!path) return;
    textPath_ = *path;
    setTitle(std::string(import->title) + titleName(*path));
    DesignRecord& r = program_.record();
    r.importKind = import->kind;
    LOADFILE(*this, program_.platform(), *path);
    IMPORTSAMPLE(program_, *path);
    if (import->makesSamplesAvailable && r.importReady) {
        program_.panel().setLogical(panel::kImportedSamples, true, Index::Enabled);
        r.importAvailable = true;
    }
}

void FrameWindow::changeFont() {
    Platform& platform = program_.platform();
    const FontChoice choice = platform.chooseFont(font_);
    if (choice.outcome != DialogOutcome::Accepted) {
        COMDLGER(platform, choice.outcome == DialogOutcome::Failed ? choice.errorCode : 0);
        return;
    }
    font_ = choice.font;
    changed(FrameChange::Font);
}

void FrameWindow::editAction(EditAction action) {
    if (mode_ != FrameMode::Text) return;
    lastEdit_ = action;
    changed(FrameChange::EditAction);
}

void FrameWindow::openHelp(HelpRequest request) {
    Platform& platform = program_.platform();
    if (platform.openHelp(request)) return;
    platform.messageBox(
        {std::string(kHelpCaption), std::string(kHelpFailure), MessageIcon::Stop,
         request == HelpRequest::HowToUseHelp ? MessageOwner::Focus : MessageOwner::Frame, true});
}

void FrameWindow::showAbout() {
    Dialog& about = program_.dialog(kAboutDialog);
    ABOUTDLG(about);
    program_.platform().showModal(about);
}

}  // namespace qalix
