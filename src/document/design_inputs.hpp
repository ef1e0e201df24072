// What defines a design, as the user types it: the design chosen, the fixed-sample parameters
// (and which one is computed from the others), the looks placed by group sizes or information
// times, rho_max to search a for or a itself, and the true means at which the operating
// characteristics are asked for. Texts as typed; an input not given is not typed, and the
// program's own value stands.
//
// Inputs go into a program as a user types them, and come back out of one as the user left
// them: the command line, the design files and the reports all enter a design this way, on a
// screen or not, and the desktop reads its panel back into inputs to save or reproduce it.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "design/design_record.hpp"

namespace qalix {

class Program;

// True means on the Brownian scale (delta) or on the data scale (mu).
struct MeanList {
    bool onDataScale = false;
    std::vector<std::string> texts;
};

struct DesignInputs {
    std::string design{kNormseqKey};
    std::optional<std::string> alpha, power, sd, mu, m;
    std::optional<std::string> solve;  // m, mu, sd, power or alpha: computed from the others
    // Two groups with this allocation ratio (treatment : control); one sample when none.
    std::optional<std::string> allocation;
    std::optional<std::string> looks;
    // The looks before the last, when typed; the dialog's own division otherwise.
    std::optional<std::vector<std::string>> groups, times;
    std::optional<std::string> rho, a;
    // The level the critical value gives (nominal when none: the fixed-sample test's z), and
    // whether the size (or the alternative on information time) grows until the power reaches
    // its target.
    std::optional<std::string> level;
    bool holdPower = false;
    std::optional<MeanList> means;
};

// Inputs the dialogs cannot take as given: a list of looks of the wrong length.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Runs after every action: the command line ends the run at the first message the program
// showed.
using AfterAction = std::function<void()>;

// Sections 1 and 2 of the panel: the design, the parameters, the one computed.
void enterFixedDesign(Program& program, const DesignInputs& inputs, const AfterAction& after);
// Sections 3 and 4: the looks, the boundary coefficient, "Sequential Design".
void enterSequentialDesign(Program& program, const DesignInputs& inputs, const AfterAction& after);

// The means a document computes (its own first), followed by the design's own means, those on
// the other scale carried over as mu = delta * sigma / sqrt(M): no mean a design file gives
// is dropped, so each is checked as the design command checks it.
MeanList withDesignMeans(MeanList own, const std::optional<MeanList>& design,
                         const DesignRecord& record);

// The inputs of the design a running program shows, read off its panel and its
// information-time dialog as the user left them, so that the design can be entered again in a
// program of its own and written as a file, a command or tables: the design chosen; each
// parameter's text as the panel shows it, except the one the panel computed, which is solved
// again (a text that does not read back as the value the record holds was computed, not
// typed); the number of looks; rho_max when the coefficient shown is the one its search
// returned, else a as shown. With looks, the looks before the last as the dialog shows them
// (group sizes, or times on information time); without, the dialog divides the trial itself.
DesignInputs typedInputs(const Program& program, bool withLooks);

}  // namespace qalix
