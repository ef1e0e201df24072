#include "platform/headless/driver.hpp"

namespace qalix {

void Driver::type(int dialog, int control, std::string_view text) {
    program_.dialog(dialog).userType(control, text);
}

void Driver::pick(int dialog, int control, std::string_view item) {
    program_.dialog(dialog).userPick(control, item);
}

void Driver::click(int dialog, int control) {
    program_.dialog(dialog).userClick(control);
}

void Driver::spin(int dialog, int control, int position) {
    program_.dialog(dialog).userSpin(control, position);
}

std::string Driver::text(int dialog, int control) const {
    return program_.dialog(dialog).getText(control);
}

bool Driver::enabled(int dialog, int control) const {
    return program_.dialog(dialog).getLogical(control, Index::Enabled);
}

bool Driver::checked(int dialog, int control) const {
    return program_.dialog(dialog).getLogical(control);
}

}  // namespace qalix
