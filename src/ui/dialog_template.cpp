#include "ui/dialog_template.hpp"

#include <charconv>
#include <map>
#include <stdexcept>

#include "resources/builtin_resources.hpp"

namespace qalix {

namespace {

struct Line {
    int number = 0;
    std::vector<std::string> words;  // quoted strings arrive without their quotes
};

[[noreturn]] void fail(const Line& line, const std::string& what) {
    throw std::runtime_error("dialog template line " + std::to_string(line.number) + ": " + what);
}

std::vector<std::string> splitWords(std::string_view text, const Line& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == '\r') {
            ++i;
        } else if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) fail(line, "unterminated text");
            words.emplace_back(text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            const std::size_t end = text.find_first_of(" \t\r", i);
            words.emplace_back(text.substr(i, end == std::string_view::npos ? end : end - i));
            i = end == std::string_view::npos ? text.size() : end;
        }
    }
    return words;
}

int toInt(const Line& line, const std::string& word) {
    if (word == "-") return kUnaddressed;
    int value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc{} || end != word.data() + word.size()) fail(line, "not a number: " + word);
    return value;
}

const std::map<std::string, ControlKind>& kinds() {
    static const std::map<std::string, ControlKind> table = {
        {"button", ControlKind::Button},  {"default", ControlKind::DefaultButton},
        {"radio", ControlKind::Radio},    {"check", ControlKind::Check},
        {"group", ControlKind::GroupBox}, {"label", ControlKind::Label},
        {"edit", ControlKind::Edit},      {"combo", ControlKind::Combo},
        {"spin", ControlKind::Spin},      {"picture", ControlKind::Picture},
        {"line", ControlKind::Line}};
    return table;
}

void applyFlag(ControlTemplate& c, const Line& line, const std::string& flag) {
    if (flag == "pushlike")
        c.pushLike = true;
    else if (flag == "editable")
        c.editable = true;
    else if (flag == "sorted")
        c.sorted = true;
    else if (flag == "readonly")
        c.readOnly = true;
    else if (flag == "disabled")
        c.disabled = true;
    else if (flag == "multiline")
        c.multiline = true;
    else if (flag == "fixedpitch")
        c.fixedPitch = true;
    else if (flag.rfind("buddy=", 0) == 0)
        c.buddy = toInt(line, flag.substr(6));
    else
        fail(line, "unknown style: " + flag);
}

ControlTemplate parseControl(const Line& line, ControlKind kind) {
    const auto& w = line.words;
    if (w.size() < 7) fail(line, "a control needs: kind id \"caption\" x y width height");
    ControlTemplate c;
    c.kind = kind;
    c.id = toInt(line, w[1]);
    c.caption = w[2];
    c.x = toInt(line, w[3]);
    c.y = toInt(line, w[4]);
    c.width = toInt(line, w[5]);
    c.height = toInt(line, w[6]);
    for (std::size_t i = 7; i < w.size(); ++i)
        applyFlag(c, line, w[i]);
    return c;
}

ControlTemplate& findControl(DialogTemplate& d, const Line& line, int id) {
    for (ControlTemplate& c : d.controls) {
        if (c.id == id) return c;
    }
    fail(line, "no control " + std::to_string(id) + " declared before");
}

void parseLine(DialogTemplate& d, const Line& line) {
    const auto& w = line.words;
    const std::string& key = w[0];
    if (key == "dialog") {
        if (w.size() < 7) fail(line, "dialog needs: id \"title\" x y width height [styles]");
        d.id = toInt(line, w[1]);
        d.title = w[2];
        d.x = toInt(line, w[3]);
        d.y = toInt(line, w[4]);
        d.width = toInt(line, w[5]);
        d.height = toInt(line, w[6]);
        for (std::size_t i = 7; i < w.size(); ++i) {
            if (w[i] == "nocaption")
                d.captionless = true;
            else if (w[i] == "center")
                d.centred = true;
            else if (w[i] == "beside")
                d.besideFrame = true;
            else
                fail(line, "unknown dialog style: " + w[i]);
        }
    } else if (key == "font") {
        if (w.size() != 3) fail(line, "font needs: points \"face\"");
        d.fontPoints = toInt(line, w[1]);
        d.fontFace = w[2];
    } else if (key == "help") {
        if (w.size() != 2) fail(line, "help needs: \"page\"");
        d.helpPage = w[1];
    } else if (key == "items") {
        if (w.size() < 2) fail(line, "items needs a control id");
        ControlTemplate& c = findControl(d, line, toInt(line, w[1]));
        c.items.insert(c.items.end(), w.begin() + 2, w.end());
    } else if (key == "radiogroup") {
        std::vector<int> group;
        for (std::size_t i = 1; i < w.size(); ++i)
            group.push_back(toInt(line, w[i]));
        d.radioGroups.push_back(std::move(group));
    } else if (const auto kind = kinds().find(key); kind != kinds().end()) {
        d.controls.push_back(parseControl(line, kind->second));
    } else {
        fail(line, "unknown keyword: " + key);
    }
}

}  // namespace

DialogTemplate parseDialogTemplate(std::string_view text) {
    DialogTemplate d;
    Line line;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string_view raw = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        ++line.number;
        const std::size_t first = raw.find_first_not_of(" \t\r");
        if (first != std::string_view::npos && raw[first] != '#') {
            line.words = splitWords(raw, line);
            parseLine(d, line);
        }
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (d.id == 0) throw std::runtime_error("dialog template without a dialog line");
    return d;
}

std::optional<DialogTemplate> loadDialogTemplate(int dialogId) {
    const auto text = builtinResource("dialogs/" + std::to_string(dialogId) + ".dlg");
    if (!text) return std::nullopt;
    return parseDialogTemplate(*text);
}

}  // namespace qalix
