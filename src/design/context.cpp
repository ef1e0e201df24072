#include "design/context.hpp"

#include "design/panel_ids.hpp"

namespace qalix {

Dialog& DesignContext::panel() const {
    return dialog(kPanelDialog);
}

void DesignContext::error(std::string_view text) const {
    platform.messageBox(Message{std::string(kErrorCaption), std::string(text)});
}

}  // namespace qalix
