// The running program: the design record, the dialogs built from their templates, the
// platform they are shown on, the state each subsystem keeps, and the frame window. One object
// per run (or per test). Each subsystem works on a plain context of references to what it
// uses, which the program builds; the program alone knows every subsystem, and adds their
// frame commands to the frame's table.
#pragma once

#include <memory>

#include "analysis/trial_state.hpp"
#include "characteristics/context.hpp"
#include "design/context.hpp"
#include "graphics/plot_context.hpp"
#include "samples/context.hpp"
#include "shell/frame_window.hpp"
#include "ui/dialog_set.hpp"
#include "ui/platform.hpp"

namespace qalix {

class Program {
  public:
    explicit Program(Platform& platform, TemplateLoader templates = loadDialogTemplate);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DesignRecord& record() { return *record_; }
    const DesignRecord& record() const { return *record_; }
    DialogSet& dialogs() { return dialogs_; }
    const DialogSet& dialogs() const { return dialogs_; }
    Platform& platform() { return platform_; }
    SequentialState& sequential() { return sequential_; }
    const SequentialState& sequential() const { return sequential_; }
    CharacteristicsState& characteristics() { return characteristics_; }
    const CharacteristicsState& characteristics() const { return characteristics_; }
    SamplesState& samples() { return samples_; }
    const SamplesState& samples() const { return samples_; }
    GraphicsState& graphics() { return graphics_; }
    TrialState& trial() { return trial_; }
    const TrialState& trial() const { return trial_; }
    FrameWindow& frame() { return frame_; }
    const FrameWindow& frame() const { return frame_; }
    // The text window's font, which Options > Change Font chooses, and the plots' own.
    FontDescription& windowFont() { return frame_.windowFont(); }
    FontDescription& plotFont() { return plotFont_; }
    bool simulationPlotEnabled() const { return frame_.simulationPlotEnabled(); }

    Dialog& dialog(int id) { return dialogs_.get(id); }
    const Dialog& dialog(int id) const { return dialogs_.get(id); }
    Dialog& panel() { return plot_.panel(); }
    void error(std::string_view text) { plot_.error(text); }

    // The contexts of the subsystems; a program stands for any of them where one is asked for.
    CharacteristicsContext& characteristicsContext() { return characteristicsContext_; }
    PlotContext& plotContext() { return plot_; }
    TrialContext& trialContext() { return trialContext_; }
    const TrialContext& trialContext() const { return trialContext_; }
    operator DesignContext&() { return plot_; }
    operator SamplesContext&() { return plot_; }
    operator PlotContext&() { return plot_; }
    operator CharacteristicsContext&() { return characteristicsContext_; }
    operator TrialContext&() { return trialContext_; }

  private:
    Platform& platform_;
    std::unique_ptr<DesignRecord> record_;  // large sample tables: kept off the stack
    DialogSet dialogs_;
    SequentialState sequential_;
    CharacteristicsState characteristics_;
    SamplesState samples_;
    GraphicsState graphics_;
    TrialState trial_;
    FontDescription plotFont_;
    FrameWindow frame_;
    PlotContext plot_;
    CharacteristicsContext characteristicsContext_;
    TrialContext trialContext_;
};

}  // namespace qalix
