#include "graphics/sample_paths.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>

#include "graphics/plot_entries.hpp"
#include "numeric/number_text.hpp"
#include "samples/import_selection.hpp"
#include "samples/set_tables.hpp"
#include "samples/simulation.hpp"

namespace qalix {

namespace {

// Sets drawn in the legend, and where its rows lie: the mark of set s at 3 - 0.25 s, its
// texts at 3.1 - 0.25 s.
constexpr int kLegendSets = 12;
constexpr float kMarkTop = 3.0f;
constexpr float kTextTop = 3.1f;
constexpr float kLegendRow = 0.25f;
constexpr float kHeaderY = 3.2f;
// One colour for each legend row, told apart at a glance on white and from the boundaries'
// magenta, blue, cyan and red (the slopes of s the paths once had made neighbouring paths
// nearly the same red); paths beyond the twelfth take them again in turn.
constexpr std::array<Colour, kLegendSets> kPathColours = {{{213, 94, 0},
                                                           {0, 114, 178},
                                                           {0, 158, 115},
                                                           {204, 121, 167},
                                                           {230, 159, 0},
                                                           {86, 180, 233},
                                                           {140, 81, 10},
                                                           {84, 39, 136},
                                                           {102, 166, 30},
                                                           {0, 90, 80},
                                                           {99, 99, 99},
                                                           {180, 30, 40}}};

// Simulated paths: header, mark and texts.
constexpr float kSimHeaderX = -0.77f;
constexpr float kSimMarkFrom = -0.73f, kSimMarkTo = -0.65f;
constexpr float kSimNumberX = -0.77f, kSimValuesX = -0.58f;
constexpr std::string_view kDeltaHeader = "Sample Paths         delta";
constexpr std::string_view kMeanDeltaHeader = "Sample Paths         mu          delta";
constexpr std::string_view kExportedHeader = "Sample Paths        mu          delta";
constexpr int kDeltaHeaderWidth = 26;
constexpr int kSimHeaderWidth = 38;
constexpr int kSimHeaderDrawn = 38;
constexpr int kSetNumberWidth = 4, kSetNumberDrawn = 8;
constexpr NumberField kSetMean{7, 3};
constexpr int kMeanGap = 7;  // blanks between mu and delta
constexpr int kSimValuesDrawn = 26;

// Imported paths.
constexpr std::string_view kImportHeader = "Variables     Sample Paths   Std-Dev (type)    Size";
constexpr int kImportHeaderWidth = 51;
constexpr float kImportHeaderX = -0.92f;
constexpr float kImportMarkFrom = -0.75f, kImportMarkTo = -0.65f;
constexpr float kImportNameX = -1.0f, kImportValuesX = -0.6f;
constexpr std::string_view kNameSeparator = ".  ";
constexpr int kSeparatorWidth = 3, kNameWidth = 20, kNameDrawn = 27;
constexpr NumberField kSigma{7, 3};
constexpr int kSigmaGap = 2, kKindWidth = 5, kKindGap = 3, kSizeWidth = 5;
constexpr int kImportValuesDrawn = 22;
// Under "All", whether a record's SD is the one its file gave (or the user typed), or estimated.
constexpr std::string_view kAssumedKind = "Assum";
constexpr std::string_view kEstimatedKind = "Estim";
constexpr std::string_view kNoSd = "?";

float markY(int s) {
    return kMarkTop - kLegendRow * static_cast<float>(s);
}
float textY(int s) {
    return kTextTop - kLegendRow * static_cast<float>(s);
}

std::string blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

template <std::size_t N>
std::string padded(const FixedText<N>& text) {
    std::string out = text.str();
    out.resize(N, ' ');
    return out;
}

// The points of a simulated set that exist: at most N, the set's size, and what its
// simulation (or the copy taken of it) holds.
struct SimulatedTables {
    const SampleTable<float, kMaxSimSets, kMaxSimSize>& time;
    const SampleTable<float, kMaxSimSets, kMaxSimSize>& path;
};

void simulatedLegend(PlotPainter& p, const DesignRecord& r, int s, PathLegend legend) {
    p.line({kSimMarkFrom, markY(s)}, {kSimMarkTo, markY(s)});
    p.text({kSimNumberX, textY(s)}, drawnText(formatI(s, kSetNumberWidth), kSetNumberDrawn));
    const std::size_t at = slot(s);
    const std::string delta = formatField(r.simDelta[at], kSetMean);
    const bool deltaOnly = legend == PathLegend::ByDesign && isBrownian(r);
    const std::string values =
        deltaOnly ? delta : formatField(r.simMean[at], kSetMean) + blanks(kMeanGap) + delta;
    p.text({kSimValuesX, textY(s)}, drawnText(values, kSimValuesDrawn));
}

std::string simulatedHeader(const DesignRecord& r, PathLegend legend) {
    if (legend == PathLegend::MeanAndDelta) return formatA(kExportedHeader, kSimHeaderWidth);
    if (isBrownian(r)) return formatA(kDeltaHeader, kDeltaHeaderWidth);
    return formatA(kMeanDeltaHeader, kSimHeaderWidth);
}

void drawSimulated(PlotPainter& p, PlotContext& program, SamplePaths paths, PathLegend legend,
                   int N) {
    const DesignRecord& r = program.record;
    if (r.simRecordCount <= 0) return;
    if (paths == SamplePaths::NewSimulated && (!SIMUOBSERV(program) || !r.simReady)) return;
    const bool saved = paths == SamplePaths::SavedSimulated;
    const SimulatedTables tables = saved ? SimulatedTables{r.savedSimTime, r.savedSimPath}
                                         : SimulatedTables{r.simTime, r.simPath};
    p.text({kSimHeaderX, kHeaderY}, drawnText(simulatedHeader(r, legend), kSimHeaderDrawn));
    const int sets = std::min(r.simRecordCount, kMaxSimSets);
    for (int s = 1; s <= sets; ++s) {
        const std::size_t at = slot(s);
        const int held = saved ? r.savedSimSize[at] : program.samples.drawn[at];
        const int n = std::clamp(std::min({N, r.simSize[at], held}), 0, kMaxSimSize);
        p.pen({PenStyle::Dot, plotpen::kPathWidth, pathColour(s)});
        p.pathStart({0.0f, 0.0f});
        for (std::size_t j = 0; j < static_cast<std::size_t>(n); ++j)
            p.pathTo({tables.time[at][j], tables.path[at][j]});
        if (s <= kLegendSets) simulatedLegend(p, r, s, legend);
    }
}

// One imported set as the plot draws it: its record, size, SD, name and SD kind.
struct ImportedSet {
    int record;
    int size;
    double sigma;
    std::string name;
    std::string kind;
};

// Record s drawn with every other: with the SD its file gives (or the user typed), or else the
// one the selection dialog estimates from its observations; the legend says which.
ImportedSet allImportedSet(const DesignRecord& r, int s) {
    const std::size_t at = slot(s);
    const std::string name = padded(r.importVarName[at]);
    if (r.importSD[at] > 0.0)
        return {s, r.importSize[at], r.importSD[at], name, std::string(kAssumedKind)};
    const auto n = static_cast<std::size_t>(std::clamp(r.importSize[at], 0, kMaxImportSize));
    const double estimate = estimatedSD(std::span<const float>(r.importObs[at].data(), n));
    return {s, r.importSize[at], estimate, name, std::string(kEstimatedKind)};
}

ImportedSet importedSet(const DesignRecord& r, SamplePaths paths, int s) {
    const std::size_t at = slot(s);
    if (paths == SamplePaths::AllImported) return allImportedSet(r, s);
    const int record = r.selRecord[at];
    // A set selected without a name of its own goes under its record's.
    const bool named = !r.selVarName[at].str().empty();
    const bool recorded = record >= 1 && record <= kMaxImportSets;
    const std::string name =
        named || !recorded ? padded(r.selVarName[at]) : padded(r.importVarName[slot(record)]);
    return {record, r.selSize[at], r.selSD[at], name, padded(r.selSDKind[at])};
}

// S_j = sum of x_i / (sqrt(N) sigma) at j / N, in single precision. A set without a positive
// SD cannot be put on that scale and draws no path.
void importedPath(PlotPainter& p, const DesignRecord& r, const ImportedSet& set, int n, int N) {
    const auto sigma = static_cast<float>(set.sigma);
    if (!(sigma > 0.0f) || set.record < 1 || set.record > kMaxImportSets) return;
    const float rootN = std::sqrt(static_cast<float>(N));
    const auto& obs = r.importObs[slot(set.record)];
    float S = 0.0f;
    for (int j = 1; j <= n; ++j) {
        S = S + obs[slot(j)] / (rootN * sigma);
        p.pathTo({static_cast<float>(j) / static_cast<float>(N), S});
    }
}

void importedLegend(PlotPainter& p, const ImportedSet& set, int s, int n) {
    p.line({kImportMarkFrom, markY(s)}, {kImportMarkTo, markY(s)});
    const std::string name = formatI(s, kSetNumberWidth) +
                             formatA(kNameSeparator, kSeparatorWidth) +
                             formatA(set.name, kNameWidth);
    p.text({kImportNameX, textY(s)}, drawnText(name, kNameDrawn));
    // An SD that cannot be estimated (one observation) is "?", as the selection dialog shows it.
    const std::string sigma =
        set.sigma > 0.0 ? formatField(set.sigma, kSigma) : formatA(kNoSd, kSigma.width);
    const std::string values = sigma + blanks(kSigmaGap) + formatA(set.kind, kKindWidth) +
                               blanks(kKindGap) + formatI(n, kSizeWidth);
    p.text({kImportValuesX, textY(s)}, drawnText(values, kImportValuesDrawn));
}

void drawImported(PlotPainter& p, const DesignRecord& r, SamplePaths paths, int N) {
    const int count = paths == SamplePaths::AllImported ? r.importCount : r.selectedSetCount;
    const int sets = std::min(count, kMaxImportSets);
    if (sets <= 0) return;
    p.text({kImportHeaderX, kHeaderY},
           drawnText(formatA(kImportHeader, kImportHeaderWidth), kImportHeaderWidth));
    for (int s = 1; s <= sets; ++s) {
        const ImportedSet set = importedSet(r, paths, s);
        const int n = std::clamp(std::min(N, set.size), 0, kMaxImportSize);
        p.pen({PenStyle::Dot, plotpen::kPathWidth, pathColour(s)});
        p.pathStart({0.0f, 0.0f});
        importedPath(p, r, set, n, N);
        if (s <= kLegendSets) importedLegend(p, set, s, n);
    }
}

SamplePaths simulatedBySource(const DesignRecord& r) {
    if (r.plotSource == "New") return SamplePaths::NewSimulated;
    if (r.plotSource == "Saved") return SamplePaths::SavedSimulated;
    return SamplePaths::None;
}

SamplePaths importedBySource(const DesignRecord& r) {
    if (r.plotSource == "AllImport") return SamplePaths::AllImported;
    if (r.plotSource == "SelectedImport") return SamplePaths::SelectedImported;
    return SamplePaths::None;
}

}  // namespace

SamplePaths windowPaths(const DesignRecord& r) {
    const SamplePaths simulated = simulatedBySource(r);
    return simulated != SamplePaths::None ? simulated : importedBySource(r);
}

SamplePaths exportedPaths(const DesignRecord& r) {
    if (r.sampleSource == "Simu") {
        if (r.plotSource == "None" || r.simRecordCount <= 0) return SamplePaths::None;
        const SamplePaths simulated = simulatedBySource(r);
        return simulated != SamplePaths::None ? simulated : SamplePaths::CurrentSimulated;
    }
    if (r.sampleSource == "Observ") return importedBySource(r);
    return SamplePaths::None;
}

Colour pathColour(int s) {
    const int count = static_cast<int>(kPathColours.size());
    return kPathColours[static_cast<std::size_t>(((s - 1) % count + count) % count)];
}

void drawSamplePaths(PlotPainter& painter, PlotContext& program, SamplePaths paths,
                     PathLegend legend, int N) {
    switch (paths) {
        case SamplePaths::None:
            return;
        case SamplePaths::NewSimulated:
        case SamplePaths::SavedSimulated:
        case SamplePaths::CurrentSimulated:
            return drawSimulated(painter, program, paths, legend, N);
        case SamplePaths::AllImported:
        case SamplePaths::SelectedImported:
            return drawImported(painter, program.record, paths, N);
    }
}

}  // namespace qalix
