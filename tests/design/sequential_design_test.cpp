// Sections 3 and 4 of the panel: the boundary coefficient a against rho_max, the number of
// looks, "Sequential Design", and the power and expected-information curves.
//
// Reference values come from an independent computation below: the centred statistic at the
// looks is a Markov chain with Gaussian transitions (Brownian motion with drift, or the
// Brownian bridge pinned at X_1 = y), whose density on the continuation interval is carried
// forward look by look with Simpson's rule on a fine grid and exact normal tails (erfc). It
// shares nothing with the program's backward bridge integration but the model. For K = 2
// with t_1 = 0.5 the discordance has the closed form rho(a; y) = Phi(-sqrt(2a) - |y|).
#include <cmath>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "design/info_times.hpp"
#include "design/panel_ids.hpp"
#include "design/sequential_design.hpp"
#include "support/started_program.hpp"

namespace qalix::testing {
namespace {

using namespace panel;

constexpr double kZ95 = 1.6448536269514722;  // z_0.95
constexpr double kZ80 = 0.8416212335729143;  // z_0.80
const double kSqrt2Pi = std::sqrt(2.0 * std::numbers::pi);
const std::string kTimesErrorBox =
    "Error: The information times must increase strictly from above 0 to exactly 1 at the "
    "last look.";
const std::string kCoefficientErrorStart = "Error: The boundary coefficient a = ";

double Phi(double x) {
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

// ---- Independent reference -------------------------------------------------------------

struct Move {
    double mean;
    double sd;
};
// Law of X_t given X_s = x.
using Transition = std::function<Move(double x, double s, double t)>;

Transition brownian(double delta) {
    return [delta](double x, double s, double t) {
        return Move{x + delta * (t - s), std::sqrt(t - s)};
    };
}
Transition bridgeTo(double y) {
    return [y](double x, double s, double t) {
        return Move{x + (y - x) * (t - s) / (1.0 - s), std::sqrt((t - s) * (1.0 - t) / (1.0 - s))};
    };
}

struct Stops {
    std::vector<double> up;   // stop at the upper boundary at look k
    std::vector<double> low;  // stop at the lower boundary at look k
};

// Stopping masses at the first `looks` looks; the chain starts at X_0 = 0.
Stops referenceStops(double a, const std::vector<double>& t, const Transition& move,
                     std::size_t looks, int n = 120) {
    Stops out;
    std::vector<double> x{0.0}, weight{1.0}, density{1.0};
    double s = 0.0;
    for (std::size_t k = 0; k < looks; ++k) {
        const double c = std::sqrt(2.0 * a * t[k] * (1.0 - t[k]));
        double up = 0.0, low = 0.0;
        std::vector<Move> moves;
        for (std::size_t j = 0; j < x.size(); ++j) {
            const Move m = move(x[j], s, t[k]);
            moves.push_back(m);
            up += weight[j] * density[j] * Phi((m.mean - c) / m.sd);
            low += weight[j] * density[j] * Phi((-c - m.mean) / m.sd);
        }
        out.up.push_back(up);
        out.low.push_back(low);
        if (k + 1 == looks) break;
        const double h = 2.0 * c / n;
        std::vector<double> nx, nw, nd;
        for (int i = 0; i <= n; ++i) {
            const double xi = -c + i * h;
            double f = 0.0;
            for (std::size_t j = 0; j < x.size(); ++j) {
                const double u = (xi - moves[j].mean) / moves[j].sd;
                f += weight[j] * density[j] * std::exp(-0.5 * u * u) / (moves[j].sd * kSqrt2Pi);
            }
            nx.push_back(xi);
            nw.push_back(h / 3.0 * (i == 0 || i == n ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0)));
            nd.push_back(f);
        }
        x = nx;
        weight = nw;
        density = nd;
        s = t[k];
    }
    return out;
}

double sum(const std::vector<double>& v) {
    double total = 0.0;
    for (double p : v)
        total += p;
    return total;
}

// rho(a; y): an early stop against the sign of X_1 = y (y = 0 counts as accepting at the end).
double referenceRho(double a, const std::vector<double>& t, double y = 0.0, int n = 120) {
    const Stops s = referenceStops(a, t, bridgeTo(y), t.size() - 1, n);
    return y >= 0.0 ? sum(s.low) : sum(s.up);
}

// The discordance integrated against the standard normal over y in -2..2 (Simpson, 60 steps,
// so that the kink at y = 0 sits on a panel edge).
double referenceMaxDiscordance(double a, const std::vector<double>& t, int n = 60) {
    const double h = 4.0 / 60;
    double total = 0.0;
    for (int i = 0; i <= 60; ++i) {
        const double y = -2.0 + i * h;
        const double w = i == 0 || i == 60 ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
        total += w * referenceRho(a, t, y, n) * std::exp(-0.5 * y * y) / kSqrt2Pi;
    }
    return total * h / 3.0;
}

double rhoTwoLooks(double a, double y = 0.0) {
    return Phi(-std::sqrt(2.0 * a) - std::abs(y));
}

// The search (Newton steps with central differences of width 2h from a = 0.4, stop
// when rho is within 1e-4 of the target) run on a reference rho.
std::vector<double> referenceIterates(double target, const std::function<double(double)>& rho) {
    std::vector<double> iterates;
    double a = 0.4;
    for (int step = 0; step < 50; ++step) {
        iterates.push_back(a);
        const double r0 = rho(a);
        if (std::abs(target - r0) < 1e-4) break;
        a -= (r0 - target) * 0.002 / (rho(a + 0.001) - rho(a - 0.001));
    }
    return iterates;
}

std::vector<double> equallySpaced(int K) {
    std::vector<double> t;
    for (int k = 1; k <= K; ++k)
        t.push_back(static_cast<double>(k) / K);
    return t;
}

double number(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

// A fixed-point text with exactly `decimals` decimals and a leading "0.".
bool hasDecimals(const std::string& text, int decimals) {
    const auto point = text.find('.');
    return text.rfind("0.", 0) == 0 && point != std::string::npos &&
           text.size() - point - 1 == static_cast<std::size_t>(decimals);
}

// ---- Fixture ---------------------------------------------------------------------------

class SequentialDesign : public StartedProgram {
  protected:
    // "brownian" design, K equally spaced looks entered through the information-time dialog.
    void brownianLooks(int K) {
        ui.click(kBrownianDesign);
        ui.type(kLooksCombo, std::to_string(K));
        openTimes(kInfoTimesButton);
    }
    // Opens the information-time dialog with the panel button, does the steps in it and
    // closes it with OK.
    void openTimes(
        int button, const std::function<void()>& steps = [] {}) {
        whenShown(kInfoTimeDialog, steps, infotimes::kOk);
        ui.click(button);
    }
    void search(const std::string& rhoMax) {
        ui.type(kRhoCombo, rhoMax);
        ui.click(kCoeffButton);
    }
    // "rho" is enabled by a search; a user types a and clicks it.
    void rhoOf(const std::string& a) {
        ui.type(kCoeffCombo, a);
        ui.click(kRhoButton);
    }
    std::vector<double> engineTimes() {
        return {record().engineTime.begin(), record().engineTime.begin() + record().numLooks};
    }
};

// ---- Search ----------------------------------------------------------------------------

TEST_F(SequentialDesign, SearchFromRhoMaxFourEquallySpacedLooks) {
    brownianLooks(4);
    ASSERT_EQ(ui.text(kRhoCombo), "0.02");  // start-up text
    ui.click(kCoeffButton);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_TRUE(platform.consoleLines().empty());

    // Worked iterates, to the decimals given: 0.4, 1.243, 1.995, 2.583, 2.888, 2.9526.
    const std::vector<double> worked = {0.4, 1.243, 1.995, 2.583, 2.888};
    const auto& iterates = program.sequential().searchIterates;
    ASSERT_EQ(iterates.size(), 6u);
    for (std::size_t i = 0; i < worked.size(); ++i)
        EXPECT_NEAR(iterates[i], worked[i], 5e-4) << i;
    EXPECT_NEAR(iterates[5], 2.9526, 5e-5);

    // The same Newton steps on the reference rho: the ~1e-7 by which the program's rho differs
    // moves the iterates by less than 1e-5.
    const std::vector<double> t = equallySpaced(4);
    const auto reference = referenceIterates(0.02, [&t](double a) { return referenceRho(a, t); });
    ASSERT_EQ(reference.size(), iterates.size());
    for (std::size_t i = 0; i < iterates.size(); ++i)
        EXPECT_NEAR(iterates[i], reference[i], 2e-5) << i;

    // a is written as a number that reads back as the returned iterate.
    const double a = number(ui.text(kCoeffCombo));
    EXPECT_DOUBLE_EQ(a, iterates.back());
    EXPECT_NEAR(a, 2.9526, 5e-5);
    // rho(a; 0) = 0.02005 is within the search tolerance 1e-4 of the target.
    EXPECT_NEAR(referenceRho(a, t), 0.02, 1e-4);
}

TEST_F(SequentialDesign, SearchFromRhoMaxTwoLooksFollowsTheClosedForm) {
    brownianLooks(2);
    ui.click(kCoeffButton);
    // Reference: the search's Newton steps on rho(a; 0) = Phi(-sqrt(2a)); ~1e-7 in rho.
    const auto reference = referenceIterates(0.02, [](double a) { return rhoTwoLooks(a); });
    const auto& iterates = program.sequential().searchIterates;
    ASSERT_EQ(iterates.size(), reference.size());
    for (std::size_t i = 0; i < iterates.size(); ++i)
        EXPECT_NEAR(iterates[i], reference[i], 2e-5) << i;
    EXPECT_EQ(iterates.size(), 6u);  // the same number of steps as with four looks
    EXPECT_NEAR(number(ui.text(kCoeffCombo)), 2.1088, 5e-5);
    EXPECT_NEAR(rhoTwoLooks(number(ui.text(kCoeffCombo))), 0.02, 1e-4);
}

TEST_F(SequentialDesign, SearchOnGroupSizesOfAHundredIsTheEquallySpacedOne) {
    ui.type(kSizeCombo, "100");
    openTimes(kGroupSizesButton);  // 25 in each of 4 groups: times 0.25000 ... 1.00000
    ui.click(kCoeffButton);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(engineTimes(), (std::vector<double>{0.25, 0.5, 0.75, 1.0}));
    const std::vector<double> worked = {0.4, 1.243, 1.995, 2.583, 2.888};
    const auto& iterates = program.sequential().searchIterates;
    ASSERT_EQ(iterates.size(), 6u);
    for (std::size_t i = 0; i < worked.size(); ++i)
        EXPECT_NEAR(iterates[i], worked[i], 5e-4) << i;
    EXPECT_NEAR(number(ui.text(kCoeffCombo)), 2.9526, 5e-5);
}

TEST_F(SequentialDesign, SearchShowsIntegratedDiscordanceWithFourDecimals) {
    brownianLooks(4);
    ui.click(kCoeffButton);
    const double a = number(ui.text(kCoeffCombo));
    // Reference: the integrated discordance at the returned a, to ~1e-7.
    const double reference = referenceMaxDiscordance(a, equallySpaced(4));
    const std::string shown = ui.text(kDiscordanceEdit);
    EXPECT_TRUE(hasDecimals(shown, 4)) << shown;
    EXPECT_NEAR(number(shown), reference, 0.5e-4 + 1e-6);
    EXPECT_NEAR(program.sequential().maxDiscordance, reference, 5e-7);
}

TEST_F(SequentialDesign, UndefinedSlopeWarnsOnStandardOutput) {
    brownianLooks(2);
    // rho_max = 0.4999 needs a = 3e-8: the search halves a from 0.4 towards it until
    // a - 0.001 leaves the positive coefficients and the slope there is undefined.
    search("0.4999");
    EXPECT_EQ(platform.consoleLines(), std::vector<std::string>{std::string(kSearchWarning)});
    EXPECT_EQ(std::string(kSearchWarning), "Be careful, the results could be wrong!");
    EXPECT_GT(number(ui.text(kCoeffCombo)), 0.0);
}

TEST_F(SequentialDesign, RhoMaxOutsideItsRangeIsRefused) {
    brownianLooks(2);
    for (const char* rho : {"0.5", "0.6", "0", "-0.01"}) {
        search(rho);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{"Error: The maximum discordance "
                                                           "probability rho_max must lie between "
                                                           "0 and 0.5."})
            << rho;
        EXPECT_EQ(ui.text(kCoeffCombo), "") << rho;  // nothing searched, nothing written
        EXPECT_FALSE(ui.enabled(kSequentialDesignButton)) << rho;
        EXPECT_EQ(record().rhoMax, 0.0) << rho;
    }
    EXPECT_TRUE(platform.consoleLines().empty());
}

TEST_F(SequentialDesign, RhoMaxThatNewtonOvershootsIsReached) {
    // Two looks: rho = Phi(-sqrt(2a)), so 0.35 belongs to a = 0.0742; Newton's first step from
    // 0.4 went to -0.150 and the search once reported that a as out of range.
    brownianLooks(2);
    search("0.35");
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_TRUE(platform.consoleLines().empty());
    EXPECT_NEAR(number(ui.text(kCoeffCombo)), 0.0742, 2.1e-4);
    EXPECT_NEAR(program.sequential().achievedRho, 0.35, 1e-4);
    EXPECT_TRUE(ui.enabled(kSequentialDesignButton));
}

TEST_F(SequentialDesign, AchievedRhoIsTheDiscordanceOfTheCoefficientShown) {
    // The search stops within 1e-4 of the target: for 0.0001 it reaches about 0.00018.
    brownianLooks(4);
    search("0.0001");
    const double a = number(ui.text(kCoeffCombo));
    EXPECT_NEAR(program.sequential().achievedRho, referenceRho(a, equallySpaced(4)), 1e-6);
    EXPECT_GT(program.sequential().achievedRho, 0.00015);
    rhoOf("2.953");
    EXPECT_EQ(program.sequential().achievedRho, record().rhoMax);
    EXPECT_NEAR(program.sequential().achievedRho, 0.02, 1e-4);
}

TEST_F(SequentialDesign, ConvergedSearchWritesNoWarning) {
    brownianLooks(3);
    search("0.010");
    EXPECT_TRUE(platform.consoleLines().empty());
    EXPECT_TRUE(takeMessages().empty());
}

// ---- Information times the engine cannot use ---------------------------------------------

struct BadTimesCase {
    const char* name;
    bool groupSizes;                     // "normseq" with m = 50, else "brownian"
    std::function<void(Driver&)> enter;  // after a good search, makes the times unusable
    const char* note = "";               // what the message adds for these times
};

void PrintTo(const BadTimesCase& c, std::ostream* os) {
    *os << c.name;
}

class BadTimes : public SequentialDesign, public ::testing::WithParamInterface<BadTimesCase> {};

TEST_P(BadTimes, SearchAndRhoRefuseThemAndWriteNothing) {
    const int button = GetParam().groupSizes ? kGroupSizesButton : kInfoTimesButton;
    if (GetParam().groupSizes) {
        ui.type(kSizeCombo, "50");
        openTimes(button);
    } else {
        brownianLooks(4);
    }
    ui.click(kCoeffButton);  // a good search enables "rho"
    ASSERT_TRUE(takeMessages().empty());
    ui.type(kCoeffCombo, "3.595");
    openTimes(button, [&] { GetParam().enter(ui); });
    ASSERT_TRUE(takeMessages().empty());

    const std::string a = ui.text(kCoeffCombo);
    const std::string rho = ui.text(kRhoCombo);
    const std::string discordance = ui.text(kDiscordanceEdit);
    const auto iterates = program.sequential().searchIterates;
    const double rhoMax = record().rhoMax;

    const std::string box = std::string(kTimesErrorBox) + GetParam().note;
    ui.click(kCoeffButton);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{box});
    ui.click(kRhoButton);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{box});

