// The panel's fields by the names the user reads beside them, for messages that speak of
// what the user sees rather than of the program's keys.
#pragma once

#include <string>

#include "design/context.hpp"

namespace qalix {

// The label of a panel field: the caption of its button as it stands now, without a closing
// "=" or ":" ("Sample Size m", "Bound-Coeff  a"), or the text beside a field that has no
// button ("Number of Looks", "Actual Power"). Empty for a control that is no field.
std::string panelFieldLabel(const Dialog& panel, int control);

// A panel field that a computation is about to use holds a number that reads. An unreadable
// one shows the entry error; a blank one, or one that only begins a number ("-", "1e"), is
// refused too, naming the field: the value an earlier entry left never stands in for it.
bool panelFieldFilled(DesignContext& program, int control);

}  // namespace qalix
