// Everything the design report shows, computed in headless programs of its own as the user
// would compute it: the design with its boundaries, curves and operating characteristics over
// a range of means from the null to one and a half times the alternative (and any more the
// design file gives or the user asks for), the fixed-sample test beside them, the three plots
// as SVG, and the same probabilities on a grid four times finer.
#pragma once

#include <string>
#include <vector>

#include "document/design_snapshot.hpp"
#include "report/html_parts.hpp"

namespace qalix {

struct ReportRequest {
    DesignInputs inputs;
    std::string title;                    // empty: the design's kind
    std::string notes;                    // a paragraph under the header, when given
    std::string designFileHash;           // SHA-256 of the design file the design came from, if any
    std::vector<std::string> extraMeans;  // on the scale of the design's alternative
    bool appendix = false;                // the CSV tables at the end
    Paper paper = Paper::A4;
};

// A probability of the report recomputed on the finer grid.
struct GridDifference {
    std::string where;  // "Look 2, significance by the look, mean 0.5"
    std::string shown;  // its text in the report
    double difference = 0.0;
    bool beyondShownDigits = false;  // more than half a unit of its last shown digit
};

struct AccuracyCheck {
    bool computed = false;
    std::string reason;  // why not, when not
    int gridIntervals = 0;
    double largest = 0.0;
    std::vector<GridDifference> marked;  // every probability beyond its shown digits
};

struct ReportPlots {
    std::string boundary;  // <svg> elements
    std::string power;
    std::string expected;
};

struct ReportContent {
    ReportRequest request;
    // Its characteristics: first the range of means, at 0, 1/4, 1/2, 3/4, 1 and 3/2 of the
    // alternative, then the design's own means and those asked for.
    DesignSnapshot snapshot;
    std::size_t rangeMeans = 0;
    // At each of those means, the power of the fixed-sample test on M observations.
    std::vector<double> fixedSamplePower;
    int maximumSize = 0;  // M (the grid's steps on information time)
    std::string command;  // the one qalix command that reproduces every number
    std::string date;     // UTC, YYYY-MM-DD
    ReportPlots plots;
    AccuracyCheck accuracy;
};

// Computes the report; a message the program shows on the way is thrown as MessageShown, a
// list of looks of the wrong length as InputError (document/session.hpp, design_inputs.hpp).
ReportContent computeReport(const ReportRequest& request);

}  // namespace qalix
