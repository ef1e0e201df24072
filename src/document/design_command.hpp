// The one command line that reproduces a design: `qalix design` with every input written out,
// since the program's defaults may change, each quoted for a POSIX shell where it needs it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/design_snapshot.hpp"

namespace qalix {

// The inputs with every parameter the design rests on written out: those not typed take the
// text the panel showed (a parameter computed from the others stays computed). The looks are
// written out only when typed: otherwise the dialog divides the trial itself.
DesignInputs completeInputs(const DesignSnapshot& snapshot);

std::string designCommand(const DesignInputs& inputs);

// The qalix analyse command of the design and the looks of its trial.
std::string analysisCommand(const DesignInputs& inputs, const std::vector<std::string>& looks,
                            const std::optional<std::string>& confidence);

// A word as a POSIX shell reads it back unchanged.
std::string shellQuoted(const std::string& word);

}  // namespace qalix
