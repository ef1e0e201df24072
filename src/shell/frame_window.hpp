// The frame window as a model: at once the graphic window the plots draw into and the holder
// of the text window, switched between the two modes by the panel and the Window menu; its
// title, its menu with the items each mode greys, the text window's content, the one window
// font, and the dispatch of every menu command. The Qt platform shows it as a main window;
// tests drive it headless.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "graphics/emf_player.hpp"
#include "graphics/plot_page.hpp"
#include "graphics/recording_canvas.hpp"
#include "ui/canvas.hpp"
#include "ui/font.hpp"
#include "ui/geometry.hpp"
#include "ui/menu.hpp"
#include "ui/platform.hpp"

namespace qalix {

class Program;

enum class FrameMode { None, Graphic, Text };

// What changed in the frame, for the window that shows it.
enum class FrameChange {
    Mode,  // the mode, and with it a new (empty) text window or none
    Title,
    Text,        // the text window's content, set by the program
    Font,        // the window font
    Shown,       // shown, or minimised
    EditAction,  // undo, cut, copy or paste asked of the text window
    Picture      // what the graphic window shows: a new plot, an opened metafile, nothing
};

enum class EditAction { Undo, Cut, Copy, Paste };

// The frame's own texts.
inline constexpr std::string_view kFrameTitle = "QALIXinfWin";
inline constexpr std::string_view kGraphicTitle = "Graphic Window: Plotting";
inline constexpr std::string_view kTextTitle = "Text Window: Save and Import Data";
// A new text window holds two blanks.
inline constexpr std::string_view kNewTextWindow = "  ";
inline constexpr std::string_view kMetafileTitle = " Meta File:  ";
inline constexpr std::string_view kPictureTitle = " Picture File:  ";
// The box shown when no help can be opened.
inline constexpr std::string_view kHelpFailure = "Unable to activate help";
inline constexpr std::string_view kHelpCaption = kFrameTitle;
// The graphic window's client area until the window measures its own: the plot page.
inline constexpr int kDefaultClientWidth = kPlotPage.width();
inline constexpr int kDefaultClientHeight = kPlotPage.height();

class FrameWindow {
  public:
    explicit FrameWindow(Program& program);
    FrameWindow(const FrameWindow&) = delete;
    FrameWindow& operator=(const FrameWindow&) = delete;

    // The creation message, also sent at every switch of mode: sets up the mode the record's
    // graphicChosen/textChosen name, recreating (and so emptying) the text window.
    void setUpMode();
    // A menu command, or a command an accelerator reached. Greyed items cannot be chosen; a
    // command of the other mode does nothing.
    void command(int id);
    // An accelerator key ("F1", "Alt+?"): the command it reaches, if any.
    void accelerator(std::string_view key);

    // What the user does to the window itself.
    void userEdit(std::string text);  // typed into the text window
    // The close box of the frame (or of the panel): ends the program, once the user has
    // confirmed it when the text window holds changes not saved.
    void userClose();
    // True when the program may end: the text window holds no changes not saved, or the user
    // answered "Yes" to "End the program?".
    bool confirmEnd();
    bool textModified() const { return textModified_; }
    void show();
    void minimise();

    FrameMode mode() const { return mode_; }
    const std::string& title() const { return title_; }
    bool shown() const { return shown_; }
    bool minimised() const { return minimised_; }
    // The text window's content; empty when there is no text window.
    const std::string& text() const { return text_; }
    bool hasTextWindow() const { return mode_ == FrameMode::Text; }
    void setText(std::string text);  // the program's write: heard as FrameChange::Text
    const FontDescription& windowFont() const { return font_; }
    FontDescription& windowFont() { return font_; }
    MenuModel& menu() { return menu_; }
    const MenuModel& menu() const { return menu_; }
    const FileRequest& fileRequest() const { return fileRequest_; }
    // The file the text window was last loaded from or saved to.
    const std::string& textPath() const { return textPath_; }
    void setTitle(std::string title);
    // What a simulation does to "By simulation": enabled after one succeeded, greyed after
    // one failed, whatever the mode.
    void setSimulationPlotEnabled(bool enabled);
    // Whether a sequential design is computed: until one is, the plots, the graphic window
    // and the metafile saves are greyed, and a new design choice clears the plot shown.
    void setDesignComputed(bool computed);
    bool designComputed() const { return designComputed_; }
    bool simulationPlotEnabled() const { return simulationPlot_; }

