// The running program: the design record, the dialogs built from their templates, the
// platform they are shown on, and the state each subsystem keeps. One object per run (or per
// test); every callback reaches what it needs through the context its subsystem declares.
#pragma once

#include <memory>

#include "characteristics/context.hpp"
#include "design/context.hpp"
#include "graphics/plot_context.hpp"
#include "samples/context.hpp"
#include "shell/frame_window.hpp"
#include "ui/dialog_set.hpp"
#include "ui/platform.hpp"

namespace qalix {

class Program final : public CharacteristicsContext, public PlotContext {
  public:
    explicit Program(Platform& platform, TemplateLoader templates = loadDialogTemplate);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DesignRecord& record() override { return *record_; }
    const DesignRecord& record() const override { return *record_; }
    DialogSet& dialogs() override { return dialogs_; }
    const DialogSet& dialogs() const override { return dialogs_; }
    Platform& platform() override { return platform_; }
    SequentialState& sequential() override { return sequential_; }
    const SequentialState& sequential() const override { return sequential_; }
    CharacteristicsState& characteristics() override { return characteristics_; }
    const CharacteristicsState& characteristics() const override { return characteristics_; }
    void showFrameInChosenMode() override;
    void minimiseFrame() override { frame_.minimise(); }
    void setDesignComputed(bool computed) override;

    FrameWindow& frame() { return frame_; }
    const FrameWindow& frame() const { return frame_; }
    SamplesState& samples() override { return samples_; }
    const SamplesState& samples() const override { return samples_; }
    void setSimulationPlotEnabled(bool enabled) override;
    bool simulationPlotEnabled() const;

    FontDescription& windowFont() override { return frame_.windowFont(); }
    Rect clientRect() const override { return kPlotPage; }
    PlotState& plots() override { return plots_; }
    // A pass of the plot the open plot dialog shows becomes the frame's picture.
    void redrawPlot() override;

  private:
    Platform& platform_;
    std::unique_ptr<DesignRecord> record_;  // large sample tables: kept off the stack
    DialogSet dialogs_;
    SequentialState sequential_;
    CharacteristicsState characteristics_;
    FrameWindow frame_;
    SamplesState samples_;
    PlotState plots_;
};

}  // namespace qalix
