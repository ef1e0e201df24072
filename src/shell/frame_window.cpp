#include "shell/frame_window.hpp"

#include <array>
#include <stdexcept>

#include "design/panel_ids.hpp"
#include "graphics/metafile_export.hpp"
#include "graphics/plot_dialogs.hpp"
#include "graphics/plot_ids.hpp"
#include "graphics/plot_imported_ids.hpp"
#include "graphics/plot_pass.hpp"
#include "graphics/plot_simulations_ids.hpp"
#include "graphics/printing.hpp"
#include "io/files.hpp"
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

constexpr std::string_view kEndQuestion =
    "The text window holds changes that are not saved.\n\nEnd the program?";

constexpr std::string_view kOpenedTextTitle = " Text File:  ";
constexpr std::string_view kSavedTextTitle = " TEXT File:  ";

// Items each mode greys (false) or enables (true); the others keep their state.
struct ModeItems {
    int command;
    bool inText;
    bool inGraphic;
};
constexpr std::array<ModeItems, 6> kModeItems = {{{kSaveSimulation, true, false},
                                                  {kImportSimulated, true, false},
                                                  {kImportObserved, true, false},
                                                  {kImportVariableNames, true, false},
                                                  {kPrintMetafile, false, true},
                                                  {kPrintText, true, false}}};
constexpr std::array kEditItems = {kUndo, kCut, kCopy, kPaste};

// The plot commands: the plot and its dialog, and what the frame keeps once it has closed:
// the plot shown last (plotTag, for "Save As...") and whose sample paths (sampleSource). The
// plain boundary plot draws no paths.
struct PlotCommand {
    int command;
    PlotKind kind;
    int dialog;
    std::string_view tag;
    std::string_view sampleSource;
    bool withoutPaths;
};
constexpr std::array<PlotCommand, 5> kPlotCommands = {{
    {kPlotBoundary, PlotKind::Boundary, kPlotDialog, kBoundaryTag, "", true},
    {kPlotPower, PlotKind::Power, kPlotDialog, kPowerTag, "", false},
    {kPlotExpectedSize, PlotKind::ExpectedSize, kPlotDialog, kExpectedSizeTag, "", false},
    {kPlotSimulated, PlotKind::Boundary, kPlotSimulationsDialog, kBoundaryTag, "Simu", false},
    {kPlotImported, PlotKind::Boundary, kPlotImportedDialog, kBoundaryTag, "Observ", false},
}};

// The metafile writer "Save As..." chooses by the plot shown last; before any plot, the
// boundary plot, which "Save" always writes.
PlotKind taggedPlot(const DesignRecord& r) {
    if (r.plotTag == kPowerTag) return PlotKind::Power;
    if (r.plotTag == kExpectedSizeTag) return PlotKind::ExpectedSize;
    return PlotKind::Boundary;
}

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

// Metafiles, and the pictures of the current plot "Save As..." also writes.
FileRequest metafileRequest() {
    return {{{"Meta files (*.emf)", "*.emf"},
             {"SVG pictures (*.svg)", "*.svg"},
             {"PDF documents (*.pdf)", "*.pdf"},
             {"PNG pictures (*.png)", "*.png"}},
            "emf",
            {},
            true};
}