    EXPECT_EQ(ui.text(kCoeffCombo), a);
    EXPECT_EQ(ui.text(kRhoCombo), rho);
    EXPECT_EQ(ui.text(kDiscordanceEdit), discordance);
    EXPECT_EQ(program.sequential().searchIterates, iterates);
    EXPECT_EQ(record().rhoMax, rhoMax);
    EXPECT_TRUE(platform.consoleLines().empty());
}

void typeTimes(Driver& ui, std::vector<const char*> times) {
    for (std::size_t k = 0; k < times.size(); ++k)
        ui.type(kInfoTimeDialog, infotimes::kTime[k], times[k]);
}
void typeGroups(Driver& ui, std::vector<const char*> sizes) {
    for (std::size_t k = 0; k < sizes.size(); ++k)
        ui.type(kInfoTimeDialog, infotimes::kGroupSize[k], sizes[k]);
    ui.click(kInfoTimeDialog, infotimes::kUpdateChanges);
}

INSTANTIATE_TEST_SUITE_P(
    Times, BadTimes,
    ::testing::Values(BadTimesCase{"decreasing", false,
                                   [](Driver& ui) {
                                       typeTimes(ui, {"0.25", "0.2", "0.75"});
                                   }},
                      // 0.7501 reads as 0.750, as the field shows it.
                      BadTimesCase{"repeated", false,
                                   [](Driver& ui) {
                                       typeTimes(ui, {"0.25", "0.75", "0.7501"});
                                       ui.click(kInfoTimeDialog, infotimes::kUpdateChanges);
                                   },
                                   " Looks 2 and 3 both fall at 0.75: the times are read as the "
                                   "Information Times dialog shows them, to three decimals."},
                      BadTimesCase{"zero_first", false,
                                   [](Driver& ui) {
                                       typeTimes(ui, {"0", "0.5", "0.75"});
                                   }},
                      BadTimesCase{"negative_first", false,
                                   [](Driver& ui) {
                                       typeTimes(ui, {"-0.1", "0.5", "0.75"});
                                   }},
                      BadTimesCase{"beyond_one", false,
                                   [](Driver& ui) {
                                       typeTimes(ui, {"0.25", "0.5", "1.2"});
                                   }},
                      BadTimesCase{"one_before_last", false,
                                   [](Driver& ui) {
                                       typeTimes(ui, {"0.25", "0.5", "1"});
                                   }},
                      // Group sizes 0, 10, 10 of m = 50: times 0, 0.2, 0.4, 1.
                      BadTimesCase{"group_of_zero", true,
                                   [](Driver& ui) {
                                       typeGroups(ui, {"0", "10", "10"});
                                   }},
                      // Group sizes 30, 30, 0: the last group is -10, times 0.6, 1.2, 1.2, 1.
                      BadTimesCase{"groups_past_m", true,
                                   [](Driver& ui) {
                                       typeGroups(ui, {"30", "30", "0"});
                                   }}),
    [](const ::testing::TestParamInfo<BadTimesCase>& p) { return std::string(p.param.name); });

