#include "ui/menu.hpp"

#include <charconv>
#include <stdexcept>
#include <utility>

#include "resources/builtin_resources.hpp"

namespace qalix {

namespace {

struct MenuLine {
    int number = 0;
    std::string_view text;
};

[[noreturn]] void fail(const MenuLine& line, const std::string& what) {
    throw std::runtime_error("menu resource line " + std::to_string(line.number) + ": " + what);
}

std::string_view stripped(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The quoted text of a line, with "\t" standing for a tab.
std::string quoted(const MenuLine& line) {
    const auto open = line.text.find('"');
    const auto close = line.text.rfind('"');
    if (open == std::string_view::npos || close == open) fail(line, "text in quotes expected");
    std::string text(line.text.substr(open + 1, close - open - 1));
    for (std::size_t at = text.find("\\t"); at != std::string::npos; at = text.find("\\t"))
        text.replace(at, 2, "\t");
    return text;
}

int commandOf(const MenuLine& line, std::string_view word) {
    int value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc{} || end != word.data() + word.size() || value <= 0)
        fail(line, "not a command number: " + std::string(word));
    return value;
}

std::string_view firstWord(std::string_view text, std::string_view& rest) {
    const auto space = text.find(' ');
    rest = space == std::string_view::npos ? std::string_view{} : stripped(text.substr(space));
    return text.substr(0, space);
}

}  // namespace

MenuModel MenuModel::parse(std::string_view text) {
    MenuModel model;
    std::vector<std::vector<MenuEntry>*> open = {&model.bar_};
    MenuLine line;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = text.find('\n', start);
        line.text = stripped(text.substr(start, end == std::string_view::npos ? end : end - start));
        ++line.number;
        start = end == std::string_view::npos ? text.size() + 1 : end + 1;
        if (line.text.empty() || line.text.front() == '#') continue;
        std::string_view rest;
        const std::string_view key = firstWord(line.text, rest);
        if (key == "popup") {
            open.back()->push_back({MenuEntry::Kind::Popup, 0, quoted(line), {}});
            open.push_back(&open.back()->back().children);
        } else if (key == "end") {
            if (open.size() == 1) fail(line, "end without popup");
            open.pop_back();
        } else if (key == "item") {
            std::string_view after;
            const int command = commandOf(line, firstWord(rest, after));
            if (model.has(command)) fail(line, "command given twice");
            open.back()->push_back({MenuEntry::Kind::Item, command, quoted(line), {}});
            model.items_[command] = {true, true, open.back()->back().text, {}};
        } else if (key == "separator") {
            open.back()->push_back({MenuEntry::Kind::Separator, 0, {}, {}});
        } else if (key == "accel") {
            std::string_view after;
            const std::string_view keyName = firstWord(rest, after);
            model.accelerators_.push_back({std::string(keyName), commandOf(line, after)});
        } else {
            fail(line, "unknown keyword: " + std::string(key));
        }
    }
    if (open.size() != 1) fail(line, "popup without end");
    for (const Accelerator& a : model.accelerators_) {
        if (!model.has(a.command))
            throw std::runtime_error("menu resource: accelerator " + a.key + " reaches no item");
    }
    return model;
}

std::optional<MenuModel> MenuModel::load(std::string_view name) {
    const auto text = builtinResource("menus/" + std::string(name) + ".menu");
    if (!text) return std::nullopt;
    return parse(*text);
}

const MenuModel::ItemState& MenuModel::item(int command) const {
    const auto it = items_.find(command);
    if (it == items_.end())
        throw std::logic_error("the menu has no command " + std::to_string(command));
    return it->second;
}

template <typename Change>
void MenuModel::update(int command, Change change) {
    item(command);  // an unknown command is refused before anything changes
    if (!change(items_[command])) return;
    const auto observers = observers_;
    for (const auto& [token, observer] : observers)
        observer(command);
}

void MenuModel::setEnabled(int command, bool enabled) {
    update(command,
           [enabled](ItemState& s) { return std::exchange(s.enabled, enabled) != enabled; });
}

void MenuModel::setVisible(int command, bool visible) {
    update(command,
           [visible](ItemState& s) { return std::exchange(s.visible, visible) != visible; });
}

void MenuModel::setText(int command, std::string text) {
    update(command, [&text](ItemState& s) {
        if (s.text == text) return false;
        s.text = std::move(text);
        return true;
    });
}

void MenuModel::setReason(int command, std::string reason) {
    update(command, [&reason](ItemState& s) {
        if (s.reason == reason) return false;
        s.reason = std::move(reason);
        return true;
    });
}

std::optional<int> MenuModel::accelerated(std::string_view key) const {
    for (const Accelerator& a : accelerators_) {
        if (a.key == key) return a.command;
    }
    return std::nullopt;
}

int MenuModel::observe(Observer observer) {
    observers_.emplace(nextObserver_, std::move(observer));
    return nextObserver_++;
}

void MenuModel::unobserve(int token) {
    observers_.erase(token);
}

}  // namespace qalix
