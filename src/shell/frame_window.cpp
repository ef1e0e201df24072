#include "shell/frame_window.hpp"

#include <array>
#include <stdexcept>

#include "design/context.hpp"
#include "design/panel_ids.hpp"
#include "graphics/graphics_commands.hpp"
#include "graphics/printing.hpp"
#include "samples/import_ids.hpp"
#include "samples/simulation_ids.hpp"
#include "shell/about_box.hpp"
#include "shell/text_files.hpp"
#include "ui/common_dialog_errors.hpp"
#include "ui/file_titles.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

using namespace menu;

constexpr int kWindowFontHeight = 16;
constexpr std::string_view kWindowFontFace = "Times New Roman";
constexpr std::string_view kTextFontFace = "Courier New";

constexpr std::string_view kEndQuestion =
    "The text window holds changes that are not saved.\n\nEnd the program?";
constexpr std::string_view kDiscardQuestion =
    "The text window holds changes that are not saved.\n\nDiscard them?";

constexpr std::string_view kEarlierPlot =
    "This plot is of a design computed before: choose it again from the Plot menu.";

constexpr std::string_view kOpenedTextTitle = " Text File:  ";
constexpr std::string_view kSavedTextTitle = " TEXT File:  ";

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

}  // namespace

FontDescription INITIALIZEFONT() {
    FontDescription font;
    font.height = kWindowFontHeight;
    font.face = std::string(kWindowFontFace);
    return font;
}

FontDescription textWindowFont() {
    FontDescription font;
    font.height = kWindowFontHeight;
    font.face = std::string(kTextFontFace);
    font.pitchAndFamily = FontDescription::kFixedPitch | FontDescription::kModernFamily;
    return font;
}

FrameWindow::FrameWindow(FrameContext context)
    : context_(context), font_(textWindowFont()), fileRequest_(textFileRequest()) {
    auto menu = MenuModel::load("frame");
    if (!menu) throw std::logic_error("the frame menu resource is missing");
    menu_ = std::move(*menu);
    addOwnCommands();
}

