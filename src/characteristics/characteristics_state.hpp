// What the four operating-characteristics dialogs keep between calls: the look, partial size
// and time of the boundary dialog, the means last read (a blank field leaves them), and the
// full values behind the rounded texts they show.
#pragma once

namespace qalix {

// One look of "Critical Boundary Values", in single precision as the dialog computes it.
struct BoundaryValues {
    float lowerSum = 0.0f;  // futility boundary on the scale of the cumulative sum
    float upperSum = 0.0f;  // significance boundary on that scale
    float lowerStd = 0.0f;  // the same on the Brownian scale
    float upperStd = 0.0f;
    float lowerP = 0.0f;  // critical P-values
    float upperP = 0.0f;
};

// "Probability of Significance": the four probabilities last shown.
struct HittingProbabilities {
    double sigAt = 0.0;
    double sigBy = 0.0;
    double stopAt = 0.0;
    double stopBy = 0.0;
};

// "Expected Sample Size": sizes are M times the times; a conditional expectation whose
// ending cannot happen is NaN.
struct ExpectedSizes {
    double sizeOverall = 0.0;
    double sizeGivenSig = 0.0;
    double sizeGivenFut = 0.0;
    double timeOverall = 0.0;
    double timeGivenSig = 0.0;
    double timeGivenFut = 0.0;
    double probSig = 0.0;
    double probFut = 0.0;
};

// "Probability of Discordance".
struct DiscordanceValues {
    double overall = 0.0;
    double atSignificance = 0.0;
    double atFutility = 0.0;
};

struct CharacteristicsState {
    // "Critical Boundary Values"
    int look = 1;
    int partialSize = 1;
    float time = 0.0f;
    BoundaryValues boundary;
    // "Probability of Significance"
    double significanceDelta = 0.0;
    double significanceMu = 0.0;
    HittingProbabilities hitting;
    // "Expected Sample Size"
    double sizeDelta = 0.0;
    double sizeMu = 0.0;
    ExpectedSizes expected;
    // "Probability of Discordance"
    double discordanceDelta = 0.0;
    double discordanceMu = 0.0;
    DiscordanceValues discordance;
};

}  // namespace qalix
