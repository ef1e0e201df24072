// The frame commands the sample paths own, all in the text window: "Save Simulation" and the
// three imports of the Data menu, each showing its file in the text window.
#pragma once

#include "samples/context.hpp"
#include "ui/frame_commands.hpp"

namespace qalix {

void addSampleCommands(FrameCommands& commands, SamplesContext& program);

}  // namespace qalix
