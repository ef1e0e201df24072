// The frame window as a model: at once the graphic window the plots draw into and the holder
// of the text window, switched between the two modes by the panel and the Window menu; its
// title, its menu with the items each mode greys, the text window's content, the one window
// font, and the dispatch of every menu command. The Qt platform shows it as a main window;
// tests drive it headless.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "ui/font.hpp"
#include "ui/menu.hpp"
#include "ui/platform.hpp"

namespace qalix {

class Program;

enum class FrameMode { None, Graphic, Text };

// What changed in the frame, for the window that shows it.
enum class FrameChange {
    Mode,  // the mode, and with it a new (empty) text window or none
    Title,
    Text,       // the text window's content, set by the program
    Font,       // the window font
    Shown,      // shown, or minimised
    EditAction  // undo, cut, copy or paste asked of the text window
};

enum class EditAction { Undo, Cut, Copy, Paste };

// The frame's own texts.
inline constexpr std::string_view kFrameTitle = "QALIXinfWin";
inline constexpr std::string_view kGraphicTitle = "Graphic Window: Plotting";
inline constexpr std::string_view kTextTitle = "Text Window: Save and Import Data";
// A new text window holds two blanks.
inline constexpr std::string_view kNewTextWindow = "  ";

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
    void userClose();                 // the close box: ends the program
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
    bool simulationPlotEnabled() const { return simulationPlot_; }

    using Observer = std::function<void(FrameChange change)>;
    int observe(Observer observer);
    void unobserve(int token);
    // The last edit action asked of the text window.
    EditAction lastEditAction() const { return lastEdit_; }

  private:
    void changed(FrameChange change);
    void greyByMode();
    void openText();
    // The open or save file dialog on the current set-up; nothing when it was cancelled or
    // failed (a failure is reported).
    std::optional<std::string> askForFile(bool save);
    void saveSimulation();
    void importSamples(int id);
    void saveText(bool askForName);
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
    FontDescription font_;
    MenuModel menu_;
    FileRequest fileRequest_;
    std::string textPath_;
    EditAction lastEdit_ = EditAction::Undo;
    bool simulationPlot_ = false;
    std::map<int, Observer> observers_;
    int nextObserver_ = 1;
};

// The window font as the program starts with it: 16 units high, normal weight, variable
// pitch in the Swiss family, face "Times New Roman".
FontDescription INITIALIZEFONT();

// The name a title shows for a chosen file: without its folder and extension, at most 40
// characters.
std::string titleName(std::string_view path);

}  // namespace qalix
