// A design's tables for spreadsheets and other tools, as CSV (RFC 4180: a header row, dot
// decimals, values in full precision, lines ending CR LF): the boundaries of every look, and
// the power and expected-information curves.
#pragma once

#include <string>

#include "document/design_snapshot.hpp"

namespace qalix {

// look, information time, group and cumulative size (blank on information time), the
// boundaries on the scales of the cumulative sum and of the Brownian statistic, and the
// critical one-sided P-values. The snapshot needs its boundaries.
std::string boundariesCsv(const DesignSnapshot& snapshot);
// One row per point of each curve: which curve, theta, the mean on the data scale, the
// rejection and acceptance probabilities (power) or the expected information time.
std::string curvesCsv(const DesignSnapshot& snapshot);

// A field of a CSV row, quoted when it holds a comma, a quote or a line end.
std::string csvField(const std::string& text);

}  // namespace qalix
