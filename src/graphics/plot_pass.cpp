#include "graphics/plot_pass.hpp"

#include <array>
#include <span>

#include "graphics/boundary_plot.hpp"
#include "graphics/expected_size_plot.hpp"
#include "graphics/plot_entries.hpp"
#include "graphics/power_plot.hpp"

namespace qalix {

namespace {

constexpr std::array kAlphaAndRho = {PanelEntry::Alpha, PanelEntry::RhoMax};
constexpr std::array kRhoOnly = {PanelEntry::RhoMax};

std::span<const PanelEntry> entriesOf(PlotKind kind) {
    if (kind == PlotKind::Power) return kRhoOnly;
    return kAlphaAndRho;
}

}  // namespace

bool readPlotEntries(PlotContext& program, PlotKind kind) {
    float rhoMax = 0.0f;
    return readPanelEntries(program, entriesOf(kind), rhoMax);
}

bool paintPlot(PlotContext& program, PlotKind kind, Canvas& canvas) {
    float rhoMax = 0.0f;
    if (!readPanelEntries(program, entriesOf(kind), rhoMax)) return false;
    switch (kind) {
        case PlotKind::Boundary:
            PlotBound(program, canvas, kWindowBoundary, rhoMax);
            break;
        case PlotKind::Power:
            PlotPwrFunc(program, canvas, kWindowPower, rhoMax);
            break;
        case PlotKind::ExpectedSize:
            PlotExpecSize(program, canvas, kWindowExpectedSize, rhoMax);
            break;
    }
    return true;
}

namespace {

void keepPicture(PlotContext& program, PlotKind kind) {
    RecordingCanvas picture;
    if (!paintPlot(program, kind, picture)) return;
    GraphicsState& graphics = program.graphics;
    graphics.picture = std::move(picture);
    graphics.designPicture = true;
    graphics.pictureInputs = program.sequential.resultInputs;
    program.frame.pictureChanged();
}

}  // namespace

void redrawPlot(PlotContext& program) {
    if (program.graphics.showing) keepPicture(program, *program.graphics.showing);
}

void drawBoundaryPicture(PlotContext& program) {
    program.record.plotSource = "None";
    program.record.plotTag = kBoundaryTag;
    keepPicture(program, PlotKind::Boundary);
}

}  // namespace qalix