// ---- rho from a --------------------------------------------------------------------------

struct RhoCase {
    int looks;
    const char* a;
    const char* shownRho;  // "" when the value lies too near a rounding edge to compare text
};

void PrintTo(const RhoCase& c, std::ostream* os) {
    *os << "K=" << c.looks << " a=" << c.a;
}

class RhoFromCoefficient : public SequentialDesign,
                           public ::testing::WithParamInterface<RhoCase> {};

TEST_P(RhoFromCoefficient, MatchesTheReferenceDiscordance) {
    const RhoCase& c = GetParam();
    brownianLooks(c.looks);
    ui.click(kCoeffButton);
    rhoOf(c.a);
    EXPECT_TRUE(takeMessages().empty());
    const double a = std::stod(c.a);
    const std::vector<double> t = engineTimes();
    // Reference: closed form for K = 2, else the forward recursion (converged to 1e-9). The
    // program's grids are accurate to a few 1e-7 (6e-7 for K = 10), so 1e-6; a wrong time
    // such as 1/3 for 0.333 moves rho by far more.
    const double reference = c.looks == 2 ? rhoTwoLooks(a) : referenceRho(a, t);
    EXPECT_NEAR(record().rhoMax, reference, 1e-6);
    const std::string shown = ui.text(kRhoCombo);
    EXPECT_TRUE(hasDecimals(shown, 4)) << shown;
    EXPECT_NEAR(number(shown), reference, 0.5e-4 + 1e-6);
    if (*c.shownRho != '\0') {
        EXPECT_EQ(shown, c.shownRho);
    }
}

