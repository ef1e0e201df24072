#include "ui/dialog_set.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace qalix {

bool DialogSet::init(int id) {
    std::optional<DialogTemplate> layout;
    try {
        layout = loader_(id);
    } catch (const std::runtime_error&) {
        return false;  // a damaged template stops start-up like a missing one
    }
    if (!layout) return false;
    auto dialog = std::make_unique<Dialog>(*layout);
    dialog->observe([this](const Dialog& d, int, Change change) { track(d, change); });
    dialog->guardInput(
        [this](const Dialog& d, std::string_view action) { requireInput(&d, action); });
    dialogs_[id] = std::move(dialog);
    return true;
}

Dialog& DialogSet::get(int id) {
    const auto it = dialogs_.find(id);
    if (it == dialogs_.end())
        throw std::logic_error("dialog " + std::to_string(id) + " was not built");
    return *it->second;
}

const Dialog& DialogSet::get(int id) const {
    return const_cast<DialogSet&>(*this).get(id);
}

std::vector<int> DialogSet::ids() const {
    std::vector<int> result;
    for (const auto& entry : dialogs_)
        result.push_back(entry.first);
    return result;
}

const Dialog* DialogSet::topModal() const {
    return modals_.empty() ? nullptr : &get(modals_.back());
}

namespace {

std::string named(const Dialog& dialog) {
    return "dialog " + std::to_string(dialog.id()) + " (\"" + dialog.layout().title + "\")";
}

}  // namespace

void DialogSet::requireInput(const Dialog* dialog, std::string_view action) const {
    const std::string target = dialog != nullptr ? " in " + named(*dialog) : "";
    if (dialog != nullptr && !dialog->isOpen())
        throw ControlRefused("cannot " + std::string(action) + target + ": it is not shown");
    const Dialog* top = topModal();
    if (top != nullptr && top != dialog) {
        throw ControlRefused("cannot " + std::string(action) + target + ": the modal " +
                             named(*top) + " is open over it");
    }
}

void DialogSet::track(const Dialog& dialog, Change change) {
    if (change == Change::Opened && dialog.isModal()) modals_.push_back(dialog.id());
    if (change == Change::Closed) std::erase(modals_, dialog.id());
}

}  // namespace qalix
