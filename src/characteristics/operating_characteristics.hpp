// Section 5 of the panel: the four dialogs of operating characteristics.
#pragma once

#include "characteristics/context.hpp"
#include "ui/dialog.hpp"

namespace qalix {

// Panel buttons of section 5: prepares a dialog, fills it once and runs it modally.
void OPERATCHARACT(CharacteristicsContext& program, Dialog& panel, int control, CallbackKind kind);

void attachCharacteristicsCallbacks(CharacteristicsContext& program);

}  // namespace qalix