INSTANTIATE_TEST_SUITE_P(Presets, RhoFromCoefficient,
                         ::testing::Values(RhoCase{2, "2.699", "0.0101"},  // 0.01008
                                           RhoCase{2, "2.109", "0.0200"},
                                           RhoCase{2, "1.769", "0.0300"},
                                           RhoCase{3, "3.271", "0.0100"},
                                           RhoCase{4, "3.595", "0.0100"},
                                           RhoCase{4, "2.953", "0.0200"},
                                           // 0.01005006: a hair above the rounding edge
                                           RhoCase{10, "4.401", ""}));

TEST_F(SequentialDesign, TwoLooksRhoIsTheNormalTail) {
    brownianLooks(2);
    ui.click(kCoeffButton);
    rhoOf("2.699");
    // Phi(-sqrt(5.398)) = 0.0100815...; the program integrates to ~1e-7.
    EXPECT_NEAR(record().rhoMax, Phi(-std::sqrt(2.0 * 2.699)), 2e-7);
    EXPECT_NEAR(record().rhoMax, 0.01008, 1e-5);
}

TEST_F(SequentialDesign, TenLooksRhoIsComparedAsANumber) {
    brownianLooks(10);
    ui.click(kCoeffButton);
    rhoOf("4.401");
    // 0.01005006, shown rounded to 4 decimals; the converged reference is 0.01004943, the
    // program's grids being 6e-7 off with ten looks.
    EXPECT_NEAR(record().rhoMax, 0.01005006, 1e-6);
    EXPECT_NEAR(record().rhoMax, referenceRho(4.401, equallySpaced(10)), 1e-6);
}

