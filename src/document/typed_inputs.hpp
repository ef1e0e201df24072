// The inputs of the design a running program shows, read off its panel and its
// information-time dialog as the user left them, so that the design can be entered again in a
// program of its own (design_entry.hpp) and written as a file, a command or tables.
#pragma once

#include "document/design_inputs.hpp"
#include "shell/program.hpp"

namespace qalix {

// The design chosen; each parameter's text as the panel shows it, except the one the panel
// computed, which is solved again (a text that does not read back as the value the record
// holds was computed, not typed); the number of looks; rho_max when the coefficient shown is
// the one its search returned, else a as shown. With looks, the looks before the last as the
// dialog shows them (group sizes, or times on information time); without, the dialog divides
// the trial itself.
DesignInputs typedInputs(const Program& program, bool withLooks);

}  // namespace qalix
