#include "design/program.hpp"

#include <stdexcept>
#include <string>

namespace qalix {

Program::Program(Platform& platform)
    : platform_(platform), record_(std::make_unique<DesignRecord>()) {}

bool Program::initDialog(int id) {
    auto layout = loadDialogTemplate(id);
    if (!layout) return false;
    dialogs_[id] = std::make_unique<Dialog>(*layout);
    return true;
}

Dialog& Program::dialog(int id) {
    const auto it = dialogs_.find(id);
    if (it == dialogs_.end())
        throw std::logic_error("dialog " + std::to_string(id) + " not initialised");
    return *it->second;
}

}  // namespace qalix