struct DiscordanceCase {
    int looks;
    const char* a;
    double about;
};

void PrintTo(const DiscordanceCase& c, std::ostream* os) {
    *os << "K=" << c.looks << " a=" << c.a;
}

class DiscordanceAfterRho : public SequentialDesign,
                            public ::testing::WithParamInterface<DiscordanceCase> {};

TEST_P(DiscordanceAfterRho, ShownWithSixDecimals) {
    const DiscordanceCase& c = GetParam();
    brownianLooks(c.looks);
    ui.click(kCoeffButton);
    rhoOf(c.a);
    const double a = std::stod(c.a);
    // K = 2: integral of Phi(-sqrt(2a) - |y|) phi(y) over -2..2, by the same Simpson rule
    // over y; K = 4: the forward recursion under it. Both to ~1e-7.
    const std::vector<double> t = engineTimes();
    double reference = 0.0;
    if (c.looks == 2) {
        const double h = 4.0 / 60;
        for (int i = 0; i <= 60; ++i) {
            const double y = -2.0 + i * h;
            const double w = i == 0 || i == 60 ? 1.0 : (i % 2 == 1 ? 4.0 : 2.0);
            reference += w * rhoTwoLooks(a, y) * std::exp(-0.5 * y * y) / kSqrt2Pi;
        }
        reference *= h / 3.0;
    } else {
        reference = referenceMaxDiscordance(a, t);
    }
    EXPECT_NEAR(reference, c.about, 1e-5);
    EXPECT_NEAR(program.sequential().maxDiscordance, reference, 5e-7);
    const std::string shown = ui.text(kDiscordanceEdit);
    EXPECT_TRUE(hasDecimals(shown, 6)) << shown;
    EXPECT_NEAR(number(shown), reference, 0.5e-6 + 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Presets, DiscordanceAfterRho,
                         ::testing::Values(DiscordanceCase{2, "2.699", 0.00252},
                                           DiscordanceCase{4, "3.595", 0.00248}));

class CoefficientOutOfRange : public SequentialDesign,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(CoefficientOutOfRange, RhoShowsAMessageAndComputesNothing) {
    brownianLooks(4);
    ui.click(kCoeffButton);
    const std::string rho = ui.text(kRhoCombo);
    const std::string discordance = ui.text(kDiscordanceEdit);
    const double rhoMax = record().rhoMax;
    const double maxDiscordance = program.sequential().maxDiscordance;

    // At t = 0.5 the inner grid has 2*nint(50*sqrt(a/2)) intervals, at most 1000: a = 300
    // needs 1224, a = 200.5 needs 1002.
    rhoOf(GetParam());
    const auto messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(kCoefficientErrorStart, 0), 0u) << messages[0];
    EXPECT_EQ(ui.text(kRhoCombo), rho);
    EXPECT_EQ(ui.text(kDiscordanceEdit), discordance);
    EXPECT_EQ(record().rhoMax, rhoMax);
    EXPECT_EQ(program.sequential().maxDiscordance, maxDiscordance);
}

