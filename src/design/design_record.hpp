// The one shared state of a design. Every computation reads the fields it needs at the moment
// it runs. Several values have no field here: their value of record is the text of a panel
// control (the boundary coefficient in combo 1053, rho_max in 1021, the number of looks in
// 1020, the sample size in 1047, the achieved discordance in edit 1157), parsed on each use.
#pragma once

#include <array>
#include <cstdint>

#include "engine/geometry.hpp"
#include "numeric/fixed_text.hpp"

namespace qalix {

inline constexpr int kMaxSimSets = 100;
inline constexpr int kMaxSimSize = 500;
inline constexpr int kMaxImportSets = 100;
inline constexpr int kMaxImportSize = 500;
inline constexpr int kMaxSelectedSets = 100;

using DesignKey = FixedText<10>;
// The three designs by the keys the record holds.
inline constexpr std::string_view kFixedKey = "fixed";
inline constexpr std::string_view kNormseqKey = "normseq";    // looks by group sizes of m
inline constexpr std::string_view kBrownianKey = "brownian";  // looks on information time
template <typename T>
using PerLook = std::array<T, kMaxLooks>;  // look k at index k - 1
template <typename T, int Sets, int Size>
using SampleTable = std::array<std::array<T, Size>, Sets>;  // [set][observation]

struct DesignRecord {
    // Fixed-sample design.
    DesignKey designKind;
    float alpha = 0.0f;
    double power = 0.0;
    double sampleSize = 0.0;  // m; number of grid steps in the "brownian" design
    double stdDev = 0.0;
    double altMean = 0.0;
    double altDelta = 0.0;  // z_(1-alpha) + z_(power)
    float zAlpha = 0.0f;    // cached z_(1-alpha), refreshed by each engine routine
    double thetaAlt = 0.0;  // standardized alternative of the expected-size dialog
    std::int32_t expectMeanSel = 0;
    // Two groups (design/allocation.hpp): the ratio r of treatment to control patients, 0 for
    // one sample; and the control and treatment groups the fixed-sample solution of m gave,
    // which stand for every total m that is their sum.
    double allocation = 0.0;
    std::array<std::int32_t, 2> solvedGroups{};

    // Sequential design.
    std::int32_t numLooks = 0;
    PerLook<double> infoTime{};    // as kept by the information-time dialog
    PerLook<double> engineTime{};  // as last parsed by the coefficient search
    PerLook<std::int32_t> groupSize{};
    PerLook<std::int32_t> cumSize{};
    double rhoMax = 0.0;
    // Intervals of the engine's outer grid: the program's own unless a check of accuracy asks
    // for a finer one; the table below was filled on it.
    std::int32_t gridIntervals = kGridIntervals;
    ContinuationTable coeffTable;

    // Panel choices and sample bookkeeping.
    bool graphicChosen = false;
    bool textChosen = false;
    bool importedChosen = false;
    bool simReady = false;
    bool importReady = false;
    std::int32_t simRecordCount = 0;
    std::int32_t importCount = 0;
    std::int32_t selectedSetCount = 0;

    // Simulated sample paths.
    std::array<double, kMaxSimSets> simDelta{};
    std::array<double, kMaxSimSets> simMean{};
    std::array<std::int32_t, kMaxSimSets> simSize{};
    std::int32_t simCurrentRecord = 0;
    std::array<double, kMaxSimSets> simSD{};
    SampleTable<float, kMaxSimSets, kMaxSimSize> simTime{};
    SampleTable<float, kMaxSimSets, kMaxSimSize> simPath{};
    SampleTable<float, kMaxSimSets, kMaxSimSize> simObs{};
    std::array<std::int32_t, kMaxSimSets> savedSimSize{};
    SampleTable<float, kMaxSimSets, kMaxSimSize> savedSimTime{};
    SampleTable<float, kMaxSimSets, kMaxSimSize> savedSimPath{};

    // Imported samples.
    std::array<std::int32_t, kMaxImportSets> importSize{};
    SampleTable<float, kMaxImportSets, kMaxImportSize> importObs{};
    SampleTable<float, kMaxImportSets, kMaxImportSize> importTime{};
    std::array<double, kMaxImportSets> importSD{};
    std::array<double, kMaxImportSets> importDelta{};
    std::array<double, kMaxImportSets> importMean{};
    // The record's SD, delta and mu are those a "Simu" file gave it: an "Observ" file that
    // redefines the record takes them away.
    std::array<bool, kMaxImportSets> importSimulated{};
    std::array<FixedText<20>, kMaxImportSets> importVarName{};
    FixedText<10> importNameKind;

    // Selected imported sets.
    std::array<std::int32_t, kMaxSelectedSets> selRecord{};
    std::array<std::int32_t, kMaxSelectedSets> selSize{};
    std::array<double, kMaxSelectedSets> selSD{};
    std::array<FixedText<5>, kMaxSelectedSets> selSDKind{};
    std::array<FixedText<20>, kMaxSelectedSets> selVarName{};
    std::array<double, kMaxImportSets> importEstSD{};

    // Frame state.
    FixedText<20> plotTag;
    FixedText<32> plotSource;
    FixedText<20> sampleSource;
    FixedText<10> importKind;
    bool importAvailable = false;
};

inline bool isBrownianKey(std::string_view key) {
    return key == kBrownianKey;
}
// The design's kind: a sequential test on a normal sample, or on information time.
inline bool isNormseq(const DesignRecord& r) {
    return r.designKind == kNormseqKey;
}
inline bool isBrownian(const DesignRecord& r) {
    return r.designKind == kBrownianKey;
}

}  // namespace qalix
