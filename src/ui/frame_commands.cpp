#include "ui/frame_commands.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace qalix {

void FrameCommands::add(FrameCommand command) {
    rows_.push_back(std::move(command));
}

const FrameCommand* FrameCommands::find(int id, FrameMode mode) const {
    bool known = false;
    for (const FrameCommand& row : rows_) {
        if (row.id != id) continue;
        known = true;
        if (row.refusal && !row.refusal().empty()) continue;
        if (row.modes.has(mode) && (!row.available || row.available())) return &row;
    }
    if (!known) throw std::logic_error("no frame command " + std::to_string(id));
    return nullptr;
}

std::string FrameCommands::refusal(int id) const {
    for (const FrameCommand& row : rows_) {
        if (row.id != id || !row.refusal) continue;
        if (std::string reason = row.refusal(); !reason.empty()) return reason;
    }
    return {};
}

std::vector<int> FrameCommands::ids() const {
    std::vector<int> ids;
    for (const FrameCommand& row : rows_) {
        if (std::find(ids.begin(), ids.end(), row.id) == ids.end()) ids.push_back(row.id);
    }
    return ids;
}

}  // namespace qalix
