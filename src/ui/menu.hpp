// A menu bar as a model: popups of items addressed by command identifier, each enabled or
// greyed, and the accelerators that reach commands from the keyboard. Built from a text
// resource; the Qt platform shows it and observers hear when an item is greyed or enabled.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qalix {

struct MenuEntry {
    enum class Kind { Item, Popup, Separator };
    Kind kind = Kind::Item;
    int command = 0;   // items only
    std::string text;  // with '&' before the mnemonic; a tab before the shortcut's name
    std::vector<MenuEntry> children;  // popups only
};

struct Accelerator {
    std::string key;  // "F1", "Alt+?"
    int command = 0;
};

class MenuModel {
  public:
    // Parses a menu resource; throws std::runtime_error naming the line when malformed.
    static MenuModel parse(std::string_view text);
    // The menu resource built into the program, or nothing.
    static std::optional<MenuModel> load(std::string_view name);

    const std::vector<MenuEntry>& bar() const { return bar_; }
    const std::vector<Accelerator>& accelerators() const { return accelerators_; }

    bool has(int command) const { return items_.count(command) > 0; }
    // An item's state: enabled or greyed, shown or hidden, and its text, which the program may
    // change (the recent files of the File menu). An unknown command is a programming error
    // (std::logic_error).
    bool enabled(int command) const { return item(command).enabled; }
    void setEnabled(int command, bool enabled);
    bool visible(int command) const { return item(command).visible; }
    void setVisible(int command, bool visible);
    const std::string& text(int command) const { return item(command).text; }
    void setText(int command, std::string text);
    // Why a greyed item cannot be chosen now, when the program can tell the user; empty
    // otherwise.
    const std::string& reason(int command) const { return item(command).reason; }
    void setReason(int command, std::string reason);
    // The command an accelerator key reaches, if any.
    std::optional<int> accelerated(std::string_view key) const;

    // Hears the command whose item changed: enabled, shown or its text.
    using Observer = std::function<void(int command)>;
    int observe(Observer observer);
    void unobserve(int token);

  private:
    struct ItemState {
        bool enabled = true;
        bool visible = true;
        std::string text;
        std::string reason;
    };
    const ItemState& item(int command) const;
    // The item's state changed by change, which returns whether it changed anything; the
    // observers hear of it then.
    template <typename Change>
    void update(int command, Change change);

    std::vector<MenuEntry> bar_;
    std::vector<Accelerator> accelerators_;
    std::map<int, ItemState> items_;
    std::map<int, Observer> observers_;
    int nextObserver_ = 1;
};

}  // namespace qalix
