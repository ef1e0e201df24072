// Candidate designs computed side by side: each in a program of its own, on as many threads as
// asked, the costliest first so that the threads end together; the outcomes in the order the
// candidates were given, whatever thread ran them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/comparison.hpp"

namespace qalix {

struct CandidateOutcome {
    std::optional<ComparisonRow> row;  // none when the design showed a message
    std::string messages;              // what the candidate's program printed, line by line
};

// Candidate i is numbered i + 1; with `curves` each row holds its curves too.
std::vector<CandidateOutcome> computeCandidates(const std::vector<DesignInputs>& candidates,
                                                unsigned threads, bool curves);

}  // namespace qalix
