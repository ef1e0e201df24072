// Section 5 of the panel: the four dialogs of operating characteristics.
#pragma once

#include "design/dialog.hpp"
#include "design/program.hpp"

namespace qalix {

// Panel buttons of section 5: prepares a dialog, fills it once and runs it modally.
void OPERATCHARACT(Program& program, Dialog& panel, int control, CallbackKind kind);

void attachCharacteristicsCallbacks(Program& program);

}  // namespace qalix
