// What the sample-path dialogs keep besides the design record: how the generator is seeded,
// how many observations each simulation set really has, and the means last read from the
// simulation dialog (a blank field leaves them).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "design/design_record.hpp"

namespace qalix {

struct SamplesState {
    // A seed fixed for tests and the command line: the n-th simulation of the run is then
    // seeded from (fixedSeed, n), so a run is reproducible and its simulations still differ.
    // Without it every simulation is seeded from the clock.
    std::optional<std::uint64_t> fixedSeed;
    std::uint64_t simulations = 0;  // simulations run so far
    std::uint64_t lastSeed = 0;     // the seed of the last one

    // Observations of each set drawn by its last simulation: 0 for a set selected since, so
    // that nothing is saved for a set that has no paths of its own.
    std::array<std::int32_t, kMaxSimSets> drawn{};

    // The means as last read from the simulation dialog's mu and delta fields.
    double mu = 0.0;
    double delta = 0.0;
};

}  // namespace qalix
