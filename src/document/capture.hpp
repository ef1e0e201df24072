// The snapshot of a design entered in a headless program: what the panel shows, and what each
// dialog of section 5 shows when the user opens it, types the means asked for and spins
// through the looks.
#pragma once

#include "document/design_snapshot.hpp"
#include "platform/headless/session.hpp"

namespace qalix {

struct CaptureParts {
    bool sequential = true;   // more than the fixed-sample design
    bool boundaries = false;  // "Critical Boundary Values" at every look
    bool curves = false;      // the power function and the expected information time
};

// Reads the snapshot; the operating characteristics at the inputs' means, if any.
DesignSnapshot captureSnapshot(Session& session, const DesignInputs& inputs,
                               const CaptureParts& parts);

// Enters the design as a user types it, reads the snapshot and completes its inputs with what
// the panel showed (design_command.hpp): how the command line and the desktop's design files
// compute a design, each in a program of its own. A message the program shows ends it
// (MessageShown).
DesignSnapshot computeSnapshot(Session& session, const DesignInputs& inputs,
                               const CaptureParts& parts);

// What a program's panel and information-time dialog show of its design, read without opening
// a dialog: the design, the panel's texts and values, and the looks once "Sequential Design"
// has computed it. No inputs.
DesignSnapshot panelSnapshot(const Program& program);

// A field's text and value; none when the text shows no number (blank, "n/a", "?").
Shown shownField(std::string text, double value);
Shown shownWhole(std::string text, long long value);

}  // namespace qalix
