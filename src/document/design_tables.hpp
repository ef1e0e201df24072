// A design's tables for spreadsheets and other tools, as CSV (RFC 4180: a header row, dot
// decimals, values in full precision, lines ending CR LF): the boundaries of every look, and
// the power and expected-information curves.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/design_snapshot.hpp"

namespace qalix {

// A table as rows of cells, its header first: the one source of a table that the CSV writer and
// the documents both render.
using TableRows = std::vector<std::vector<std::string>>;

// look, information time, group and cumulative size (blank on information time), the
// boundaries on the scales of the cumulative sum and of the Brownian statistic, and the
// critical one-sided P-values. The snapshot needs its boundaries.
TableRows boundaryRows(const DesignSnapshot& snapshot);
// One row per point of each curve: which curve, theta, the mean on the data scale, the
// rejection and acceptance probabilities (power) or the expected information time.
TableRows curveRows(const DesignSnapshot& snapshot);

std::string csvOf(const TableRows& rows);
std::string boundariesCsv(const DesignSnapshot& snapshot);
std::string curvesCsv(const DesignSnapshot& snapshot);

// A field of a CSV row, quoted when it holds a comma, a quote or a line end.
std::string csvField(const std::string& text);
// A row of fields, each quoted as it needs, with its line end.
std::string csvRow(const std::vector<std::string>& fields);
// A value in full (blank when there is none or it is not a number), and a whole one.
std::string csvNumber(std::optional<double> value);
std::string csvWhole(std::optional<double> value);

}  // namespace qalix
