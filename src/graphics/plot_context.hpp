// What the plots work on: the design and its samples, the plots' font, and what the
// graphic window shows: the picture of the last plot pass or a metafile opened, with the
// metafile name the saves keep.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/emf_player.hpp"
#include "canvas/recording_canvas.hpp"
#include "samples/context.hpp"
#include "ui/font.hpp"

namespace qalix {

enum class PlotKind { Boundary, Power, ExpectedSize };

// The tag the record keeps of the plot shown last (plotTag), which "Save As..." writes.
inline constexpr std::string_view kBoundaryTag = "bound";
inline constexpr std::string_view kPowerTag = "power";
inline constexpr std::string_view kExpectedSizeTag = "expecsiz";

// A look of a trial as the boundary plot marks it: its information time, its S_t = Z_t sqrt(t),
// and the word of its decision ("continue", "efficacy", ...).
struct ObservedLook {
    float t = 0.0f;
    float s = 0.0f;
    std::string decision;
};

// The looks a trial took, as its analysis hands them to the plots: drawn over the boundaries
// only while the design shown is the one they were analysed on, computed from these inputs.
struct ObservedPath {
    std::vector<ObservedLook> looks;
    std::vector<ResultInput> designInputs;
};

struct GraphicsState {
    // Which plot the open plot dialog shows, if any.
    std::optional<PlotKind> showing;
    // The picture of the last plot pass, shown until the window shows something else.
    std::optional<RecordingCanvas> picture;
    // The picture plots a design of the panel (a comparison's curves do not), computed from
    // these inputs.
    bool designPicture = false;
    std::vector<ResultInput> pictureInputs;
    // The trial's looks as last analysed, which the boundary plot draws over its design.
    std::optional<ObservedPath> observed;
    // The metafile last opened, which the metafile print prints; none before one was opened
    // or when the last one could not be read.
    std::optional<EmfPlayer> opened;
    // The base name the metafile save dialog produced, blank-padded to 40 characters (a
    // longer name is kept whole), and the file "Save" writes.
    std::string metafileName;
    std::filesystem::path metafileFile;
};

struct PlotContext : SamplesContext {
    // The plots' font: their own, apart from the text window's, so that a font chosen for
    // the text never overprints their labels.
    FontDescription& windowFont;
    GraphicsState& graphics;
};

// A new pass of the plot being shown, drawn into the picture the graphic window shows.
void redrawPlot(PlotContext& program);

}  // namespace qalix
