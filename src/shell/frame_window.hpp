// The frame window as a model: at once the graphic window the plots draw into and the holder
// of the text window, switched between the two modes by the panel and the Window menu; its
// title, its menu, the text window's content and font. Its menu commands are a
// table: the frame's own rows (text files, windows, font, help) and those the plots and the
// sample paths add, which alone decides what may run and greys the rest. The Qt platform shows
// it as a main window; tests drive it headless.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "design/design_record.hpp"
#include "design/sequential_state.hpp"
#include "graphics/plot_context.hpp"
#include "graphics/plot_page.hpp"
#include "ui/canvas.hpp"
#include "ui/dialog_set.hpp"
#include "ui/font.hpp"
#include "ui/frame_commands.hpp"
#include "ui/frame_hooks.hpp"
#include "ui/geometry.hpp"
#include "ui/menu.hpp"
#include "ui/platform.hpp"

namespace qalix {

// What changed in the frame, for the window that shows it.
enum class FrameChange {
    Mode,  // the mode: the text window shown, or the graphic window
    Title,
    Text,        // the text window's content, set by the program
    Font,        // the window font
    Shown,       // shown, or minimised
    EditAction,  // undo, cut, copy or paste asked of the text window
    Picture,     // what the graphic window shows: a new plot, an opened metafile, nothing
    Insert       // a text put into the text window at its caret (insertion())
};

enum class EditAction { Undo, Cut, Copy, Paste };

// The frame's own texts.
inline constexpr std::string_view kFrameTitle = "QALIXinfWin";
inline constexpr std::string_view kGraphicTitle = "Graphic Window: Plotting";
inline constexpr std::string_view kTextTitle = "Text Window: Save and Import Data";
// A new text window holds two blanks.
inline constexpr std::string_view kNewTextWindow = "  ";
// The box shown when no help can be opened.
inline constexpr std::string_view kHelpFailure = "Unable to activate help";
inline constexpr std::string_view kHelpCaption = kFrameTitle;
// The graphic window's client area until the window measures its own: the plot page.
inline constexpr int kDefaultClientWidth = kPlotPage.width();
inline constexpr int kDefaultClientHeight = kPlotPage.height();

// What the frame works on besides its own model: the record (the mode chosen), the dialogs
// (the modal rule, the about box), the platform, whether a design is computed, and what the
// graphic window shows.
struct FrameContext {
    DesignRecord& record;
    DialogSet& dialogs;
    Platform& platform;
    const SequentialState& sequential;
    GraphicsState& graphics;
};

class FrameWindow final : public FrameHooks {
  public:
    explicit FrameWindow(FrameContext context);
    FrameWindow(const FrameWindow&) = delete;
    FrameWindow& operator=(const FrameWindow&) = delete;

    // The table the subsystems add their commands to at start-up.
    FrameCommands& commands() { return commands_; }

    // The creation message, also sent at every switch of mode: sets up the mode the record's
    // graphicChosen/textChosen name. The text window and what the graphic window shows are
    // kept across switches: only File > New and Open replace the text, asking first.
    void setUpMode();
    // A menu command, or a command an accelerator reached. One the table does not let run in
    // this mode does nothing; any command while a modal dialog is open is refused
    // (ControlRefused), as the dialogs refuse input below it.
    void command(int id);
    // An accelerator key ("F1", "Alt+?"): the command it reaches, if any.
    void accelerator(std::string_view key);

    // What the user does to the window itself.
    void userEdit(std::string text);  // typed into the text window
    // The close box of the frame (or of the panel), "EXIT" and File > Exit: ends the program,
    // once the user has confirmed it when the text window holds changes not saved.
    void userClose();
    // True when the program may end: the text window holds no changes not saved, or the user
    // answered "Yes" to "End the program?".
    bool confirmEnd();
    bool textModified() const { return textModified_; }
    void show();

