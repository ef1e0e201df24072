// The frame commands the plots own: the five plots of the Plot menu, and in graphic mode the
// metafile Open, Save and Save As (which also writes SVG, PDF and PNG pictures) and the
// metafile print.
#pragma once

#include "graphics/plot_context.hpp"
#include "ui/frame_commands.hpp"

namespace qalix {

inline constexpr std::string_view kMetafileTitle = " Meta File:  ";
inline constexpr std::string_view kPictureTitle = " Picture File:  ";

void addGraphicsCommands(FrameCommands& commands, PlotContext& program);

// What the graphic window draws on the plot page whenever it paints: the picture of the last
// plot pass, or else the opened metafile stretched over the whole page; and over a plot of the
// design, the notice, when there is one, that its results are for earlier inputs.
void paintGraphicWindow(const GraphicsState& graphics, Canvas& canvas,
                        std::string_view staleNotice = {});

}  // namespace qalix
