// Candidate designs drawn over each other: their power functions in one panel, their expected
// sample sizes (expected information times when a candidate is on information time) in
// another, each curve in a pen of its own and a legend that numbers the candidates as the
// comparison table does. Drawn on any canvas: the graphic window's picture and the SVG
// figures of the comparison document.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "document/comparison.hpp"
#include "ui/canvas.hpp"
#include "ui/geometry.hpp"

namespace qalix {

// Pens enough to tell this many curves apart; a figure draws the first this many.
inline constexpr std::size_t kMaxFigureCurves = 24;

enum class ComparisonPanel { Power, Expected };

// Both panels side by side with one legend under them, on the plot page: the graphic window.
void drawComparison(Canvas& canvas, std::span<const ComparisonRow> candidates);

// One panel and its legend as an SVG element: a figure of the comparison document.
std::string comparisonSvg(std::span<const ComparisonRow> candidates, ComparisonPanel panel);

// The caption of a panel's figure, which says what its vertical axis holds.
std::string panelCaption(std::span<const ComparisonRow> candidates, ComparisonPanel panel);

}  // namespace qalix
