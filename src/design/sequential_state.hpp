// What the sequential-design callbacks of the panel remember between calls besides the
// record: the coefficient last read, the search's iterates, and the full values behind the
// rounded texts of the panel's result fields.
#pragma once

#include <array>
#include <optional>
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

// How the critical value z of the last look is chosen: the fixed-sample test's (nominal), or
// calibrated so that the level is exactly alpha with the futility stops obeyed (exact) or
// ignored (exact-nonbinding).
enum class LevelChoice { Nominal, Exact, ExactNonbinding };

// A calibrated critical value and what it was calibrated for: it stands while these stand.
struct Calibration {
    LevelChoice choice = LevelChoice::Nominal;
    float alpha = 0.0f;
    double a = 0.0;
    int looks = 0;
    std::array<double, 16> times{};
    double z = 0.0;
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
    // The critical value "Sequential Design" calibrated last, when the level is not nominal.
    std::optional<Calibration> calibration;
    // With the power held, when it had to grow: the size M from the fixed-sample one to the
    // whole size that reaches the power (group sizes), or the alternative delta_a from
    // z_(1-alpha) + z_(power) to the one at which the power is its target (information time).
    std::optional<std::array<double, 2>> heldSize, heldAlternative;
    // The size's text before it grew: the inputs the design was entered with.
    std::string heldSizeText;
};

}  // namespace qalix
