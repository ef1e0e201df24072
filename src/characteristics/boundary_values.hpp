// "Critical Boundary Values": the futility and significance boundaries of one look on the
// sum scale, the Brownian scale and as critical P-values.
#pragma once

#include "characteristics/context.hpp"
#include "ui/dialog.hpp"

namespace qalix {

// Callback of the look spin, the partial-size spin and the "Information Time" button.
void BOUNDARY(CharacteristicsContext& program, Dialog& dialog, int control, CallbackKind kind);

}  // namespace qalix
