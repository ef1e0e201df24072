#include "ui/dialog.hpp"

#include <algorithm>
#include <utility>

#include "numeric/number_text.hpp"

namespace qalix {

namespace {

bool isCaptioned(ControlKind kind) {
    return kind != ControlKind::Edit && kind != ControlKind::Combo && kind != ControlKind::Spin;
}

}  // namespace

Dialog::Dialog(const DialogTemplate& layout) : layout_(layout) {
    controls_.reserve(layout_.controls.size());
    for (const ControlTemplate& t : layout_.controls) {
        Control c;
        c.layout = t;
        c.text = isCaptioned(t.kind) ? t.caption : std::string{};
        c.enabled = !t.disabled;
        controls_.push_back(std::move(c));
        if (t.id != kUnaddressed) index_[t.id] = controls_.size() - 1;
        for (const std::string& item : t.items)
            insertItem(controls_.back(), item);
    }
    for (const auto& group : layout_.radioGroups) {
        if (!group.empty() && has(group.front())) at(group.front()).checked = true;
    }
}

const Control& Dialog::control(int id) const {
    const auto it = index_.find(id);
    if (it == index_.end()) throw std::logic_error(describe(id) + " does not exist");
    return controls_[it->second];
}

Control& Dialog::at(int id) {
    return const_cast<Control&>(std::as_const(*this).control(id));
}

std::string Dialog::describe(int control) const {
    std::string text = "control " + std::to_string(control) + " of dialog " + std::to_string(id());
    const auto it = index_.find(control);
    if (it != index_.end() && !controls_[it->second].layout.caption.empty()) {
        text += " (\"" + controls_[it->second].layout.caption + "\")";
    }
    return text;
}

void Dialog::attach(int control, Callback callback, CallbackKind kind) {
    (void)this->control(control);  // an unknown identifier is a programming error: fail early
    callbacks_.emplace(std::make_pair(control, kind), std::move(callback));
}

int Dialog::observe(Observer observer) {
    observers_.emplace(nextObserver_, std::move(observer));
    return nextObserver_++;
}

void Dialog::unobserve(int token) {
    observers_.erase(token);
}

void Dialog::changed(int control, Change kind) {
    // Copy first: an observer may remove itself.
    const auto observers = observers_;
    for (const auto& [token, observer] : observers)
        observer(*this, control, kind);
}

void Dialog::fire(int control, CallbackKind kind) {
    // Copy first: a callback may attach others or re-enter this dialog.
    std::vector<Callback> due;
    const auto range = callbacks_.equal_range({control, kind});
    for (auto it = range.first; it != range.second; ++it)
        due.push_back(it->second);
    for (Callback& callback : due)
        callback(*this, control, kind);
}

void Dialog::insertItem(Control& c, std::string_view text) {
    auto where = c.items.end();
    if (c.layout.sorted) {  // plain text order, as the list boxes keep it: "10.0" before "2.0"
        where = std::upper_bound(c.items.begin(), c.items.end(), text,
                                 [](std::string_view a, const std::string& b) { return a < b; });
    }
    // The selection stays on its item when one is inserted before it.
    if (c.selection >= static_cast<int>(where - c.items.begin())) ++c.selection;
    c.items.insert(where, std::string(text));
}

void Dialog::setPosition(Control& c, int position) {
    const int lo = std::min(c.rangeMin, c.rangeMax);
    const int hi = std::max(c.rangeMin, c.rangeMax);
    c.position = std::clamp(position, lo, hi);
    if (c.layout.buddy != kUnaddressed && has(c.layout.buddy)) {
        at(c.layout.buddy).text = formatFree(static_cast<long long>(c.position));
        changed(c.layout.buddy, Change::Text);
    }
}

void Dialog::setText(int control, std::string_view text, Index index) {
    Control& c = at(control);
    if (index == Index::AppendItem) {
        const int selection = c.selection;
        insertItem(c, text);
        changed(control, Change::Items);
        if (c.selection != selection) changed(control, Change::Selection);
        return;
    }
    c.text = std::string(text);
    changed(control, isCaptioned(c.layout.kind) ? Change::Caption : Change::Text);
}

std::string Dialog::getText(int control, Index) const {
    return this->control(control).text;
}

std::string Dialog::item(int control, int index) const {
    const Control& c = this->control(control);
    if (index < 0 || index >= static_cast<int>(c.items.size())) return {};
    return c.items[static_cast<std::size_t>(index)];
}

void Dialog::setInt(int control, int value, Index index) {
    Control& c = at(control);
    switch (index) {
        case Index::ItemCount:
            if (value != 0) return;  // a list is only ever emptied this way
            c.items.clear();
            changed(control, Change::Items);
            if (c.selection != -1) {
                c.selection = -1;
                changed(control, Change::Selection);
            }
            return;
        case Index::RangeMin:
            c.rangeMin = value;
            changed(control, Change::Range);
            return;
        case Index::RangeMax:
            c.rangeMax = value;
            changed(control, Change::Range);
            return;
        default:
            break;
    }
    if (c.layout.kind == ControlKind::Spin) {
        setPosition(c, value);
        changed(control, Change::Position);
    } else if (c.layout.kind == ControlKind::Combo) {
        c.selection = (value >= 0 && value < static_cast<int>(c.items.size())) ? value : -1;
        if (c.selection >= 0) {
            c.text = c.items[static_cast<std::size_t>(c.selection)];
            changed(control, Change::Text);
        }
        changed(control, Change::Selection);
    } else {
        c.text = formatFree(static_cast<long long>(value));
        changed(control, Change::Text);
    }
}

int Dialog::getInt(int control, Index index) const {
    const Control& c = this->control(control);
    switch (index) {
        case Index::ItemCount:
            return static_cast<int>(c.items.size());
        case Index::RangeMin:
            return c.rangeMin;
        case Index::RangeMax:
            return c.rangeMax;
        default:
            if (c.layout.kind == ControlKind::Combo) return c.selection;
            if (c.layout.kind == ControlKind::Spin) return c.position;
            int value = 0;
            return readFree(c.text, value) == ReadStatus::Ok ? value : 0;
    }
}

void Dialog::setLogical(int control, bool value, Index index) {
    Control& c = at(control);
    if (index == Index::Enabled) {
        c.enabled = value;
        changed(control, Change::Enabled);
    } else {
        c.checked = value;
        changed(control, Change::Checked);
    }
}

bool Dialog::getLogical(int control, Index index) const {
    const Control& c = this->control(control);
    return index == Index::Enabled ? c.enabled : c.checked;
}

void Dialog::requireEnabled(int control, std::string_view action) const {
    if (!this->control(control).enabled) {
        throw ControlRefused("cannot " + std::string(action) + " " + describe(control) +
                             ": it is disabled");
    }
}

void Dialog::requireReachable(std::string_view action) const {
    if (guard_) guard_(*this, action);
}

void Dialog::userType(int control, std::string_view text) {
    requireReachable("type");
    requireEnabled(control, "type into");
    Control& c = at(control);
    const bool typable = c.layout.kind == ControlKind::Edit ||
                         (c.layout.kind == ControlKind::Combo && c.layout.editable);
    if (!typable || c.layout.readOnly) {
        throw ControlRefused("cannot type into " + describe(control) + ": it takes no typing");
    }
    c.text = std::string(text);
    changed(control, Change::Text);
    if (c.selection != -1) {
        c.selection = -1;
        changed(control, Change::Selection);
    }
    fire(control, CallbackKind::EditChanged);
}

void Dialog::userPick(int control, int itemIndex) {
    requireReachable("pick");
    requireEnabled(control, "pick in");
    Control& c = at(control);
    if (c.layout.kind != ControlKind::Combo || itemIndex < 0 ||
        itemIndex >= static_cast<int>(c.items.size())) {
        throw ControlRefused("cannot pick item " + std::to_string(itemIndex) + " in " +
                             describe(control));
    }
    c.selection = itemIndex;
    c.text = c.items[static_cast<std::size_t>(itemIndex)];
    changed(control, Change::Selection);
    changed(control, Change::Text);
    fire(control, CallbackKind::SelectionChanged);
}

void Dialog::userPick(int control, std::string_view itemText) {
    const Control& c = this->control(control);
    const auto it = std::find(c.items.begin(), c.items.end(), itemText);
    if (it == c.items.end()) {
        throw ControlRefused("cannot pick \"" + std::string(itemText) + "\" in " +
                             describe(control) + ": no such item");
    }
    userPick(control, static_cast<int>(it - c.items.begin()));
}

void Dialog::selectRadio(int control) {
    for (const auto& group : layout_.radioGroups) {
        if (std::find(group.begin(), group.end(), control) == group.end()) continue;
        for (int member : group) {
            if (has(member) && member != control && at(member).checked) {
                at(member).checked = false;
                changed(member, Change::Checked);
            }
        }
    }
    at(control).checked = true;
    changed(control, Change::Checked);
}

void Dialog::userClick(int control) {
    requireReachable("click");
    requireEnabled(control, "click");
    Control& c = at(control);
    switch (c.layout.kind) {
        case ControlKind::Radio:
            selectRadio(control);
            break;
        case ControlKind::Check:
            c.checked = !c.checked;
            changed(control, Change::Checked);
            break;
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            break;
        default:
            throw ControlRefused("cannot click " + describe(control) + ": it is not a button");
    }
    const bool handled = callbacks_.count({control, CallbackKind::Default}) > 0;
    if (!handled && (control == kIdOk || control == kIdCancel)) {
        end(control);
        return;
    }
    fire(control, CallbackKind::Default);
}

void Dialog::userSpin(int control, int position) {
    requireReachable("spin");
    requireEnabled(control, "spin");
    Control& c = at(control);
    if (c.layout.kind != ControlKind::Spin) {
        throw ControlRefused("cannot spin " + describe(control) + ": it is not a spin control");
    }
    setPosition(c, position);
    changed(control, Change::Position);
    fire(control, CallbackKind::Default);
}

void Dialog::userClose() {
    requireReachable("close");
    if (closeHandler_) {
        closeHandler_(*this);
    } else if (callbacks_.count({kIdCancel, CallbackKind::Default}) > 0) {
        fire(kIdCancel, CallbackKind::Default);
    } else {
        end(kIdCancel);
    }
}

void Dialog::open(Modality modality) {
    if (open_) {
        throw std::logic_error("dialog " + std::to_string(id()) + " (\"" + layout_.title +
                               "\") is already open");
    }
    open_ = true;
    modality_ = modality;
    exitCode_ = 0;
    changed(kNoControl, Change::Opened);
}

void Dialog::end(int code) {
    exitCode_ = code;
    if (!open_) return;
    open_ = false;
    changed(kNoControl, Change::Closed);
}

}  // namespace qalix
