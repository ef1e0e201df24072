// The dialog layer: a dialog is a model of controls addressed by identifier. The program
// reads and writes the model silently; a user action (through a widget or the headless
// driver) changes the model and then fires the control's callbacks.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "design/dialog_template.hpp"

namespace qalix {

enum class CallbackKind { Default, SelectionChanged, EditChanged };

// What a set or get addresses besides the control's own value.
enum class Index { Default, Caption, Enabled, ItemCount, AppendItem, RangeMin, RangeMax, State };

class Dialog;
using Callback = std::function<void(Dialog&, int control, CallbackKind)>;

// A user action the control cannot take (disabled, unknown, wrong kind).
class ControlRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

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

    // Modal state: a dialog is open from showModal until a button ends it.
    void open();
    bool isOpen() const { return open_; }
    int exitCode() const { return exitCode_; }
    void end(int code);

    bool has(int control) const { return index_.count(control) > 0; }
    const Control& control(int id) const;
    // Called after every change of a control, by the program or the user; the Qt platform
    // mirrors the model into its widgets through it.
    void setObserver(std::function<void(int control)> observer) { observer_ = std::move(observer); }

  private:
    Control& at(int id);
    void changed(int control);
    void fire(int control, CallbackKind kind);
    void requireEnabled(int control, std::string_view action) const;
    void insertItem(Control& c, std::string_view text);
    void selectRadio(int control);
    void setPosition(Control& c, int position);
    std::string describe(int control) const;

    DialogTemplate layout_;
    std::vector<Control> controls_;
    std::map<int, std::size_t> index_;
    std::multimap<std::pair<int, CallbackKind>, Callback> callbacks_;
    std::function<void(int)> observer_;
    bool open_ = false;
    int exitCode_ = 0;
};

}  // namespace qalix