INSTANTIATE_TEST_SUITE_P(Coefficients, CoefficientOutOfRange,
                         ::testing::Values("300", "200.5", "0", "-1", "-0.5"));

TEST_F(SequentialDesign, LargestCoefficientThatFitsIsComputed) {
    brownianLooks(4);
    ui.click(kCoeffButton);
    // a = 200: 2*nint(50*sqrt(100)) = 1000 intervals just fit; rho(a; 0) is far below 1e-10.
    rhoOf("200");
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_LT(record().rhoMax, 1e-10);
    EXPECT_EQ(ui.text(kRhoCombo), "0.0000");
}

TEST_F(SequentialDesign, UnreadableCoefficientIsAnEntryError) {
    brownianLooks(4);
    ui.click(kCoeffButton);
    const std::string rho = ui.text(kRhoCombo);
    rhoOf("abc");
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
    EXPECT_EQ(ui.text(kRhoCombo), rho);
}

// A blank field that a button reads was taken for the value it held before; it is refused,
// named by the label beside it, and nothing is computed.
TEST_F(SequentialDesign, ABlankFieldIsRefusedByItsLabel) {
    struct Row {
        int combo;
        int button;
        const char* label;
    };
    const std::vector<Row> rows = {
        {kRhoCombo, kCoeffButton, "rho"},
        {kCoeffCombo, kRhoButton, "Bound-Coeff  a"},
        {kCoeffCombo, kSequentialDesignButton, "Bound-Coeff  a"},
        {kAlphaCombo, kSequentialDesignButton, "Sig-level"},
        {kLooksCombo, kInfoTimesButton, "Number of Looks"},
    };
    brownianLooks(4);
    ui.click(kCoeffButton);
    for (const Row& row : rows) {
        const std::string before = ui.text(row.combo);
        const std::string a = ui.text(kCoeffCombo);
        const std::string level = ui.text(kActualSigEdit);
        ui.type(row.combo, "");
        ui.click(row.button);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{"Error: \"" + std::string(row.label) +
                                                           "\" holds no number: enter one "
                                                           "first."})
            << row.label;
        EXPECT_EQ(ui.text(kActualSigEdit), level) << row.label;
        if (row.combo != kCoeffCombo) {
            EXPECT_EQ(ui.text(kCoeffCombo), a) << row.label;
        }
        ui.type(row.combo, before);
    }
}

// ---- Enabling chain --------------------------------------------------------------------

TEST_F(SequentialDesign, EachStepEnablesTheNext) {
    brownianLooks(4);
    for (int c : {kRhoButton, kSequentialDesignButton, kCloseWindow})
        EXPECT_FALSE(ui.enabled(c)) << c;
    EXPECT_TRUE(ui.enabled(kCoeffButton));

    ui.click(kCoeffButton);
    for (int c : {kRhoButton, kSequentialDesignButton, kCloseWindow, kCoeffButton})
        EXPECT_TRUE(ui.enabled(c)) << c;
    const std::vector<int> later = {kBoundaryButton,     kSignificanceButton, kDiscordanceButton,
                                    kExpectedSizeButton, kGraphicWindow,      kTextWindow,
                                    kSimulatedSamples};
    for (int c : later)
        EXPECT_FALSE(ui.enabled(c)) << c;

    ui.click(kSequentialDesignButton);
    for (int c : later)
        EXPECT_TRUE(ui.enabled(c)) << c;
    EXPECT_FALSE(ui.enabled(kImportedSamples));  // only an import enables it
}

TEST_F(SequentialDesign, RhoChangesNoButtonState) {
    brownianLooks(4);
    ui.click(kCoeffButton);
    rhoOf("3.595");
    for (int c : {kRhoButton, kCoeffButton, kSequentialDesignButton, kCloseWindow})
        EXPECT_TRUE(ui.enabled(c)) << c;
    EXPECT_FALSE(ui.enabled(kBoundaryButton));
}

class LooksChange : public SequentialDesign, public ::testing::WithParamInterface<bool> {};