// The frame's own commands: the text window's files and edits, printing it, the page set-up,
// the windows, the font, help and the about box.
void FrameWindow::addOwnCommands() {
    FrameCommands& c = commands_;
    c.add({kNew, kTextMode, [this] { newText(); }});
    c.add({kOpen, kTextMode, [this] { openText(); }});
    c.add({kSave, kTextMode, [this] { saveText(textPath_.empty()); }});
    c.add({kSaveAs, kTextMode, [this] { saveText(true); }});
    c.add({kPrintText, kTextMode, [this] { PRINTFILE(context_.platform, text_, pageSetup_); }});
    const std::array<std::pair<int, EditAction>, 4> edits = {{{kUndo, EditAction::Undo},
                                                              {kCut, EditAction::Cut},
                                                              {kCopy, EditAction::Copy},
                                                              {kPaste, EditAction::Paste}}};
    for (const auto& [id, action] : edits)
        c.add({id, kTextMode, [this, action = action] { editAction(action); }});
    c.add({kPageSetup, kAnyMode, [this] { pageSetup(); }});
    c.add({kClose, kAnyMode, [this] { minimise(); }});
    c.add({kExit, kAnyMode, [this] { userClose(); }});
    c.add({kChangeFont, kAnyMode, [this] { changeFont(); }});
    // Before a design, the graphic window has only a comparison's curves to show.
    c.add({kGraphicWindow, kAnyMode, [this] { chooseWindow(true); },
           [this] { return designComputed() || context_.graphics.picture.has_value(); }});
    c.add({kTextWindow, kAnyMode, [this] { chooseWindow(false); }});
    c.add({kHelpContents, kAnyMode, [this] { openHelp(HelpRequest::Contents); }});
    c.add({kHelpSearch, kAnyMode, [this] { openHelp(HelpRequest::Search); }});
    c.add({kHowToUseHelp, kAnyMode, [this] { openHelp(HelpRequest::HowToUseHelp); }});
    c.add({kAbout, kAnyMode, [this] { showAbout(); }});
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

// The program's write of a text that stands for a file: loaded, or just saved.
void FrameWindow::setText(std::string text) {
    text_ = std::move(text);
    textModified_ = false;
    changed(FrameChange::Text);
}

void FrameWindow::insertText(std::string text) {
    text_ += text;
    textModified_ = true;
    insertion_ = std::move(text);
    changed(FrameChange::Insert);
}

void FrameWindow::userEdit(std::string text) {
    text_ = std::move(text);
    textModified_ = true;
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

void FrameWindow::showInChosenMode() {
    show();
    setUpMode();
}

void FrameWindow::userClose() {
    // The program cannot go on usefully without the window its results are shown in.
    if (confirmEnd()) context_.platform.quit(0);
}

namespace {

bool answeredYes(Platform& platform, std::string_view text) {
    Message question{std::string(kFrameTitle), std::string(text), MessageIcon::Question};
    question.buttons = MessageButtons::YesNo;
    return platform.messageBox(question) == kIdYes;
}

}  // namespace

bool FrameWindow::confirmEnd() {
    return !textModified_ || answeredYes(context_.platform, kEndQuestion);
}

bool FrameWindow::mayReplaceText() {
    return !textModified_ || answeredYes(context_.platform, kDiscardQuestion);
}

// Every item the table holds is enabled exactly when its command can run now, and a greyed
// one tells why when the table knows.
void FrameWindow::refreshMenu() {
    for (int id : commands_.ids()) {
        if (!menu_.has(id)) continue;
        menu_.setEnabled(id, commands_.enabled(id, mode_));
        menu_.setReason(id, commands_.refusal(id));
    }
}

bool FrameWindow::simulationPlotEnabled() const {
    return commands_.enabled(kPlotSimulated, FrameMode::Graphic);
}

void FrameWindow::designComputed(bool computed) {
    if (!computed) {
        // Their sets and records, and the plot shown, were made for the design that went.
        for (int id : {kSimulationDialog, kImportDialog}) {
            DialogSet& dialogs = context_.dialogs;
            if (dialogs.has(id) && dialogs.get(id).isOpen()) dialogs.get(id).end(kIdCancel);
        }
        if (context_.graphics.picture) {
            context_.graphics.picture.reset();
            changed(FrameChange::Picture);
        }
    }
    refreshMenu();
}

void FrameWindow::setUpMode() {
    DesignRecord& r = context_.record;
    r.importedChosen = context_.dialogs.get(kPanelDialog).getLogical(panel::kImportedSamples);
    if (r.textChosen) {
        mode_ = FrameMode::Text;
        title_ = std::string(kTextTitle);
        fileRequest_ = textFileRequest();
    } else if (r.graphicChosen) {
        mode_ = FrameMode::Graphic;
        title_ = std::string(kGraphicTitle);
        fileRequest_ = metafileRequest();
    } else {
        return;
    }
    // The panel's window buttons show the window, also when the menus chose it.
    Dialog& panel = context_.dialogs.get(kPanelDialog);
    const int pressed = mode_ == FrameMode::Text ? panel::kTextWindow : panel::kGraphicWindow;
    for (int button : {panel::kGraphicWindow, panel::kTextWindow, panel::kCloseWindow}) {
        if (panel.getLogical(button) != (button == pressed))
            panel.setLogical(button, button == pressed);
    }
    refreshMenu();
    changed(FrameChange::Mode);
    changed(FrameChange::Title);
    changed(FrameChange::Picture);
}

void FrameWindow::chooseWindow(bool graphic) {
    DesignRecord& r = context_.record;
    r.graphicChosen = graphic;
    r.textChosen = !graphic;
    setUpMode();
}

void FrameWindow::accelerator(std::string_view key) {
    if (const auto id = menu_.accelerated(key)) command(*id);
}

void FrameWindow::command(int id) {
    context_.dialogs.requireInput(nullptr, "choose menu command " + std::to_string(id));
    // A greyed item does nothing, as every greyed item does; its tip says why.
    if (const FrameCommand* row = commands_.find(id, mode_)) row->run();
}

void FrameWindow::newText() {
    if (!mayReplaceText()) return;
    textPath_.clear();
    setText(std::string(kNewTextWindow));
    setTitle(std::string(kTextTitle));
}

void FrameWindow::openText() {
    if (!mayReplaceText()) return;
    const auto path = askForFile(false);
    if (!path) return;
    textPath_ = *path;
    setTitle(std::string(kOpenedTextTitle) + titleName(*path));
    LOADFILE(*this, context_.platform, *path);
}

void FrameWindow::saveText(bool askForName) {
    if (askForName) {
        const auto path = askForFile(true);
        if (!path) return;
        textPath_ = *path;
        setTitle(std::string(kSavedTextTitle) + titleName(*path));
    }
    if (SAVEFILE(*this, context_.platform, textPath_)) textModified_ = false;
}

std::optional<std::string> FrameWindow::askForFile(bool save) {
    Platform& platform = context_.platform;
    const FileChoice choice =
        save ? platform.saveFile(fileRequest_) : platform.openFile(fileRequest_);
    if (!acceptedOrReported(platform, choice)) return std::nullopt;
    return choice.path;
}

std::optional<std::string> FrameWindow::showFile(const std::string& path, std::size_t maxBytes) {
    return showWhatFits(*this, context_.platform, path, maxBytes);
}

const RecordingCanvas* FrameWindow::picture() const {
    const auto& picture = context_.graphics.picture;
    return picture ? &*picture : nullptr;
}

const EmfPlayer* FrameWindow::openedMetafile() const {
    const auto& opened = context_.graphics.opened;
    return opened ? &*opened : nullptr;
}

// A plot of the design is marked when its results are for earlier inputs, or when the design
// was computed again, from other inputs, since it was drawn.
std::string FrameWindow::pictureNotice() const {
    const SequentialState& s = context_.sequential;
    if (s.resultsStale) return context_.dialogs.get(kPanelDialog).getText(panel::kStaleNotice);
    if (context_.graphics.pictureInputs != s.resultInputs) return std::string(kEarlierPlot);
    return {};
}

void FrameWindow::paint(Canvas& canvas) const {
    if (mode_ == FrameMode::Text) return;
    paintGraphicWindow(context_.graphics, canvas, pictureNotice());
}

void FrameWindow::pageSetup() {
    Platform& platform = context_.platform;
    const PageSetupChoice choice = platform.pageSetup(pageSetup_);
    if (acceptedOrReported(platform, choice)) pageSetup_ = choice.setup;
}

void FrameWindow::changeFont() {
    Platform& platform = context_.platform;
    const FontChoice choice = platform.chooseFont(font_);
    if (!acceptedOrReported(platform, choice)) return;
    font_ = choice.font;
    changed(FrameChange::Font);
}

void FrameWindow::editAction(EditAction action) {
    lastEdit_ = action;
    changed(FrameChange::EditAction);
}

void FrameWindow::openHelp(HelpRequest request) {
    Platform& platform = context_.platform;
    if (platform.openHelp(request)) return;
    platform.messageBox(
        {std::string(kHelpCaption), std::string(kHelpFailure), MessageIcon::Stop,
         request == HelpRequest::HowToUseHelp ? MessageOwner::Focus : MessageOwner::Frame, true});
}

void FrameWindow::showAbout() {
    Dialog& about = context_.dialogs.get(kAboutDialog);
    ABOUTDLG(about);
    context_.platform.showModal(about);
}

}  // namespace qalix
