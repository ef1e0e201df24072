#include "design/level_choice.hpp"

#include <stdexcept>
#include <string>
#include <vector>

#include "design/fixed_sample.hpp"
#include "design/panel_ids.hpp"
#include "engine/calibration.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

Calibration calibrationKey(const DesignContext& program, LevelChoice choice, double a) {
    const DesignRecord& r = program.record;
    Calibration key;
    key.choice = choice;
    key.alpha = r.alpha;
    key.a = a;
    key.looks = r.numLooks;
    for (int k = 0; k < r.numLooks; ++k)
        key.times[static_cast<std::size_t>(k)] = r.engineTime[static_cast<std::size_t>(k)];
    return key;
}

bool sameInputs(const Calibration& x, const Calibration& y) {
    return x.choice == y.choice && x.alpha == y.alpha && x.a == y.a && x.looks == y.looks &&
           x.times == y.times;
}

}  // namespace

std::optional<LevelChoice> levelChoiceOf(std::string_view name) {
    if (name == kNominalLevel) return LevelChoice::Nominal;
    if (name == kExactLevel) return LevelChoice::Exact;
    if (name == kExactNonbindingLevel) return LevelChoice::ExactNonbinding;
    return std::nullopt;
}

std::string_view levelName(LevelChoice choice) {
    switch (choice) {
        case LevelChoice::Nominal:
            return kNominalLevel;
        case LevelChoice::Exact:
            return kExactLevel;
        case LevelChoice::ExactNonbinding:
            return kExactNonbindingLevel;
    }
    return kNominalLevel;
}

LevelChoice chosenLevel(const DesignContext& program) {
    return levelChoiceOf(program.panel().getText(panel::kLevelCombo))
        .value_or(LevelChoice::Nominal);
}

bool calibrateCritical(DesignContext& program, double a) {
    const LevelChoice choice = chosenLevel(program);
    if (choice == LevelChoice::Nominal) return true;
    DesignRecord& r = program.record;
    Calibration key = calibrationKey(program, choice, a);
    try {
        const double alpha = static_cast<double>(r.alpha);
        const std::vector<double> t = appliedLookTimes(r);
        key.z = choice == LevelChoice::Exact
                    ? exactLevelCritical(a, r.numLooks, t.data(), alpha)
                    : exactNonbindingCritical(a, r.numLooks, t.data(), alpha);
    } catch (const std::exception& refused) {
        program.error("The critical value that gives the level " + formatFreeSingle(r.alpha) +
                      " exactly cannot be found for these boundaries: " + refused.what() + ".");
        return false;
    }
    program.sequential.calibration = key;
    return true;
}

std::vector<double> appliedLookTimes(const DesignRecord& r) {
    std::vector<double> t;
    const auto K = static_cast<std::size_t>(r.numLooks);
    for (std::size_t k = 0; k < K; ++k) {
        t.push_back(isBrownian(r) ? r.infoTime[k]
                                  : static_cast<double>(r.cumSize[k]) / r.cumSize[K - 1]);
    }
    t.back() = 1.0;
    return t;
}

double criticalValueInUse(const DesignContext& program) {
    const LevelChoice choice = chosenLevel(program);
    const std::optional<Calibration>& c = program.sequential.calibration;
    if (choice == LevelChoice::Nominal || !c ||
        !sameInputs(*c, calibrationKey(program, choice, program.sequential.coefficient)))
        return zOfAlpha(program.record);
    return c->z;
}

}  // namespace qalix
