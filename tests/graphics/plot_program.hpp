// A started program with its design completed, in graphic mode, whose plots a test opens
// through the frame's Plot menu as a user does and reads on the frame's picture, the
// recording of the last plot pass.
#pragma once

#include <string>
#include <vector>

#include "graphics/plot_ids.hpp"
#include "graphics/plot_imported_ids.hpp"
#include "graphics/plot_simulations_ids.hpp"
#include "samples/samples_program.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::testing {

class PlotProgram : public SamplesProgram {
  protected:
    FrameWindow& frame() { return program.frame(); }

    // The design through the panel, then "Graphic".
    void designInGraphicMode(const DesignSteps& steps = {}) {
        ASSERT_NO_FATAL_FAILURE(completeDesign(steps));
        ui.click(panel::kGraphicWindow);
    }

    // A plot command of the frame menu; the steps act in its dialog, which "Cancel" then
    // ends.
    template <typename Steps>
    void plot(int command, int dialog, Steps steps) {
        whenShown(dialog, steps, kIdCancel);
        frame().command(command);
    }
    void plot(int command, int dialog) {
        plot(command, dialog, [] {});
    }
    void plotBoundary() { plot(menu::kPlotBoundary, kPlotDialog); }
    void plotPower() { plot(menu::kPlotPower, kPlotDialog); }
    void plotExpectedSize() { plot(menu::kPlotExpectedSize, kPlotDialog); }

    // Simulation sets chosen and simulated in "Setting Simulation", as mu and n.
    void simulateSets(const std::vector<std::pair<std::string, std::string>>& sets) {
        ui.click(panel::kSimulatedSamples);
        for (const auto& [mu, n] : sets)
            selectSet(mu, n);
        simulate();
    }

    // The picture's log, or nothing when there is no picture.
    std::vector<std::string> picture() {
        const RecordingCanvas* p = frame().picture();
        return p ? p->lines() : std::vector<std::string>{};
    }
};

// The lines of a log that start with the given text.
inline std::vector<std::string> linesStarting(const std::vector<std::string>& log,
                                              const std::string& start) {
    std::vector<std::string> out;
    for (const std::string& line : log) {
        if (line.rfind(start, 0) == 0) out.push_back(line);
    }
    return out;
}

inline bool hasLine(const std::vector<std::string>& log, const std::string& line) {
    for (const std::string& l : log) {
        if (l == line) return true;
    }
    return false;
}

// The sample paths of a picture: per dotted pen of width 1, its colour and the points drawn
// from the origin before the legend mark moves elsewhere.
struct DrawnPath {
    std::string pen;
    int points = 0;
    std::vector<std::string> lines;
};
inline std::vector<DrawnPath> drawnPaths(const std::vector<std::string>& log) {
    std::vector<DrawnPath> paths;
    bool inPath = false;
    for (const std::string& line : log) {
        if (line.rfind("pen dot 1 ", 0) == 0) {
            paths.push_back({line, 0, {}});
            inPath = true;
        } else if (inPath && line.rfind("line ", 0) == 0) {
            ++paths.back().points;
            paths.back().lines.push_back(line);
        } else if (inPath && line.rfind("move ", 0) == 0 && line != "move 0 0") {
            inPath = false;
        }
    }
    return paths;
}

}  // namespace qalix::testing
