#include "shell/program.hpp"

#include "analysis/trial_dialog.hpp"
#include "graphics/graphics_commands.hpp"
#include "samples/sample_commands.hpp"

namespace qalix {

Program::Program(Platform& platform, TemplateLoader templates)
    : platform_(platform),
      record_(std::make_unique<DesignRecord>()),
      dialogs_(std::move(templates)),
      plotFont_(INITIALIZEFONT()),
      frame_({*record_, dialogs_, platform_, sequential_, graphics_}),
      plot_{{{*record_, dialogs_, platform_, sequential_, frame_}, samples_}, plotFont_, graphics_},
      characteristicsContext_{{*record_, dialogs_, platform_, sequential_, frame_},
                              characteristics_},
      trialContext_{plot_, trial_} {
    addSampleCommands(frame_.commands(), plot_);
    addGraphicsCommands(frame_.commands(), plot_);
    addTrialCommands(frame_.commands(), trialContext_);
    frame_.refreshMenu();
}

}  // namespace qalix
