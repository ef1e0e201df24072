// What defines a design, as the user types it: the design chosen, the fixed-sample parameters
// (and which one is computed from the others), the looks placed by group sizes or information
// times, rho_max to search a for or a itself, and the true means at which the operating
// characteristics are asked for. Texts as typed; an input not given is not typed, and the
// program's own value stands.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/design_record.hpp"

namespace qalix {

// True means on the Brownian scale (delta) or on the data scale (mu).
struct MeanList {
    bool onDataScale = false;
    std::vector<std::string> texts;
};

struct DesignInputs {
    std::string design{kNormseqKey};
    std::optional<std::string> alpha, power, sd, mu, m;
    std::optional<std::string> solve;  // m, mu, sd, power or alpha: computed from the others
    std::optional<std::string> looks;
    // The looks before the last, when typed; the dialog's own division otherwise.
    std::optional<std::vector<std::string>> groups, times;
    std::optional<std::string> rho, a;
    std::optional<MeanList> means;
};

}  // namespace qalix
