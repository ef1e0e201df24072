#include "platform/headless/driver.hpp"

namespace qalix {

// The modal rule itself is the dialog set's, which every user action passes (ui/dialog_set).
Dialog& Driver::reachable(int id, std::string_view action) {
    Dialog& dialog = dialogs_.get(id);
    dialogs_.requireInput(&dialog, action);
    return dialog;
}

void Driver::type(int dialog, int control, std::string_view text) {
    reachable(dialog, "type").userType(control, text);
}

void Driver::pick(int dialog, int control, std::string_view item) {
    reachable(dialog, "pick").userPick(control, item);
}

void Driver::click(int dialog, int control) {
    reachable(dialog, "click").userClick(control);
}

void Driver::spin(int dialog, int control, int position) {
    reachable(dialog, "spin").userSpin(control, position);
}

void Driver::close(int dialog) {
    reachable(dialog, "close").userClose();
}

std::string Driver::text(int dialog, int control) const {
    return dialogs_.get(dialog).getText(control);
}

bool Driver::enabled(int dialog, int control) const {
    return dialogs_.get(dialog).getLogical(control, Index::Enabled);
}

bool Driver::checked(int dialog, int control) const {
    return dialogs_.get(dialog).getLogical(control);
}

int Driver::position(int dialog, int control) const {
    return dialogs_.get(dialog).getInt(control);
}

std::vector<std::string> Driver::items(int dialog, int control) const {
    const Dialog& d = dialogs_.get(dialog);
    std::vector<std::string> list;
    for (int i = 0; i < d.getInt(control, Index::ItemCount); ++i)
        list.push_back(d.item(control, i));
    return list;
}

}  // namespace qalix
