#include "report/analysis_plot.hpp"

#include "canvas/svg_canvas.hpp"
#include "design/panel_ids.hpp"
#include "graphics/plot_ids.hpp"
#include "graphics/plot_page.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

std::string boundaryPlotSvg(Session& s) {
    FrameWindow& frame = s.program().frame();
    s.act([](Driver& ui) { ui.click(panel::kGraphicWindow); });
    s.inModal(kPlotDialog, kIdCancel, [] {});
    s.act([&frame](Driver&) { frame.command(menu::kPlotBoundary); });
    SvgCanvas canvas(kPlotPage.width(), kPlotPage.height());
    if (const RecordingCanvas* picture = frame.picture()) picture->replay(canvas);
    return canvas.svg();
}

}  // namespace qalix
