// Callbacks of the main control panel that steer it: the design choice, the number of
// looks, the sequential-design and window buttons, and the exit.
#pragma once

#include "design/context.hpp"
#include "ui/dialog.hpp"

namespace qalix {

// Puts the start-up values of the fixed-sample design into the record and the panel combos,
// and forgets the samples.
void resetFixedDesign(Dialog& panel, DesignRecord& record);

// Design choice: resets the fixed-sample parameters and sets captions and enabled states.
void UPDATDESIGN(DesignContext& program, Dialog& panel, int control, CallbackKind kind);

// A change of the number of looks invalidates the information times: "rho" and
// "Bound-Coeff  a:" wait for them to be entered again.
void NLOOKCHANGE(DesignContext& program, Dialog& panel, int control, CallbackKind kind);

// "Sequential Design" and the window buttons.
void DISPLAYCHARTC(DesignContext& program, Dialog& panel, int control, CallbackKind kind);

// "EXIT": ends the program, asking first as the close boxes do when text would be lost.
void QALIXINFSUB(DesignContext& program, Dialog& panel, int control, CallbackKind kind);

// "Close": minimises the frame window.
void SHUTDOWNWINDOW(DesignContext& program, Dialog& panel, int control, CallbackKind kind);

// Attaches the callbacks above, the fixed-sample calculator and the sequential design
// callbacks to the panel.
void attachPanelCallbacks(DesignContext& program);

}  // namespace qalix
