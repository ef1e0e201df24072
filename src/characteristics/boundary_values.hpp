// "Critical Boundary Values": the futility and significance boundaries of one look on the
// sum scale, the Brownian scale and as critical P-values.
#pragma once

#include "design/dialog.hpp"
#include "design/program.hpp"

namespace qalix {

// Callback of the look spin, the partial-size spin and the "Information Time" button.
void BOUNDARY(Program& program, Dialog& dialog, int control, CallbackKind kind);

}  // namespace qalix
