// The dialog layer: a dialog is a model of controls addressed by identifier. The program
// reads and writes the model silently; a user action (through a widget or the headless
// driver) changes the model and then fires the control's callbacks. Observers hear of every
// change, whoever made it, and mirror it into widgets.
//
// Errors: a user action the control cannot take throws ControlRefused, which a screen shows
// by refusing the click or keystroke; an identifier that names no control is a programming
// error (std::logic_error). Neither may cross the platform's event loop: the Qt binding
// catches both in one place, qalix::qt::dispatch (platform/qt/event_guard), and the headless
// driver lets them reach the test or the command line.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/dialog_template.hpp"

namespace qalix {

enum class CallbackKind { Default, SelectionChanged, EditChanged };

// What a set or get addresses besides the control's own value.
enum class Index { Default, Caption, Enabled, ItemCount, AppendItem, RangeMin, RangeMax, State };

// What changed in a control, or in the dialog as a whole (control kNoControl).
enum class Change {
    Text,       // text of an edit or the edit field of a combo
    Caption,    // caption of a button, label or group box
    Items,      // list of a combo
    Selection,  // list selection of a combo
    Position,   // position of a spin
    Range,      // range of a spin
    Checked,    // state of a radio button or check box
    Enabled,
    Opened,  // the dialog was shown (modal or modeless)
    Closed   // the dialog was ended or hidden
};
inline constexpr int kNoControl = 0;

class Dialog;
using Callback = std::function<void(Dialog&, int control, CallbackKind)>;
using Observer = std::function<void(const Dialog&, int control, Change)>;

// A user action the control cannot take (disabled, hidden behind a modal, wrong kind).
class ControlRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class Modality { Modal, Modeless };

struct Control {
    ControlTemplate layout;
    std::string text;  // edit or combo text; caption of buttons, labels and boxes
    std::vector<std::string> items;
    int selection = -1;  // combo list selection
    int position = 0;    // spin position
    int rangeMin = 0;
    int rangeMax = 100;
    bool checked = false;
    bool enabled = true;
};

class Dialog {
  public:
    explicit Dialog(const DialogTemplate& layout);

    int id() const { return layout_.id; }
    const DialogTemplate& layout() const { return layout_; }

    void attach(int control, Callback callback, CallbackKind kind = CallbackKind::Default);
    // What the user's close (Esc, the title bar's close box) does instead of ending the
    // dialog with the cancel code.
    void onClose(std::function<void(Dialog&)> handler) { closeHandler_ = std::move(handler); }
    // The rule every user action passes first, whatever front end it comes from: the dialog
    // set refuses (ControlRefused) an action on a dialog that is not shown or lies below the
    // topmost modal one.
    using InputGuard = std::function<void(const Dialog&, std::string_view action)>;
    void guardInput(InputGuard guard) { guard_ = std::move(guard); }

    // Program access: never fires callbacks.
    void setText(int control, std::string_view text, Index index = Index::Default);
    std::string getText(int control, Index index = Index::Default) const;
    void setInt(int control, int value, Index index = Index::Default);
    int getInt(int control, Index index = Index::Default) const;
    void setLogical(int control, bool value, Index index = Index::Default);
    bool getLogical(int control, Index index = Index::Default) const;
    std::string item(int control, int index) const;

    // User actions: refused on disabled controls; change the model, then fire callbacks.
    void userType(int control, std::string_view text);
    void userPick(int control, int itemIndex);
    void userPick(int control, std::string_view itemText);
    void userClick(int control);
    void userSpin(int control, int position);
    // Esc or the close box: what a cancel button does, or the close handler.
    void userClose();

    // A dialog is open from show until a button, the program or the user's close ends it.
    // Opening an open dialog is a programming error.
    void open(Modality modality);
    bool isOpen() const { return open_; }
    bool isModal() const { return modality_ == Modality::Modal; }
    int exitCode() const { return exitCode_; }
    void end(int code);

    bool has(int control) const { return index_.count(control) > 0; }
    const Control& control(int id) const;
    std::string describe(int control) const;

    // Observers hear of every change, by the program or the user; the token removes one.
    int observe(Observer observer);
    void unobserve(int token);

  private:
    Control& at(int id);
    void changed(int control, Change kind);
    void fire(int control, CallbackKind kind);
    void requireEnabled(int control, std::string_view action) const;
    void requireReachable(std::string_view action) const;
    void insertItem(Control& c, std::string_view text);
    void selectRadio(int control);
    void setPosition(Control& c, int position);

    DialogTemplate layout_;
    std::vector<Control> controls_;
    std::map<int, std::size_t> index_;
    std::multimap<std::pair<int, CallbackKind>, Callback> callbacks_;
    std::function<void(Dialog&)> closeHandler_;
    InputGuard guard_;
    std::map<int, Observer> observers_;
    int nextObserver_ = 1;
    bool open_ = false;
    Modality modality_ = Modality::Modeless;
    int exitCode_ = 0;
};

}  // namespace qalix
