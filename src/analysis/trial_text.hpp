// An analysis of a trial as the program shows it: each number as a text in its own format
// (the same texts on the desktop, on the command line and in the document), the table of the
// looks, and the inference at the end with what each number means in one sentence.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/trial_analysis.hpp"

namespace qalix {

// A number as shown: 4 decimals for times, Z values, probabilities, means and estimates, 3 for
// sums, a whole number for n; a p-value below 0.0001 in two significant digits.
std::string shownTime(double t);
std::string shownZ(double z);
std::string shownProbability(double p);
std::string shownPValue(double p);
std::string shownSum(double sum);
std::string shownMean(double mean);

// The table of the looks: headings first, a row per look; blank cells where a number does not
// apply (no sizes on information time, no conditional power once the trial stopped).
std::vector<std::vector<std::string>> lookTable(const TrialDesign& design,
                                                const TrialAnalysis& analysis);
// The table as aligned text, right-aligned under its headings.
std::string alignedTable(const std::vector<std::vector<std::string>>& rows);

// The lines under the table: sigma as used, the design at the times used, then either what
// the trial continues with or the inference at the end, each number with its meaning.
std::vector<std::string> analysisSentences(const TrialDesign& design,
                                           const TrialAnalysis& analysis);

// The whole analysis as text: the table, then the sentences.
std::string analysisText(const TrialDesign& design, const TrialAnalysis& analysis);

// What a decision says in words: "continue", "stop for efficacy"...
std::string decisionWords(LookDecision decision);

}  // namespace qalix
