// The comparison of candidate designs as one self-contained HTML document: the table of the
// candidates, the commands that reproduce them, and their power and expected-size curves
// overlaid in one figure each.
#pragma once

#include <string>
#include <vector>

#include "document/comparison.hpp"
#include "report/html_parts.hpp"

namespace qalix {

struct ComparisonDocument {
    std::string title;  // empty: "Comparison of candidate designs"
    Paper paper = Paper::A4;
    std::vector<ComparisonRow> rows;  // with their curves
};

std::string comparisonHtml(const ComparisonDocument& document);

}  // namespace qalix