    FrameMode mode() const { return mode_; }
    const std::string& title() const { return title_; }
    bool shown() const { return shown_; }
    bool minimised() const { return minimised_; }
    // The text window's content, kept while the graphic window is shown.
    const std::string& text() const { return text_; }
    bool hasTextWindow() const { return mode_ == FrameMode::Text; }
    void setText(std::string text);  // the program's write: heard as FrameChange::Text
    // Puts a text into the text window as if typed at its caret. The model knows no caret: it
    // appends, and a window that has one inserts it there and tells the model its whole text.
    void insertText(std::string text);
    const std::string& insertion() const { return insertion_; }
    const FontDescription& windowFont() const { return font_; }
    FontDescription& windowFont() { return font_; }
    MenuModel& menu() { return menu_; }
    const MenuModel& menu() const { return menu_; }
    const FileRequest& fileRequest() const { return fileRequest_; }
    // The file the text window was last loaded from or saved to.
    const std::string& textPath() const { return textPath_; }
    bool designComputed() const { return context_.sequential.designComputed; }
    // Whether "By simulation" can draw, as the graphic window offers it: after a simulation
    // that succeeded on a computed design.
    bool simulationPlotEnabled() const;

    // The graphic window. Its client area: the window sets it at every resize, and a picture
    // file of what it shows is made that size. The plots themselves are laid out on the plot
    // page, which the window scales to its size.
    void setClientRect(Rect client) { client_ = client; }
    // The picture of the last plot pass, the metafile last opened, and the metafile name the
    // saves keep (graphics/plot_context.hpp).
    const RecordingCanvas* picture() const;
    const EmfPlayer* openedMetafile() const;
    const std::string& metafileName() const { return context_.graphics.metafileName; }
    const std::filesystem::path& metafileFile() const { return context_.graphics.metafileFile; }
    // What the graphic window draws on the plot page whenever it paints; nothing in text mode.
    void paint(Canvas& canvas) const;

    using Observer = std::function<void(FrameChange change)>;
    int observe(Observer observer);
    void unobserve(int token);
    // The last edit action asked of the text window.
    EditAction lastEditAction() const { return lastEdit_; }

    // What the subsystems ask of the frame.
    void showInChosenMode() override;
    void minimise() override;
    void designComputed(bool computed) override;
    void refreshMenu() override;
    void pictureChanged() override { changed(FrameChange::Picture); }
    Rect clientRect() const override { return client_; }
    std::optional<std::string> askForFile(bool save) override;
    void setTitle(std::string title) override;
    bool mayReplaceText() override;
    void endProgram() override { userClose(); }
    void setTextPath(std::string path) override { textPath_ = std::move(path); }
    std::optional<std::string> showFile(const std::string& path, std::size_t maxBytes) override;

  private:
    void changed(FrameChange change);
    void addOwnCommands();
    std::string pictureNotice() const;
    void chooseWindow(bool graphic);
    void newText();
    void openText();
    void saveText(bool askForName);
    void pageSetup();
    void changeFont();
    void openHelp(HelpRequest request);
    void editAction(EditAction action);
    void showAbout();

    FrameContext context_;
    FrameCommands commands_;
    FrameMode mode_ = FrameMode::None;
    std::string title_{kFrameTitle};
    bool shown_ = true;
    bool minimised_ = false;
    std::string text_{kNewTextWindow};
    // Typed into, or written to by the program, since it was last loaded, saved or made new.
    bool textModified_ = false;
    FontDescription font_;
    MenuModel menu_;
    FileRequest fileRequest_;
    std::string textPath_;
    EditAction lastEdit_ = EditAction::Undo;
    std::string insertion_;
    Rect client_{0, 0, kDefaultClientWidth, kDefaultClientHeight};
    PageSetup pageSetup_;
    std::map<int, Observer> observers_;
    int nextObserver_ = 1;
};

// The plots' font as the program starts with it: 16 units high, normal weight, variable
// pitch in the Swiss family, face "Times New Roman".
FontDescription INITIALIZEFONT();

// The text window's font as the program starts with it: 16 units high, fixed pitch, face
// "Courier New", so that the columns of sample lines and of a comparison line up.
FontDescription textWindowFont();

}  // namespace qalix
