#include "graphics/observed_path.hpp"

#include <array>
#include <string>

namespace qalix {

namespace {

// The mark at a look: a square this many device units either side of it.
constexpr int kMarkHalf = 4;
// The decision's word: right of the mark and a little below it; at the final analysis, on the
// axis t = 1, left of it, clear of the final critical value's label on the right.
constexpr float kWordGap = 0.012f;
constexpr float kWordDrop = 0.06f;
// The legend, left of the frame above the sample paths' legend (its header at 3.2), with room
// before the frame for the wider faces a PDF may draw it in.
constexpr WorldPoint kLegendMarkFrom{-0.95f, 3.83f};
constexpr WorldPoint kLegendMarkTo{-0.87f, 3.83f};
constexpr std::array<Caption, 2> kLegend = {{
    {{-0.84f, 3.93f}, "Observed path  S_t = Z_t sqrt(t)"},
    {{-0.84f, 3.73f}, "each look marked with its decision"},
}};

bool current(const ObservedPath& path, const PlotContext& program) {
    return program.sequential.designComputed &&
           path.designInputs == program.sequential.resultInputs;
}

void decisionWord(PlotPainter& painter, const ObservedLook& look) {
    if (look.t < 1.0f) {
        painter.text({look.t + kWordGap, look.s - kWordDrop}, look.decision);
        return;
    }
    painter.rightAligned(
        std::array{Caption{{look.t - kWordGap, look.s - kWordDrop}, look.decision}});
}

}  // namespace

void drawObservedPath(PlotPainter& painter, const PlotContext& program) {
    const std::optional<ObservedPath>& path = program.graphics.observed;
    if (!path || path->looks.empty() || !current(*path, program)) return;
    painter.pen(kObservedPen);
    painter.pathStart({0.0f, 0.0f});
    for (const ObservedLook& look : path->looks)
        painter.pathTo({look.t, look.s});
    for (const ObservedLook& look : path->looks) {
        if (!painter.inFrame({look.t, look.s})) continue;
        painter.mark({look.t, look.s}, kMarkHalf);
        decisionWord(painter, look);
    }
    painter.line(kLegendMarkFrom, kLegendMarkTo);
    painter.texts(kLegend);
}

}  // namespace qalix