// A picture file rather than a metafile, by the name's extension.
bool isPictureFile(const std::string& path) {
    const std::string extension = io::lowercaseExtension(path);
    return extension == ".svg" || extension == ".pdf" || extension == ".png";
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

std::string baseName(std::string_view path) {
    const auto slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

std::string titleName(std::string_view path) {
    return baseName(path).substr(0, kTitleNameLength);
}

FrameWindow::FrameWindow(Program& program)
    : program_(program), font_(INITIALIZEFONT()), fileRequest_(textFileRequest()) {
    auto menu = MenuModel::load("frame");
    if (!menu) throw std::logic_error("the frame menu resource is missing");
    menu_ = std::move(*menu);
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
    textModified_ = false;
    changed(FrameChange::Text);
}

void FrameWindow::userEdit(std::string text) {
    text_ = std::move(text);
    textModified_ = true;
}

void FrameWindow::setSimulationPlotEnabled(bool enabled) {
    simulationPlot_ = enabled;
    menu_.setEnabled(kPlotSimulated, enabled && designComputed_);
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
    if (confirmEnd()) program_.platform().quit(0);
}

bool FrameWindow::confirmEnd() {
    if (!textModified_) return true;
    Message question{std::string(kFrameTitle), std::string(kEndQuestion), MessageIcon::Question};
    question.buttons = MessageButtons::YesNo;
    return program_.platform().messageBox(question) == kIdYes;
}

void FrameWindow::greyItems() {
    const bool text = mode_ == FrameMode::Text;
    const auto set = [this](int id, bool enabled) { menu_.setEnabled(id, enabled); };
    if (mode_ != FrameMode::None) {
        for (const ModeItems& item : kModeItems)
            set(item.command, text ? item.inText : item.inGraphic);
        for (int id : kEditItems)
            set(id, text);
    }
    // What draws or saves the design waits until "Sequential Design" has computed one.
    const bool drawable = designComputed_ && !text;
    const DesignRecord& r = program_.record();
    for (int id : {kPlotBoundary, kPlotPower, kPlotExpectedSize})
        set(id, drawable);
    set(kPlotSimulated, drawable && r.simReady);
    set(kPlotImported, drawable && r.importAvailable);
    set(kGraphicWindow, designComputed_);
    const bool saves = designComputed_ || mode_ != FrameMode::Graphic;
    set(kSave, saves);
    set(kSaveAs, saves);
}

void FrameWindow::setDesignComputed(bool computed) {
    designComputed_ = computed;
    if (!computed && picture_) {
        picture_.reset();  // a plot of the design that went
        changed(FrameChange::Picture);
    }
    greyItems();
}

void FrameWindow::setUpMode() {
    DesignRecord& r = program_.record();
    r.importedChosen = program_.panel().getLogical(panel::kImportedSamples);
    if (r.textChosen) {
        mode_ = FrameMode::Text;
        picture_.reset();
        text_ = std::string(kNewTextWindow);
        textModified_ = false;
        title_ = std::string(kTextTitle);
        fileRequest_ = textFileRequest();
    } else if (r.graphicChosen) {
        mode_ = FrameMode::Graphic;
        text_.clear();
        textModified_ = false;
        title_ = std::string(kGraphicTitle);
        fileRequest_ = metafileRequest();
    } else {
        return;
    }
    greyItems();
    changed(FrameChange::Mode);
    changed(FrameChange::Title);
    changed(FrameChange::Picture);
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
            if (mode_ == FrameMode::Graphic) openMetafile();
            break;
        case kSave:
            if (mode_ == FrameMode::Text) saveText(textPath_.empty());
            if (mode_ == FrameMode::Graphic) saveBoundaryMetafile();
            break;
        case kSaveAs:
            if (mode_ == FrameMode::Text) saveText(true);
            if (mode_ == FrameMode::Graphic) saveMetafileAs();
            break;
        case kPlotBoundary:
        case kPlotPower:
        case kPlotExpectedSize:
        case kPlotSimulated:
        case kPlotImported:
            runPlot(id);
            break;
        case kClose:
            minimise();
            break;
        case kPageSetup:
            pageSetup();
            break;
        case kPrintMetafile:
            printMetafile(program_.platform(), openedMetafile());
            break;
        case kPrintText:
            PRINTFILE(program_.platform(), text_, pageSetup_);
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
    const auto path = askForFile(false);
    if (!path) return;
    textPath_ = *path;
    setTitle(std::string(kOpenedTextTitle) + titleName(*path));
    LOADFILE(*this, program_.platform(), *path);
}

void FrameWindow::saveText(bool askForName) {
    if (askForName) {
        const auto path = askForFile(true);
        if (!path) return;
        textPath_ = *path;
        setTitle(std::string(kSavedTextTitle) + titleName(*path));
    }
    if (SAVEFILE(*this, program_.platform(), textPath_)) textModified_ = false;
}

std::optional<std::string> FrameWindow::askForFile(bool save) {
    Platform& platform = program_.platform();
    const FileChoice choice =
        save ? platform.saveFile(fileRequest_) : platform.openFile(fileRequest_);
    if (!acceptedOrReported(platform, choice)) return std::nullopt;
    return choice.path;
}

void FrameWindow::setClientRect(Rect client) {
    client_ = client;
}

void FrameWindow::setPicture(RecordingCanvas picture) {
    picture_ = std::move(picture);
    changed(FrameChange::Picture);
}

void FrameWindow::paint(Canvas& canvas) const {
    if (mode_ == FrameMode::Text) return;
    if (picture_) {
        picture_->replay(canvas);
    } else if (opened_) {
        opened_->play(canvas, {0, 0, kPlotPage.right - 1, kPlotPage.bottom - 1});
    }
}

void FrameWindow::runPlot(int id) {
    const PlotCommand* plot = &kPlotCommands.front();
    for (const PlotCommand& candidate : kPlotCommands) {
        if (candidate.command == id) plot = &candidate;
    }
    DesignRecord& r = program_.record();
    if (plot->withoutPaths) r.plotSource = "None";
    runPlotDialog(program_, plot->kind, plot->dialog);
    r.plotTag = plot->tag;
    if (!plot->sampleSource.empty()) r.sampleSource = plot->sampleSource;
}

void FrameWindow::openMetafile() {
    const auto path = askForFile(false);
    if (!path) return;
    setTitle(std::string(kMetafileTitle) + titleName(*path));
    picture_.reset();
    opened_.reset();
    try {
        opened_ = EmfPlayer::open(*path);
    } catch (const MetafileError& e) {
        program_.error(e.what());
    }
    changed(FrameChange::Picture);
}

// The save dialog names the metafile: the file is kept for "Save".
bool FrameWindow::nameMetafile() {
    const auto path = askForFile(true);
    if (!path) return false;
    keepMetafileName(*path);
    return true;
}

void FrameWindow::keepMetafileName(const std::string& path) {
    setTitle(std::string(kMetafileTitle) + titleName(path));
    metafileFile_ = metafileTarget(path);
    metafileName_ = baseName(path);
    if (metafileName_.size() < kMetafileNameLength) metafileName_.resize(kMetafileNameLength, ' ');
}

// "Save" writes the boundary plot under the name chosen last; before any name was chosen it
// asks for one, as "Save As..." does.
void FrameWindow::saveBoundaryMetafile() {
    const bool named = metafileName_.find_first_not_of(' ') != std::string::npos;
    if (!named && !nameMetafile()) return;
    SAVEEMFBOUND(program_, metafileFile_);
}

// By the type chosen: a metafile of the plot shown last, or a picture file of what the
// graphic window shows.
void FrameWindow::saveMetafileAs() {
    const auto path = askForFile(true);
    if (!path) return;
    if (isPictureFile(*path)) {
        savePicture(*path);
        return;
    }
    keepMetafileName(*path);
    saveMetafile(program_, taggedPlot(program_.record()), metafileFile_);
}

void FrameWindow::savePicture(const std::string& path) {
    const auto draw = [this](Canvas& canvas) {
        if (picture_) {
            picture_->replay(canvas);
        } else {
            paintPlot(program_, taggedPlot(program_.record()), canvas);
        }
    };
    std::string reason;
    if (program_.platform().savePicture(path, client_.width(), client_.height(), draw, reason)) {
        setTitle(std::string(kPictureTitle) + titleName(path));
    } else {
        program_.error("Cannot save the picture: " + reason + ".");
    }
}

void FrameWindow::pageSetup() {
    Platform& platform = program_.platform();
    const PageSetupChoice choice = platform.pageSetup(pageSetup_);
    if (acceptedOrReported(platform, choice)) pageSetup_ = choice.setup;
}

void FrameWindow::saveSimulation() {
    const auto path = askForFile(true);
    if (!path) return;
    textPath_ = *path;
    setTitle(std::string(kSavedSimulationTitle) + titleName(*path));
    if (SAVESIMU(program_, *path))
        showWhatFits(*this, program_.platform(), *path, kSampleFileBytes);
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
    // Read once: what the text window shows is what is imported.
    const auto text = showWhatFits(*this, program_.platform(), *path, kSampleFileBytes);
    if (!text) return;
    importSampleText(program_, *text);
    if (import->makesSamplesAvailable && r.importReady) {
        program_.panel().setLogical(panel::kImportedSamples, true, Index::Enabled);
        r.importAvailable = true;
    }
}

void FrameWindow::changeFont() {
    Platform& platform = program_.platform();
    const FontChoice choice = platform.chooseFont(font_);
    if (!acceptedOrReported(platform, choice)) return;
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