    // The graphic window. Its client area: the window sets it at every resize, and a picture
    // file of what it shows is made that size. The plots themselves are laid out on the plot
    // page, which the window scales to its size.
    void setClientRect(Rect client);
    Rect clientRect() const { return client_; }
    // The picture of the last plot pass. It is shown until the window shows something else
    // (an opened metafile, the text window) and heard as FrameChange::Picture.
    void setPicture(RecordingCanvas picture);
    const RecordingCanvas* picture() const { return picture_ ? &*picture_ : nullptr; }
    // The metafile last opened with "&Open..." in graphic mode, which the metafile print
    // prints; none before one was opened or when the last one could not be read.
    const EmfPlayer* openedMetafile() const { return opened_ ? &*opened_ : nullptr; }
    // What the graphic window draws on the plot page whenever it paints: the picture of the
    // last plot pass, or else the opened metafile stretched over the whole page. Nothing in
    // text mode.
    void paint(Canvas& canvas) const;
    // The base name the metafile save dialog produced, blank-padded to 40 characters (a
    // longer name is kept whole), and the file "Save" writes.
    const std::string& metafileName() const { return metafileName_; }
    const std::filesystem::path& metafileFile() const { return metafileFile_; }

    using Observer = std::function<void(FrameChange change)>;
    int observe(Observer observer);
    void unobserve(int token);
    // The last edit action asked of the text window.
    EditAction lastEditAction() const { return lastEdit_; }

  private:
    void changed(FrameChange change);
    void greyItems();
    void openText();
    // The open or save file dialog on the current set-up; nothing when it was cancelled or
    // failed (a failure is reported).
    std::optional<std::string> askForFile(bool save);
    void saveSimulation();
    void importSamples(int id);
    void saveText(bool askForName);
    void runPlot(int id);
    void openMetafile();
    bool nameMetafile();
    void keepMetafileName(const std::string& path);
    void savePicture(const std::string& path);
    void pageSetup();
    void saveBoundaryMetafile();
    void saveMetafileAs();
    void changeFont();
    void openHelp(HelpRequest request);
    void editAction(EditAction action);
    void showAbout();
    bool modeAllows(int id) const;

    Program& program_;
    FrameMode mode_ = FrameMode::None;
    std::string title_{kFrameTitle};
    bool shown_ = true;
    bool minimised_ = false;
    std::string text_;
    bool textModified_ = false;  // typed into since it was last loaded, saved or made
    FontDescription font_;
    MenuModel menu_;
    FileRequest fileRequest_;
    std::string textPath_;
    EditAction lastEdit_ = EditAction::Undo;
    bool simulationPlot_ = false;
    bool designComputed_ = false;
    Rect client_{0, 0, kDefaultClientWidth, kDefaultClientHeight};
    std::optional<RecordingCanvas> picture_;
    std::optional<EmfPlayer> opened_;
    PageSetup pageSetup_;
    std::string metafileName_;
    std::filesystem::path metafileFile_;
    std::map<int, Observer> observers_;
    int nextObserver_ = 1;
};

// The window font as the program starts with it: 16 units high, normal weight, variable
// pitch in the Swiss family, face "Times New Roman".
FontDescription INITIALIZEFONT();

// A chosen file's name without its folder and extension.
std::string baseName(std::string_view path);
// The name a title shows for a chosen file: its base name, at most 40 characters.
std::string titleName(std::string_view path);

}  // namespace qalix
