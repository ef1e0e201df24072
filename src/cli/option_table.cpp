// What the command line takes: every command with its options, the rule of each option, the
// conflicts among the options of a command, and the entry point that runs it. The parser
// (options.cpp), the help and the dispatcher (cli.cpp) read this table only.
#include <filesystem>
#include <string>

#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "design/design_record.hpp"
#include "design/level_choice.hpp"
#include "io/files.hpp"

namespace qalix {

namespace {

// The accessors of the members of each group of the options, the targets of their rules.
template <auto Member>
constexpr auto kInput = &optionField<&CliOptions::inputs, Member>;
template <auto Member>
constexpr auto kOutput = &optionField<&CliOptions::output, Member>;
template <auto Member>
constexpr auto kSample = &optionField<&CliOptions::samples, Member>;
template <auto Member>
constexpr auto kPlot = &optionField<&CliOptions::plot, Member>;
template <auto Member>
constexpr auto kReport = &optionField<&CliOptions::report, Member>;
template <auto Member>
constexpr auto kComparison = &optionField<&CliOptions::comparison, Member>;
template <auto Member>
constexpr auto kAnalysis = &optionField<&CliOptions::analysis, Member>;

// Texts that name the designs, by their keys.
const std::string kDesignHelp = std::string(kNormseqKey) + " (default; looks by group sizes), " +
                                std::string(kBrownianKey) + " (looks on information time) or " +
                                std::string(kFixedKey);
const std::string kTimesUnused =
    std::string(kNormseqKey) + " looks are placed by group sizes: give --groups";
const std::string kDesignCommandHelp =
    "a sequential design with its operating characteristics; without --m or --solve a " +
    std::string(kNormseqKey) + " design first solves m";

// Options of the fixed-sample design: every command types them into section 2 of the panel.
const OptionRule kDesignKind{.name = "--design",
                             .placeholder = "D",
                             .help = kDesignHelp,
                             .target = kInput<&DesignOptions::design>};
const OptionRule kAlpha{.name = "--alpha",
                        .placeholder = "T",
                        .help = "one-sided significance level, between 0 and 1",
                        .target = kInput<&DesignOptions::alpha>,
                        .check = ValueCheck::Number};
const OptionRule kPower{.name = "--power",
                        .placeholder = "T",
                        .help = "power at the alternative, between alpha and 1",
                        .target = kInput<&DesignOptions::power>,
                        .check = ValueCheck::Number};
const OptionRule kSd{.name = "--sd",
                     .placeholder = "T",
                     .help = "standard deviation sigma of one observation, above 0",
                     .target = kInput<&DesignOptions::sd>,
                     .check = ValueCheck::Number,
                     .unusedIn = kBrownianKey,
                     .why = "on information time there is no standard deviation to enter"};
const OptionRule kMu{.name = "--mu",
                     .placeholder = "T",
                     .help = "alternative mean mu_a, above 0",
                     .target = kInput<&DesignOptions::mu>,
                     .check = ValueCheck::Number,
                     .unusedIn = kBrownianKey,
                     .why =
                         "on information time the alternative is delta_a = z_(1-alpha) + "
                         "z_(power), set by --alpha and --power"};
const OptionRule kSize{.name = "--m",
                       .placeholder = "T",
                       .help = "sample size m, above 0",
                       .target = kInput<&DesignOptions::m>,
                       .check = ValueCheck::Number,
                       .unusedIn = kBrownianKey,
                       .why = "on information time m is the number of grid steps, 300"};
const OptionRule kSolve{.name = "--solve",
                        .placeholder = "P",
                        .help =
                            "compute P from the other four: m, mu, sd, power or alpha (power "
                            "or alpha on information time)",
                        .target = kInput<&DesignOptions::solve>};
const OptionRule kJson{.name = "--json",
                       .placeholder = "",
                       .help =
                           "print JSON: every shown field as {\"text\", \"value\"}, values "
                           "in full",
                       .target = kOutput<&OutputOptions::json>};

const std::string_view kNoGroups =
    "on information time there are no patients to allocate: its designs are one sample";
const OptionRule kAllocation{.name = "--allocation",
                             .placeholder = "R",
                             .help =
                                 "two groups, treatment and control, allocated in the ratio R "
                                 "(treatment : control, 0.01 to 100): the tests are on the "
                                 "difference of their means; without it, one sample",
                             .target = kInput<&DesignOptions::allocation>,
                             .check = ValueCheck::Number,
                             .unusedIn = kBrownianKey,
                             .why = kNoGroups};

// Options of the sequential design and its operating characteristics.
const OptionRule kLooks{.name = "--looks",
                        .placeholder = "K",
                        .help = "number of looks, 2 to 16 (default 4)",
                        .target = kInput<&DesignOptions::looks>,
                        .check = ValueCheck::Number};
const OptionRule kGroups{.name = "--groups",
                         .placeholder = "n1,...",
                         .help =
                             "group sizes of the looks before the last; the last takes the "
                             "rest of m",
                         .target = kInput<&DesignOptions::groups>,
                         .check = ValueCheck::Number,
                         .unusedIn = kBrownianKey,
                         .why = "looks on information time are placed with --times"};
const OptionRule kTimes{.name = "--times",
                        .placeholder = "t1,...",
                        .help = "information times of the looks before the last, the last is 1",
                        .target = kInput<&DesignOptions::times>,
                        .check = ValueCheck::Number,
                        .unusedIn = kNormseqKey,
                        .why = kTimesUnused};
const OptionRule kRho{.name = "--rho",
                      .placeholder = "T",
                      .help =
                          "maximum discordance probability rho_max to search a for "
                          "(default 0.02)",
                      .target = kInput<&DesignOptions::rho>,
                      .check = ValueCheck::Number};
const OptionRule kCoefficient{.name = "--a",
                              .placeholder = "T",
                              .help = "boundary coefficient a, used as typed instead of a search",
                              .target = kInput<&DesignOptions::a>,
                              .check = ValueCheck::Number};
const OptionRule kDeltas{.name = "--delta",
                         .placeholder = "T1,...",
                         .help =
                             "true means on the Brownian scale for the operating "
                             "characteristics",
                         .target = kInput<&DesignOptions::deltas>,
                         .check = ValueCheck::Number};
const OptionRule kMeans{.name = "--means",
                        .placeholder = "T1,...",
                        .help = "true means on the data scale for the operating characteristics",
                        .target = kInput<&DesignOptions::means>,
                        .check = ValueCheck::Number,
                        .unusedIn = kBrownianKey,
                        .why = "on information time there is no data-scale mean: give --delta"};
const OptionRule kLookDetails{.name = "--look-details",
                              .placeholder = "",
                              .help = "critical boundary values of every look",
                              .target = kOutput<&OutputOptions::lookDetails>};
const OptionRule kCurves{.name = "--curves",
                         .placeholder = "",
                         .help =
                             "power function and expected information time, each point with "
                             "its mean theta",
                         .target = kOutput<&OutputOptions::curves>};

// Design files, the command that reproduces a design, and its tables.
const OptionRule kSaveDesign{.name = "--save-design",
                             .placeholder = "FILE",
                             .help =
                                 "write the design, its inputs and results, to FILE (.qalixdesign "
                                 "added when FILE has no extension)",
                             .target = kOutput<&OutputOptions::saveDesign>};
const OptionRule kOpenDesign{.name = "--open",
                             .placeholder = "FILE",
                             .help =
                                 "the design of a design file; other options given change "
                                 "its inputs. Its results are checked against the file's",
                             .target = kInput<&DesignOptions::openDesign>};
const OptionRule kTitle{.name = "--title",
                        .placeholder = "TEXT",
                        .help = "a title for the design file, the report or the comparison",
                        .target = kOutput<&OutputOptions::title>};
const OptionRule kNotes{.name = "--notes",
                        .placeholder = "TEXT",
                        .help = "notes for the design file or the report",
                        .target = kOutput<&OutputOptions::notes>};
const OptionRule kPrintCommand{.name = "--print-command",
                               .placeholder = "",
                               .help =
                                   "print the one qalix command that reproduces the design, "
                                   "every input written out, and nothing else",
                               .target = kOutput<&OutputOptions::printCommand>};
const OptionRule kCsv{.name = "--csv",
                      .placeholder = "FILE",
                      .help = "write the boundaries of every look to FILE as CSV",
                      .target = kOutput<&OutputOptions::csv>};
const OptionRule kCurvesCsv{.name = "--curves-csv",
                            .placeholder = "FILE",
                            .help =
                                "write the power and expected-information curves to FILE as "
                                "CSV",
                            .target = kOutput<&OutputOptions::curvesCsv>};

// Options of the comparison: each alternative of one option is a candidate with every
// alternative of the others.
const OptionRule kLooksChoices{.name = "--looks",
                               .placeholder = "K1;...",
                               .help = "numbers of looks, 2 to 16 each (default 4)",
                               .target = kComparison<&ComparisonOptions::looks>,
                               .check = ValueCheck::NumberChoices};
const OptionRule kGroupsChoices{.name = "--groups",
                                .placeholder = "n1,...;...",
                                .help =
                                    "group sizes of the looks before the last, K-1 for each "
                                    "number of looks K",
                                .target = kComparison<&ComparisonOptions::groups>,
                                .check = ValueCheck::ListChoices,
                                .unusedIn = kGroups.unusedIn,
                                .why = kGroups.why};
const OptionRule kTimesChoices{.name = "--times",
                               .placeholder = "t1,...;...",
                               .help =
                                   "information times of the looks before the last, K-1 for "
                                   "each number of looks K",
                               .target = kComparison<&ComparisonOptions::times>,
                               .check = ValueCheck::ListChoices,
                               .unusedIn = kTimes.unusedIn,
                               .why = kTimes.why};
const OptionRule kRhoChoices{.name = "--rho",
                             .placeholder = "T1;...",
                             .help = "maximum discordance probabilities rho_max (default 0.02)",
                             .target = kComparison<&ComparisonOptions::rho>,
                             .check = ValueCheck::NumberChoices};
const OptionRule kCoefficientChoices{.name = "--a",
                                     .placeholder = "T1;...",
                                     .help = "boundary coefficients a, used as typed",
                                     .target = kComparison<&ComparisonOptions::a>,
                                     .check = ValueCheck::NumberChoices};
const OptionRule kOpenDesigns{.name = "--open",
                              .placeholder = "FILE",
                              .help =
                                  "a design file, repeatable: each file's design is a candidate, "
                                  "its inputs changed by the options given",
                              .target = kComparison<&ComparisonOptions::files>,
                              .repeats = kMaxOptionValues};
const OptionRule kCompareCsv{.name = "--csv",
                             .placeholder = "FILE",
                             .help = "write the rows to FILE as CSV, values in full",
                             .target = kOutput<&OutputOptions::csv>};
const OptionRule kJobs{.name = "--jobs",
                       .placeholder = "N",
                       .help = "threads to compute the candidates on (default: one per core)",
                       .target = kComparison<&ComparisonOptions::jobs>,
                       .check = ValueCheck::Whole};

const OptionRule kAllocationChoices{.name = "--allocation",
                                    .placeholder = "R1;...",
                                    .help = "allocation ratios to compare, separated by ';'",
                                    .target = kComparison<&ComparisonOptions::allocation>,
                                    .check = ValueCheck::NumberChoices,
                                    .unusedIn = kBrownianKey,
                                    .why = kNoGroups};

// The critical value's level, and the power held.
const std::string kLevelHelp =
    std::string(kNominalLevel) + " (default: the fixed-sample test's critical value), " +
    std::string(kExactLevel) + " (the level exactly alpha, futility stops obeyed) or " +
    std::string(kExactNonbindingLevel) + " (exactly alpha with the futility stops ignored)";
const OptionRule kLevel{.name = "--level",
                        .placeholder = "L",
                        .help = kLevelHelp,
                        .target = kInput<&DesignOptions::level>};
const OptionRule kHoldPower{.name = "--hold-power",
                            .placeholder = "",
                            .help =
                                "grow the size (on information time the alternative) until "
                                "the power reaches its target",
                            .target = kInput<&DesignOptions::holdPower>};
// A rule holds views of its texts: a help built from others is kept here, not a temporary.
const std::string kLevelChoicesHelp = "levels to compare, separated by ';': " + kLevelHelp;
const OptionRule kLevelChoices{.name = "--level",
                               .placeholder = "L;...",
                               .help = kLevelChoicesHelp,
                               .target = kComparison<&ComparisonOptions::level>};

// Options of the sample paths.
const OptionRule kSet{.name = "--set",
                      .placeholder = "mu=T,n=N",
                      .help =
                          "a simulation set, repeatable up to 100 times: mu or delta (delta "
                          "alone on information time) and its size n (default: the largest "
                          "useful size)",
                      .target = kSample<&SampleOptions::sets>,
                      .repeats = kMaxSimSets};
const OptionRule kSeed{.name = "--seed",
                       .placeholder = "N",
                       .help =
                           "seed of the simulations, a whole number, for paths that can be "
                           "drawn again (default: the clock)",
                       .target = kSample<&SampleOptions::seed>,
                       .check = ValueCheck::Whole};
const OptionRule kOut{.name = "--out",
                      .placeholder = "FILE",
                      .help =
                          "simulate: write the \"Simu\" lines to FILE as Save Simulation "
                          "does (default: standard output); plot: the picture FILE.svg, "
                          ".pdf or .png, or the metafile FILE.emf; report: FILE.html or "
                          "FILE.pdf; compare: the table and the candidates' curves as "
                          "FILE.html or FILE.pdf; analyse: the analysis as FILE.html or "
                          "FILE.pdf",
                      .target = kOutput<&OutputOptions::out>};
const OptionRule kKind{.name = "--kind",
                       .placeholder = "K",
                       .help = "what the files after it hold: simu, observ or varname",
                       .target = kSample<&SampleOptions::kind>,
                       .repeats = kMaxOptionValues};

const OptionRule kSelect{.name = "--select",
                         .placeholder = "K1,...",
                         .help =
                             "imported records to select in the selection dialog, with the "
                             "SD it estimates",
                         .target = kSample<&SampleOptions::select>,
                         .check = ValueCheck::Whole};
const OptionRule kPaths{.name = "--paths",
                        .placeholder = "P",
                        .help =
                            "sample paths on the boundary plot: new or saved (of the --set "
                            "given), all or selected (of the files imported)",
                        .target = kPlot<&PlotOptions::paths>};
const OptionRule kWidth{.name = "--width",
                        .placeholder = "W",
                        .help =
                            "width of the graphic window the plot is laid out in, pixels, "
                            "100 or more (default 1500)",
                        .target = kPlot<&PlotOptions::width>,
                        .check = ValueCheck::Whole};
const OptionRule kHeight{.name = "--height",
                         .placeholder = "H",
                         .help =
                             "height of the graphic window, pixels, 100 or more (default "
                             "800)",
                         .target = kPlot<&PlotOptions::height>,
                         .check = ValueCheck::Whole};

// Options of the design report.
const OptionRule kMean{.name = "--mean",
                       .placeholder = "T",
                       .help =
                           "a true mean (mu_a's scale; delta_a's on information time) at which "
                           "the report states the operating characteristics besides 0, halfway "
                           "and the alternative; repeatable",
                       .target = kReport<&ReportOptions::means>,
                       .check = ValueCheck::Number,
                       .repeats = kMaxOptionValues};
const OptionRule kPaper{.name = "--paper",
                        .placeholder = "P",
                        .help =
                            "a4 (default) or letter: the page size the report or the "
                            "comparison prints on",
                        .target = kOutput<&OutputOptions::paper>};
const OptionRule kAppendix{.name = "--appendix",
                           .placeholder = "",
                           .help = "the boundary and curve tables in full precision at the end",
                           .target = kReport<&ReportOptions::appendix>};

// Options of the analysis of a trial.
const OptionRule kObserved{.name = "--observed",
                           .placeholder = "n=N,sum=T",
                           .help =
                               "a look the trial took, in order, repeatable: its cumulative n "
                               "and its sum, mean or z (sum=, mean=, z=), and sd= when an "
                               "estimate replaces the design's sigma; on information time t= "
                               "and z=",
                           .target = kAnalysis<&AnalysisOptions::observed>,
                           .repeats = kMaxLooks};
const OptionRule kObserv{.name = "--observ",
                         .placeholder = "FILE",
                         .help = "an \"Observ\" sample file whose --record gives the looks",
                         .target = kAnalysis<&AnalysisOptions::observFile>,
                         .unusedIn = kBrownianKey,
                         .why = "on information time a look is t and z: give --observed"};
const OptionRule kRecord{.name = "--record",
                         .placeholder = "I",
                         .help =
                             "the record of the --observ file: its first n_k observations "
                             "are look k",
                         .target = kAnalysis<&AnalysisOptions::record>,
                         .check = ValueCheck::Whole};
const OptionRule kAt{.name = "--at",
                     .placeholder = "N1,...",
                     .help =
                         "the cumulative sizes of the looks taken from the record (default: "
                         "the design's)",
                     .target = kAnalysis<&AnalysisOptions::at>,
                     .check = ValueCheck::Whole};
const OptionRule kRecordSd{.name = "--record-sd",
                           .placeholder = "S",
                           .help =
                               "design (default) or estimated: the sigma of the record's "
                               "looks, the design's or the record's own estimate",
                           .target = kAnalysis<&AnalysisOptions::recordSd>};
const OptionRule kConfidence{.name = "--confidence",
                             .placeholder = "C",
                             .help =
                                 "the two-sided confidence of the interval at the end, each "
                                 "bound one-sided (1 + C) / 2 (default: 1 - 2 alpha)",
                             .target = kAnalysis<&AnalysisOptions::confidence>,
                             .check = ValueCheck::Number};

bool given(const std::optional<std::string>& option) {
    return option.has_value();
}

// --solve names one of the five parameters the design lets the user compute, and not one the
// command line also types.
void checkSolve(const DesignOptions& o) {
    if (!o.solve) return;
    struct Solvable {
        std::string_view item;
        const std::optional<std::string> DesignOptions::*typed;
        const OptionRule& option;
        bool onInformationTime;
    };
    const Solvable solvable[] = {{"m", &DesignOptions::m, kSize, false},
                                 {"mu", &DesignOptions::mu, kMu, false},
                                 {"sd", &DesignOptions::sd, kSd, false},
                                 {"power", &DesignOptions::power, kPower, true},
                                 {"alpha", &DesignOptions::alpha, kAlpha, true}};
    for (const Solvable& s : solvable) {
        if (*o.solve != s.item) continue;
        if (o.design == kBrownianKey && !s.onInformationTime) {
            throw UsageError("--solve " + std::string(s.item) + " has no use in the " +
                             std::string(kBrownianKey) +
                             " design: only power or alpha are computed there");
        }
        if (given(o.*s.typed)) {
            throw UsageError("--solve " + std::string(s.item) + " computes what " +
                             std::string(s.option.name) + " gives: give one of them");
        }
        return;
    }
    throw UsageError("--solve takes m, mu, sd, power or alpha");
}

// The looks are placed by sizes or by times, and a is searched for or typed.
void checkPlacing(bool rho, bool a, bool groups, bool times) {
    if (rho && a) throw UsageError("give --rho or --a, not both: a is searched from rho_max");
    if (groups && times) throw UsageError("give --groups or --times, not both");
}

// The fixed-sample parameters and the placing of the looks of a sequential design.
void checkLevel(const std::optional<std::string>& level, bool alternatives) {
    if (!level) return;
    for (const std::string& choice :
         alternatives ? splitAt(*level, kAlternativeSeparator) : std::vector{*level}) {
        if (!levelChoiceOf(choice)) {
            throw UsageError("--level takes " + std::string(kNominalLevel) + ", " +
                             std::string(kExactLevel) + " or " +
                             std::string(kExactNonbindingLevel) +
                             (alternatives ? ", separated by ';'" : "") + ": \"" + choice + "\"");
        }
    }
}

void checkSequential(const DesignOptions& o) {
    checkSolve(o);
    checkPlacing(given(o.rho), given(o.a), o.groups.has_value(), o.times.has_value());
    checkLevel(o.level, false);
}

void checkFixed(const CliOptions& o) {
    checkSolve(o.inputs);
}

void checkSimulate(const CliOptions& o) {
    checkSequential(o.inputs);
    if (o.samples.sets.empty()) throw UsageError("give at least one --set to simulate");
}

bool isPlotFile(const std::string& path) {
    const std::string extension = io::lowercaseExtension(path);
    return extension == ".svg" || extension == ".pdf" || extension == ".png" || extension == ".emf";
}

// The paths the boundary plot draws: simulated from the sets given, or imported from the files.
void checkPaths(const std::string& paths, const SampleOptions& samples) {
    if (paths != "new" && paths != "saved" && paths != "all" && paths != "selected")
        throw UsageError("--paths takes new, saved, all or selected");
    const bool simulated = paths == "new" || paths == "saved";
    if (simulated && samples.sets.empty())
        throw UsageError("--paths " + paths + " draws the --set given");
    if (!simulated && samples.files.empty())
        throw UsageError("--paths " + paths + " draws the files imported: give them after --kind");
    if (paths == "selected" && !samples.select)
        throw UsageError("--paths selected draws the --select given");
}

// The plot, its picture file and the paths drawn on it.
void checkPlot(const CliOptions& o) {
    checkSequential(o.inputs);
    const std::string& plot = o.plot.name;
    if (plot != "boundary" && plot != "power" && plot != "expected")
        throw UsageError("name the plot: qalix plot boundary|power|expected --out FILE");
    if (!o.output.out || !isPlotFile(*o.output.out))
        throw UsageError("--out names the picture to write: FILE.svg, .pdf, .png or .emf");
    if (!o.plot.paths) return;
    if (plot != "boundary") throw UsageError("--paths belongs to the boundary plot");
    checkPaths(*o.plot.paths, o.samples);
}

void checkImport(const CliOptions& o) {
    checkSequential(o.inputs);
    if (o.samples.files.empty())
        throw UsageError("give the files to import, each after its --kind");
}

bool isReportFile(const std::string& path) {
    const std::string extension = io::lowercaseExtension(path);
    return extension == ".html" || extension == ".htm" || extension == ".pdf";
}

void checkPaper(const OutputOptions& o) {
    if (o.paper && *o.paper != "a4" && *o.paper != "letter")
        throw UsageError("--paper takes a4 or letter");
}

void checkReport(const CliOptions& o) {
    checkSequential(o.inputs);
    if (!o.output.out || !isReportFile(*o.output.out))
        throw UsageError("--out names the report to write: FILE.html or FILE.pdf");
    checkPaper(o.output);
}

void checkAnalyse(const CliOptions& o) {
    checkSequential(o.inputs);
    const AnalysisOptions& a = o.analysis;
    if (a.observFile && !a.record) throw UsageError("--observ needs the --record of its looks");
    if ((a.record || a.at || a.recordSd) && !a.observFile)
        throw UsageError("--record, --at and --record-sd belong to an --observ file");
    if (a.recordSd && *a.recordSd != "design" && *a.recordSd != "estimated")
        throw UsageError("--record-sd takes design or estimated");
    if (a.observFile && !a.observed.empty())
        throw UsageError("give the looks by --observed or by --observ, not both");
    if (o.output.out && !isReportFile(*o.output.out))
        throw UsageError("--out names the analysis to write: FILE.html or FILE.pdf");
    if ((o.output.paper || o.output.title || o.output.notes) && !o.output.out &&
        !o.output.saveDesign)
        throw UsageError("--paper, --title and --notes belong to the document --out writes");
    checkPaper(o.output);
}

void checkDesign(const CliOptions& o) {
    checkSequential(o.inputs);
    if (o.inputs.deltas && o.inputs.means) throw UsageError("give --delta or --means, not both");
}

void checkCompare(const CliOptions& o) {
    const ComparisonOptions& c = o.comparison;
    checkSolve(o.inputs);
    checkLevel(c.level, true);
    checkPlacing(given(c.rho), given(c.a), given(c.groups), given(c.times));
    if (c.jobs && (*c.jobs == 0 || *c.jobs > kMaxJobs)) {
        throw UsageError("--jobs takes a whole number of threads from 1 to " +
                         std::to_string(kMaxJobs));
    }
    if (o.output.out && !isReportFile(*o.output.out))
        throw UsageError("--out names the comparison to write: FILE.html or FILE.pdf");
    if ((o.output.paper || o.output.title) && !o.output.out)
        throw UsageError("--paper and --title belong to the comparison --out writes");
    checkPaper(o.output);
}

const OptionRules& fixedOptions() {
    static const OptionRules options = {&kDesignKind, &kAlpha, &kPower, &kSd,
                                        &kMu,         &kSize,  &kSolve, &kJson};
    return options;
}

// The fixed-sample options with the outcome's: the commands that describe a trial of patients.
OptionRules outcomeOptions() {
    OptionRules options = fixedOptions();
    options.push_back(&kAllocation);
    return options;
}

OptionRules designOptions() {
    OptionRules options = outcomeOptions();
    for (const OptionRule* o :
         {&kLooks, &kGroups, &kTimes, &kRho, &kCoefficient, &kLevel, &kHoldPower, &kDeltas, &kMeans,
          &kLookDetails, &kCurves, &kOpenDesign, &kSaveDesign, &kTitle, &kNotes, &kPrintCommand,
          &kCsv, &kCurvesCsv}) {
        options.push_back(o);
    }
    return options;
}

// The options that place a sequential design, without those of its operating
// characteristics.
OptionRules sequentialOptions() {
    OptionRules options = fixedOptions();
    for (const OptionRule* o : {&kLooks, &kGroups, &kTimes, &kRho, &kCoefficient})
        options.push_back(o);
    return options;
}

OptionRules compareOptions() {
    OptionRules options = fixedOptions();
    for (const OptionRule* o :
         {&kAllocationChoices, &kLooksChoices, &kGroupsChoices, &kTimesChoices, &kRhoChoices,
          &kCoefficientChoices, &kLevelChoices, &kHoldPower, &kOpenDesigns, &kCompareCsv, &kJobs,
          &kOut, &kPaper, &kTitle})
        options.push_back(o);
    return options;
}

OptionRules simulateOptions() {
    OptionRules options = sequentialOptions();
    for (const OptionRule* o : {&kSet, &kSeed, &kOut})
        options.push_back(o);
    return options;
}

OptionRules importOptions() {
    OptionRules options = sequentialOptions();
    options.push_back(&kKind);
    options.push_back(&kSelect);
    return options;
}

OptionRules plotOptions() {
    OptionRules options = sequentialOptions();
    for (const OptionRule* o : {&kOut, &kWidth, &kHeight, &kPaths, &kSet, &kSeed, &kKind, &kSelect})
        options.push_back(o);
    return options;
}

OptionRules reportOptions() {
    OptionRules options;
    for (const OptionRule* o : outcomeOptions()) {
        if (o != &kJson) options.push_back(o);
    }
    for (const OptionRule* o :
         {&kLooks, &kGroups, &kTimes, &kRho, &kCoefficient, &kLevel, &kHoldPower, &kOpenDesign,
          &kTitle, &kNotes, &kMean, &kOut, &kPaper, &kAppendix})
        options.push_back(o);
    return options;
}

OptionRules analyseOptions() {
    OptionRules options = outcomeOptions();
    for (const OptionRule* o :
         {&kLooks,     &kGroups,     &kTimes,       &kRho,    &kCoefficient, &kLevel,
          &kHoldPower, &kOpenDesign, &kObserved,    &kObserv, &kRecord,      &kAt,
          &kRecordSd,  &kConfidence, &kCsv,         &kOut,    &kTitle,       &kNotes,
          &kPaper,     &kSaveDesign, &kPrintCommand})
        options.push_back(o);
    return options;
}

}  // namespace

const std::vector<CommandRule>& commands() {
    static const std::vector<CommandRule> table = {
        {.name = kFixedCommand,
         .help = "the fixed-sample test: any four of alpha, power, mu, sd and m give the fifth",
         .options = outcomeOptions(),
         .designs = {kNormseqKey, kBrownianKey, kFixedKey},
         .check = checkFixed,
         .run = runFixed},
        {.name = kDesignCommand,
         .help = kDesignCommandHelp,
         .options = designOptions(),
         .designs = {kNormseqKey, kBrownianKey},
         .check = checkDesign,
         .run = runDesign},
        {.name = kCompareCommand,
         .help = "candidate designs side by side, each a row of its results at the mean 0 and at "
                 "the alternative: every combination of the alternatives "
                 "of --looks, --groups or --times, and --rho or --a (separated by ';', the last "
                 "option varying fastest), for each --open file in turn; --out adds their power "
                 "and expected-size curves in a document",
         .options = compareOptions(),
         .designs = {kNormseqKey, kBrownianKey},
         .check = checkCompare,
         .run = runCompare},
        {.name = kSimulateCommand,
         .help = "sample paths simulated for the sets given, on a sequential design, written as "
                 "\"Simu\" lines",
         .options = simulateOptions(),
         .designs = {kNormseqKey, kBrownianKey},
         .check = checkSimulate,
         .run = runSimulate},
        {.name = kImportCommand,
         .help = "sample files imported in order, then the imported records as the selection "
                 "dialog shows them",
         .options = importOptions(),
         .designs = {kNormseqKey, kBrownianKey},
         .check = checkImport,
         .run = runImport,
         .takesFiles = true},
        {.name = kPlotCommand,
         .help = "plot boundary, power or expected: the plot of the design written to --out as a "
                 "picture or metafile, with sample paths on the boundary plot",
         .options = plotOptions(),
         .designs = {kNormseqKey, kBrownianKey},
         .check = checkPlot,
         .run = runPlot,
         .takesFiles = true,
         .takesPlotName = true},
        {.name = kReportCommand,
         .help = "the design report, ready for a protocol: the design, its boundaries on every "
                 "scale, its operating characteristics, the plots and a check of its numbers on a "
                 "finer grid, written to --out as HTML or PDF",
         .options = reportOptions(),
         .designs = {kNormseqKey, kBrownianKey},
         .check = checkReport,
         .run = runReport},
        {.name = kAnalyseCommand,
         .help = "the analysis of the looks a trial took on the design: the boundaries at their "
                 "actual times, the decision at each look, the conditional power while it "
                 "continues and, at the end, the stage-wise p-value, median-unbiased estimate "
                 "and confidence interval beside the naive ones",
         .options = analyseOptions(),
         .designs = {kNormseqKey, kBrownianKey},
         .check = checkAnalyse,
         .run = runAnalyse},
    };
    return table;
}

}  // namespace qalix
