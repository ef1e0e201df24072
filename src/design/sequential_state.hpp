// What the sequential-design callbacks of the panel remember between calls besides the
// record: the coefficient last read, the search's iterates, and the full values behind the
// rounded texts of the panel's result fields.
#pragma once

#include <string>
#include <vector>

namespace qalix {

// An input as "Sequential Design" read it: the text of a control of a dialog.
struct ResultInput {
    int dialog;
    int control;
    std::string text;
    friend bool operator==(const ResultInput&, const ResultInput&) = default;
};

struct SequentialState {
    double coefficient = 0.0;            // a as last read
    std::vector<double> searchIterates;  // every a the last search evaluated, returned one last
    double achievedRho = 0.0;            // rho(a; 0) at the a shown, by the search or "rho"
    double maxDiscordance = 0.0;         // edit 1157
    double actualLevel = 0.0;            // edit 1024
    double actualPower = 0.0;            // edit 1025
    // "Sequential Design" has computed the design the panel shows; a design choice clears it.
    bool designComputed = false;
    // The inputs the results shown were computed from, and whether one differs since: the
    // results are then marked as being for earlier inputs (design/results_watch.hpp).
    std::vector<ResultInput> resultInputs;
    bool resultsStale = false;
};

}  // namespace qalix
