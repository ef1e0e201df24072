// What the plots work on: the design and its samples, the one window font, the graphic
// window's client area they are laid out in, and the frame's picture, which a plot dialog
// asks to be drawn anew.
#pragma once

#include <optional>

#include "samples/context.hpp"
#include "ui/font.hpp"
#include "ui/geometry.hpp"

namespace qalix {

enum class PlotKind { Boundary, Power, ExpectedSize };

// The tag the record keeps of the plot shown last (plotTag), which "Save As..." writes.
inline constexpr std::string_view kBoundaryTag = "bound";
inline constexpr std::string_view kPowerTag = "power";
inline constexpr std::string_view kExpectedSizeTag = "expecsiz";

// Which plot the open plot dialog shows, if any.
struct PlotState {
    std::optional<PlotKind> showing;
};

class PlotContext : public virtual SamplesContext {
  public:
    virtual FontDescription& windowFont() = 0;
    // The client area the plots are laid out in, (0, 0) to its right and bottom: the plot
    // page, whatever the size of the window that shows it.
    virtual Rect clientRect() const = 0;
    virtual PlotState& plots() = 0;
    // A new pass of the plot being shown, drawn into the frame's picture.
    virtual void redrawPlot() = 0;

  protected:
    ~PlotContext() = default;
};

}  // namespace qalix
