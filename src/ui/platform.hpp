// What the program needs of the machine it runs on, below its dialogs: message boxes, modal
// and modeless dialogs, the common file, font, page-setup and print dialogs, a beep, help,
// the clock, the console line and the main loop. The Qt platform shows real windows; the
// headless platform records the program's requests and answers them from queues that tests
// and the command line fill.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/canvas.hpp"
#include "ui/font.hpp"
#include "ui/print.hpp"

namespace qalix {

class Dialog;

enum class MessageIcon { None, Information, Question, Exclamation, Stop };
// Whose window a message box belongs to: the frame, none (a box of its own), or whichever
// window has the keyboard focus.
enum class MessageOwner { Frame, None, Focus };

// The buttons of a message box: OK alone, or Yes and No for a question.
enum class MessageButtons { Ok, YesNo };
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// A message box. Whatever its owner, nothing else in the program takes input until it is
// answered.
struct Message {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageOwner owner = MessageOwner::Frame;
    bool systemModal = false;
    MessageButtons buttons = MessageButtons::Ok;
    // A notice tells the user something without stopping what the program does (the command
    // line prints it and goes on); every other message reports a failure.
    bool notice = false;
};

// How a common dialog ended: a choice, the user's cancel, or a failure with an error code.
enum class DialogOutcome { Accepted, Cancelled, Failed };

struct FileFilter {
    std::string name;     // "Text files (*.txt)"
    std::string pattern;  // "*.txt"
};

struct FileRequest {
    std::vector<FileFilter> filters;
    std::string defaultExtension;  // added to a name typed without one
    std::string initialPath;
    bool promptOverwrite = false;
};

struct FileChoice {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    std::string path;
    unsigned errorCode = 0;
};

// The files of an open dialog that takes several at once.
struct FileChoices {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    std::vector<std::string> paths;
    unsigned errorCode = 0;
};

struct FontChoice {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    FontDescription font;
    unsigned errorCode = 0;
};

struct PageSetupChoice {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    PageSetup setup;
    unsigned errorCode = 0;
};

struct PrintChoice {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    std::unique_ptr<PrintDevice> printer;  // none when the dialog returned no printer
    unsigned errorCode = 0;
};

enum class HelpRequest { Contents, Search, HowToUseHelp };

class Platform {
  public:
    virtual ~Platform() = default;

    // A modal message box; returns the identifier of the button that ended it (OK, or Yes
    // or No).
    virtual int messageBox(const Message& message) = 0;

    // Runs a dialog modally: returns its exit code once it has closed. Nothing below it can
    // be acted on meanwhile. Showing an open dialog modally is a programming error.
    virtual int showModal(Dialog& dialog) = 0;
    // Shows a dialog that stays open while the program's own loop runs; a dialog already
    // open is brought to the front.
    virtual bool showModeless(Dialog& dialog) = 0;
    // The next time the dialog is shown modally, the script acts in it in the user's place and
    // must end it: opening a design file types its looks into the information-time dialog as a
    // user would, on a screen or not.
    virtual void scriptModal(int dialogId, std::function<void(Dialog&)> script) = 0;
    // Takes back a script the dialog was not shown for, so that the user meets the dialog
    // next time.
    virtual void withdrawScript(int dialogId) = 0;

    virtual FileChoice openFile(const FileRequest& request) = 0;
    virtual FileChoices openFiles(const FileRequest& request) = 0;
    virtual FileChoice saveFile(const FileRequest& request) = 0;
    virtual FontChoice chooseFont(const FontDescription& initial) = 0;
    virtual PageSetupChoice pageSetup(const PageSetup& initial) = 0;
    virtual PrintChoice print(const PrintRequest& request) = 0;

    // A picture file (SVG, PDF or PNG, by the name's extension) of width by height device
    // units, drawn by draw. False with the reason when it cannot be written.
    virtual bool savePicture(const std::string& path, int width, int height,
                             const std::function<void(Canvas&)>& draw, std::string& reason) = 0;

    // Puts a text on the system's clipboard.
    virtual void copyText(const std::string& text) = 0;
    // Writes an HTML document as a PDF on A4 (or Letter) pages; false with the reason when the
    // platform cannot.
    virtual bool saveDocumentPdf(const std::string& path, const std::string& html, bool letter,
                                 std::string& reason) = 0;
    // Work that keeps the program from answering for a moment begins (true) or has ended:
    // the user is shown that the program is busy.
    virtual void busy(bool working) = 0;
    // Shows a file the program wrote in the system's viewer for its kind.
    virtual void openDocument(const std::string& path) = 0;
    // The folder where the program keeps what it remembers between runs (the recent design
    // files); empty when it keeps nothing.
    virtual std::string settingsFolder() = 0;

    virtual void beep(int frequencyHz, int milliseconds) = 0;
    // False when no help can be shown.
    virtual bool openHelp(HelpRequest request) = 0;
    // A seed that differs from call to call: the time of day mixed with processor time.
    virtual std::uint64_t clockSeed() = 0;
    // A line on the program's standard output.
    virtual void consoleLine(std::string_view line) = 0;

    // Runs the program's one event loop until quit; returns the exit code. A quit asked for
    // before the loop starts ends it at once.
    virtual int runMainLoop() = 0;
    virtual void quit(int exitCode) = 0;
};

// The platform shows the program busy while this lives.
class BusyWhile {
  public:
    explicit BusyWhile(Platform& platform) : platform_(platform) { platform_.busy(true); }
    ~BusyWhile() { platform_.busy(false); }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

  private:
    Platform& platform_;
};

}  // namespace qalix