TEST_P(LooksChange, DisablesRhoAndSearchUntilTheDialogIsOpenedAgain) {
    brownianLooks(4);
    ui.click(kCoeffButton);
    ASSERT_TRUE(ui.enabled(kRhoButton));
    if (GetParam()) {
        ui.pick(kLooksCombo, "5");
    } else {
        ui.type(kLooksCombo, "5");
    }
    EXPECT_FALSE(ui.enabled(kRhoButton));
    EXPECT_FALSE(ui.enabled(kCoeffButton));
    EXPECT_THROW(ui.click(kCoeffButton), ControlRefused);
    EXPECT_THROW(ui.click(kRhoButton), ControlRefused);
    EXPECT_TRUE(ui.enabled(kSequentialDesignButton));  // not part of the looks' chain

    openTimes(kInfoTimesButton);
    EXPECT_TRUE(ui.enabled(kCoeffButton));
    EXPECT_FALSE(ui.enabled(kRhoButton));  // only a search enables it
    ui.click(kCoeffButton);
    EXPECT_EQ(record().numLooks, 5);
    EXPECT_EQ(engineTimes(), (std::vector<double>{0.2, 0.4, 0.6, 0.8, 1.0}));
    EXPECT_TRUE(ui.enabled(kRhoButton));
}

INSTANTIATE_TEST_SUITE_P(TypedOrPicked, LooksChange, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& p) {
                             return std::string(p.param ? "picked" : "typed");
                         });

// ---- Sequential Design -------------------------------------------------------------------

struct PowerCase {
    int looks;
    const char* a;
    const char* level;
    const char* power;
};

void PrintTo(const PowerCase& c, std::ostream* os) {
    *os << "K=" << c.looks << " a=" << c.a;
}

class ActualLevelAndPower : public SequentialDesign,
                            public ::testing::WithParamInterface<PowerCase> {};

TEST_P(ActualLevelAndPower, FromTheTableOfTheTypedCoefficient) {
    const PowerCase& c = GetParam();
    brownianLooks(c.looks);
    ui.click(kCoeffButton);
    rhoOf(c.a);
    ui.click(kSequentialDesignButton);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(ui.text(kActualSigEdit), c.level);
    EXPECT_EQ(ui.text(kActualPowerEdit), c.power);
    // Reference: rejection mass of Brownian motion with drift theta - z, theta = 0 and
    // theta_a = z_0.95 + z_0.8 (so the drift is z_0.8), on the same times; the program
    // agrees to ~2e-7.
    const double a = std::stod(c.a);
    const std::vector<double> t = engineTimes();
    const double level = sum(referenceStops(a, t, brownian(-kZ95), t.size()).up);
    const double power = sum(referenceStops(a, t, brownian(kZ80), t.size()).up);
    EXPECT_NEAR(program.sequential().actualLevel, level, 1e-6);
    EXPECT_NEAR(program.sequential().actualPower, power, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Presets, ActualLevelAndPower,
                         ::testing::Values(PowerCase{4, "2.953", "0.0509", "0.7989"},
                                           PowerCase{2, "2.109", "0.0508", "0.7990"}));

// "Sequential Design" computes from alpha, sigma, mu_a and m (alpha and power on information
// time): one of them outside its range is named, nothing is written and section 5 stays off.
struct DesignParameter {
    bool brownian;
    int combo;
    const char* text;
    const char* message;
};

void PrintTo(const DesignParameter& c, std::ostream* os) {
    *os << c.combo << "=\"" << c.text << '"';
}

class DesignParameterRange : public SequentialDesign,
                             public ::testing::WithParamInterface<DesignParameter> {};

TEST_P(DesignParameterRange, RefusesTheSequentialDesign) {
    const DesignParameter& c = GetParam();
    if (c.brownian) {
        brownianLooks(4);
    } else {
        openTimes(kGroupSizesButton);
    }
    ui.click(kCoeffButton);
    ui.type(c.combo, c.text);
    ASSERT_TRUE(takeMessages().empty());  // typing alone computes nothing
    ui.click(kSequentialDesignButton);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{c.message});
    EXPECT_EQ(ui.text(kActualSigEdit), "");
    EXPECT_EQ(ui.text(kActualPowerEdit), "");
    EXPECT_FALSE(ui.enabled(kSignificanceButton));
}

INSTANTIATE_TEST_SUITE_P(
    EachParameter, DesignParameterRange,
    ::testing::Values(
        DesignParameter{false, kAlphaCombo, "0",
                        "Error: The significance level alpha must lie between 0.0001 and 1."},
        DesignParameter{false, kMuCombo, "0",
                        "Error: The alternative mean mu_a must be above 0: the test is one-sided "
                        "for a positive mean."},
        DesignParameter{false, kSdCombo, "-1",
                        "Error: The standard deviation sigma must be above 0."},
        DesignParameter{false, kSizeCombo, "0.00001",  // M = 0 made every mean NaN
                        "Error: The sample size m must lie between 1 and 99999 for a "
                        "sequential design."},
        DesignParameter{true, kPowerCombo, "1", "Error: The power must lie between 0 and 0.9999."},
        DesignParameter{true, kPowerCombo, "0.01",
                        "Error: The power must be above the significance level alpha."}));

