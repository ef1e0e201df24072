// The one place where what the program throws is stopped before it reaches Qt's event loop:
// every widget signal, menu action and key that calls into the program goes through
// dispatch. A refused user action beeps, as a screen refuses a click it cannot take; any
// other error is shown in a message box and the program goes on.
#pragma once

#include <functional>

namespace qalix::qt {

void dispatch(const std::function<void()>& action);

}  // namespace qalix::qt