TEST_F(SequentialDesign, AfterASearchTheTableBelongsToTheReturnedCoefficient) {
    brownianLooks(4);
    ui.click(kCoeffButton);
    ui.click(kSequentialDesignButton);
    const std::string searched = ui.text(kCoeffCombo);
    const double level = program.sequential().actualLevel;
    const double power = program.sequential().actualPower;
    const std::string levelText = ui.text(kActualSigEdit);
    const std::string powerText = ui.text(kActualPowerEdit);

    rhoOf("2.953");  // another table in between
    ui.click(kSequentialDesignButton);
    ASSERT_NE(program.sequential().actualLevel, level);
    rhoOf(searched);  // the searched a, as written
    ui.click(kSequentialDesignButton);
    // The same a and times give the same table, so the same sums to rounding.
    EXPECT_NEAR(program.sequential().actualLevel, level, 1e-12);
    EXPECT_NEAR(program.sequential().actualPower, power, 1e-12);
    EXPECT_EQ(ui.text(kActualSigEdit), levelText);
    EXPECT_EQ(ui.text(kActualPowerEdit), powerText);
}

TEST_F(SequentialDesign, NormseqPowerUsesTheRoundedUpSampleSize) {
    ui.click(kSizeButton);  // m = 24.73, so n = 25 and theta_a = sqrt(25)*0.5/1 = 2.5
    openTimes(kGroupSizesButton);
    ui.click(kCoeffButton);
    ui.click(kSequentialDesignButton);
    const double a = number(ui.text(kCoeffCombo));
    const std::vector<double> t = engineTimes();
    // Reference: the forward recursion with drift 2.5 - z_0.95 on the group-size times; 1e-6.
    const double power = sum(referenceStops(a, t, brownian(2.5 - kZ95), t.size()).up);
    EXPECT_NEAR(program.sequential().actualPower, power, 1e-6);
    const double level = sum(referenceStops(a, t, brownian(-kZ95), t.size()).up);
    EXPECT_NEAR(program.sequential().actualLevel, level, 1e-6);
}

// ---- Curves ------------------------------------------------------------------------------

class DesignedFourLooks : public SequentialDesign {
  protected:
    void SetUp() override {
        SequentialDesign::SetUp();
        brownianLooks(4);
        ui.click(kCoeffButton);
        rhoOf("2.953");
        ui.click(kSequentialDesignButton);
        ASSERT_TRUE(takeMessages().empty());
    }
};

TEST_F(DesignedFourLooks, ExpectedInformationCurve) {
    const std::vector<double> e = expectedInformation(program);
    ASSERT_EQ(e.size(), 81u);  // theta = -10 + i*25/80
    const std::vector<double> t = equallySpaced(4);
    // Reference: sum of t_k times the stopping masses at look k, by the forward recursion;
    // the program agrees to ~2e-7.
    for (int i : {0, 20, 32, 40, 60, 80}) {
        const double theta = -10.0 + i * 25.0 / 80.0;
        const Stops s = referenceStops(2.953, t, brownian(theta - kZ95), t.size());
        double expected = 0.0;
        for (std::size_t k = 0; k < t.size(); ++k)
            expected += t[k] * (s.up[k] + s.low[k]);
        EXPECT_NEAR(e[static_cast<std::size_t>(i)], expected, 1e-6) << "theta " << theta;
    }
    EXPECT_NEAR(e[32], 0.745, 5e-4);  // theta = 0
    for (double v : e) {
        EXPECT_GE(v, 0.25 - 1e-9);
        EXPECT_LE(v, 1.0 + 1e-9);
    }
}

TEST_F(DesignedFourLooks, PowerFunctionCurve) {
    const std::vector<double> p = powerFunction(program);
    ASSERT_EQ(p.size(), 102u);  // 51 pairs, theta = -1.5 + i*6.5/50
    for (std::size_t i = 0; i < 51; ++i) {
        // The last look always stops, so the two masses add to 1 up to integration error.
        EXPECT_NEAR(p[2 * i] + p[2 * i + 1], 1.0, 1e-6) << i;
        if (i > 0) {
            EXPECT_GT(p[2 * i], p[2 * (i - 1)]) << i;
        }
    }
    const std::vector<double> t = equallySpaced(4);
    for (int i : {0, 25, 50}) {
        const double theta = -1.5 + i * 6.5 / 50.0;
        const Stops s = referenceStops(2.953, t, brownian(theta - kZ95), t.size());
        EXPECT_NEAR(p[2 * static_cast<std::size_t>(i)], sum(s.up), 1e-6) << "theta " << theta;
    }
}

TEST_F(DesignedFourLooks, CurvesFollowTheTypedCoefficient) {
    // Without "rho" the table still belongs to 2.953, but a is read afresh from the combo: a
    // blank one is refused rather than taken for the last a read.
    ui.type(kCoeffCombo, "");
    EXPECT_TRUE(expectedInformation(program).empty());
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"Error: \"Bound-Coeff  a\" holds no "
                                                       "number: enter one first."});
    ui.type(kCoeffCombo, "x");
    EXPECT_TRUE(powerFunction(program).empty());
    EXPECT_EQ(takeMessages(), std::vector<std::string>{kEntryErrorBox});
}

}  // namespace
}  // namespace qalix::testing
