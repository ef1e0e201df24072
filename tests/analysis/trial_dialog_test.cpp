// Data > "Analyse Trial..." as a user meets it: looks typed row by row or taken from an imported
// record, "Analyse", and what the dialog, the boundary plot, the copied command, the analysis
// report and the design file then hold, each checked against `qalix analyse` for the same looks.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/trial_dialog_ids.hpp"
#include "canvas/emf_player.hpp"
#include "cli/cli_run.hpp"
#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "document/design_menu.hpp"
#include "graphics/boundary_plot.hpp"
#include "graphics/plot_ids.hpp"
#include "report/analysis_menu.hpp"
#include "report/analysis_report_ids.hpp"
#include "samples/import_ids.hpp"
#include "support/file_text.hpp"
#include "support/started_program.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::testing {
namespace {

namespace fs = std::filesystem;
using namespace trialdialog;

// A look as typed in its row; the kind picked only when given.
struct Row {
    std::string information, kind, value, sd;
};

// Where a look lies on the plot and what it decided; S_t = sum / (sigma sqrt(M)) on group sizes.
struct Point {
    double t, s;
    std::string decision;
};

struct TrialCase {
    std::string name;
    bool brownian;
    std::string looks;
    std::vector<Row> rows;
    std::string confidence;            // typed over the default when given
    std::vector<std::string> options;  // `qalix analyse ...`
    std::vector<Point> path;
    std::string ratio = {};  // two groups in this ratio when given
};

// Two groups 1 : 1 of 50 patients each: the information of a look is 1 / (1/n1 + 1/n2), 25 at
// the end; Z = D / sqrt(1/n1 + 1/n2).
const double kFirstGroupsInformation = 1.0 / (1.0 / 12 + 1.0 / 13);

// M = 25 (the start-up design) and sigma = 1 on group sizes.
const std::vector<TrialCase> kCases = {
    {"continuing",
     false,
     "4",
     {{"6", "", "2.2", ""}, {"12", "", "5.3", ""}},
     "",
     {"--observed", "n=6,sum=2.2", "--observed", "n=12,sum=5.3"},
     {{0.24, 0.44, "continue"}, {0.48, 1.06, "continue"}}},
    {"stopped for efficacy",
     false,
     "4",
     {{"6", "sum", "2.2", ""}, {"12", "sum", "15.1", ""}},
     "",
     {"--observed", "n=6,sum=2.2", "--observed", "n=12,sum=15.1"},
     {{0.24, 0.44, "continue"}, {0.48, 3.02, "efficacy"}}},
    {"final analysis: a mean, an sd, a Z and another confidence",
     false,
     "4",
     {{"6", "mean", "0.4", ""},
      {"12", "sum", "5.3", "1.2"},
      {"18", "sum", "8.6", ""},
      {"25", "Z", "1.82", ""}},
     "0.95",
     {"--observed", "n=6,mean=0.4", "--observed", "n=12,sum=5.3,sd=1.2", "--observed",
      "n=18,sum=8.6", "--observed", "n=25,z=1.82", "--confidence", "0.95"},
     {{0.24, 0.48, "continue"},
      {0.48, 5.3 / 1.2 / 5.0, "continue"},
      {0.72, 1.72, "continue"},
      {1.0, 1.82, "reject"}}},
    {"on information time",
     true,
     "3",
     {{"0.3", "", "0.8", ""}, {"0.65", "", "1.9", ""}},
     "",
     {"--design", "brownian", "--observed", "t=0.3,z=0.8", "--observed", "t=0.65,z=1.9"},
     {{0.3, 0.8 * std::sqrt(0.3), "continue"}, {0.65, 1.9 * std::sqrt(0.65), "continue"}}},
    {"two groups: sizes n1+n2, the difference as the mean, a Z",
     false,
     "4",
     {{"12+13", "mean", "0.3", ""}, {"25+25", "Z", "1.1", ""}},
     "",
     {"--allocation", "1", "--observed", "n1=12,n2=13,diff=0.3", "--observed", "n1=25,n2=25,z=1.1"},
     {{kFirstGroupsInformation / 25,
       0.3 * std::sqrt(kFirstGroupsInformation) * std::sqrt(kFirstGroupsInformation / 25),
       "continue"},
      {0.5, 1.1 * std::sqrt(0.5), "continue"}},
     "1"},
};

class TrialDialog : public StartedProgram {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("qalix_trial_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        StartedProgram::SetUp();
        designs.emplace(program);
        analyses.emplace(program, *designs);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string file(const std::string& name) const { return (folder / name).string(); }
    FrameWindow& frame() { return program.frame(); }

    // The design on the panel, "Sequential Design", and the graphic window.
    void enter(bool brownian, const std::string& looks, const std::string& rho = "0.02",
               const std::string& ratio = "") {
        using namespace panel;
        ui.click(brownian ? kBrownianDesign : kNormseqDesign);
        if (!brownian) ui.pick(kOutcomeCombo, ratio.empty() ? "one sample" : "two groups");
        if (!ratio.empty()) ui.type(kAllocationCombo, ratio);
        if (!brownian) ui.click(kSizeButton);  // m solved, as the command line's default
        ui.type(kLooksCombo, looks);
        whenShown(kInfoTimeDialog, infotimes::kOk);
        ui.click(brownian ? kInfoTimesButton : kGroupSizesButton);
        ui.type(kRhoCombo, rho);
        ui.click(kCoeffButton);
        ui.click(kSequentialDesignButton);
        ui.click(kGraphicWindow);
        ASSERT_EQ(takeMessages(), std::vector<std::string>{});
    }
    void enter(const TrialCase& c) { enter(c.brownian, c.looks, "0.02", c.ratio); }

    // The dialog opened, the steps done in it, and what its analysis field then shows.
    std::string inDialog(const std::function<void()>& steps) {
        std::string shown;
        whenShown(
            kTrialDialog,
            [&] {
                steps();
                shown = ui.text(kTrialDialog, kResultEdit);
            },
            kClose);
        frame().command(menu::kAnalyseTrial);
        return shown;
    }
    // The rows of the design's looks cleared, then those given typed.
    void type(const std::vector<Row>& rows, const std::string& confidence = "") {
        for (std::size_t i = 0; i < kInformationEdit.size(); ++i) {
            for (int field : {kInformationEdit[i], kValueEdit[i], kSdEdit[i]}) {
                if (ui.enabled(kTrialDialog, field)) ui.type(kTrialDialog, field, "");
            }
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            ui.type(kTrialDialog, kInformationEdit[i], rows[i].information);
            if (!rows[i].kind.empty()) ui.pick(kTrialDialog, kKindCombo[i], rows[i].kind);
            ui.type(kTrialDialog, kValueEdit[i], rows[i].value);
            if (!rows[i].sd.empty()) ui.type(kTrialDialog, kSdEdit[i], rows[i].sd);
        }
        // The default, 1 - 2 alpha, unless another is given.
        ui.type(kTrialDialog, kConfidenceEdit, confidence.empty() ? "0.9" : confidence);
    }
    std::string analyse(const TrialCase& c) {
        return inDialog([&] {
            type(c.rows, c.confidence);
            ui.click(kTrialDialog, kAnalyse);
        });
    }
    // Every row's fields as the dialog shows them.
    std::vector<std::string> rowTexts() {
        std::vector<std::string> texts;
        inDialog([&] {
            for (std::size_t i = 0; i < kInformationEdit.size(); ++i) {
                texts.push_back(ui.text(kTrialDialog, kInformationEdit[i]) + "|" +
                                ui.text(kTrialDialog, kKindCombo[i]) + "|" +
                                ui.text(kTrialDialog, kValueEdit[i]) + "|" +
                                ui.text(kTrialDialog, kSdEdit[i]));
            }
            texts.push_back(ui.text(kTrialDialog, kConfidenceEdit));
        });
        return texts;
    }
    std::vector<std::string> picture() {
        std::vector<std::string> lines;
        if (frame().picture() == nullptr) return lines;
        std::istringstream log(frame().picture()->text());
        for (std::string line; std::getline(log, line);)
            lines.push_back(line);
        return lines;
    }

    fs::path folder;
    std::optional<DesignMenu> designs;
    std::optional<AnalysisMenu> analyses;
};

CliRun analyseOnCommandLine(const TrialCase& c, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"analyse", "--looks", c.looks, "--rho", "0.02"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.insert(args.end(), more.begin(), more.end());
    CliRun r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r;
}

int X(double t) {
    return PlotMapping(kBoundaryScale).NEWX(static_cast<float>(t));
}
int Y(double s) {
    return PlotMapping(kBoundaryScale).NEWY(static_cast<float>(s));
}

// The path from (0, 0) through each look's (t, S) in the path's own pen, each look's decision
// beside it.
void expectPath(const std::vector<std::string>& log, const std::vector<Point>& path) {
    const auto pen = std::find(log.begin(), log.end(), "pen solid 2 (0,100,0)");
    ASSERT_NE(pen, log.end());
    std::vector<std::string> expected = {"move 0 0"};
    for (const Point& p : path)
        expected.push_back("line " + std::to_string(X(p.t)) + " " + std::to_string(Y(p.s)));
    EXPECT_EQ(std::vector<std::string>(pen + 1, pen + 1 + static_cast<long>(expected.size())),
              expected);
    for (const Point& p : path) {
        const auto word = [&p](const std::string& line) {
            return line.rfind("text ", 0) == 0 && line.ends_with("\"" + p.decision + "\"");
        };
        EXPECT_NE(std::find_if(pen, log.end(), word), log.end()) << p.decision;
    }
}

// The dialog shows what `qalix analyse` prints and the boundary plot the looks' path, "Copy as
// Command" copies what --print-command prints, and the analysis report is the document --out
// writes, plot and all; the metafile export draws the path too.
TEST_F(TrialDialog, ShowsDrawsCopiesAndReportsWhatTheCommandLineDoes) {
    for (const TrialCase& c : kCases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(enter(c));
        EXPECT_EQ(analyse(c), analyseOnCommandLine(c).out);
        EXPECT_EQ(platform.busyDepth(), 0);
        expectPath(picture(), c.path);

        ui.click(panel::kTextWindow);
        inDialog([&] { ui.click(kTrialDialog, kCopyCommand); });
        ASSERT_EQ(takeMessages(), std::vector<std::string>{});
        ASSERT_FALSE(platform.copiedTexts().empty());
        EXPECT_EQ(platform.copiedTexts().back() + "\n",
                  analyseOnCommandLine(c, {"--print-command"}).out);
        EXPECT_NE(frame().text().find(platform.copiedTexts().back()), std::string::npos);

        whenShown(kAnalysisReportDialog, [&] {
            ui.type(kAnalysisReportDialog, analysisreport::kTitle, "Interim \xc3\xa9");
            ui.type(kAnalysisReportDialog, analysisreport::kNotes, "For the committee.");
        });
        platform.answerSaveFile({DialogOutcome::Accepted, file("analysis"), 0});
        frame().command(menu::kAnalysisReport);
        ASSERT_EQ(takeMessages(), std::vector<std::string>{});
        EXPECT_EQ(platform.openedDocuments().back(), file("analysis.html"));
        analyseOnCommandLine(c, {"--out", file("cli.html"), "--title", "Interim \xc3\xa9",
                                 "--notes", "For the committee."});
        const std::string written = fileText(file("analysis.html"));
        EXPECT_EQ(written, fileText(file("cli.html")));
        EXPECT_NE(written.find("Observed path"), std::string::npos);
    }
    frame().command(menu::kGraphicWindow);
    platform.answerSaveFile({DialogOutcome::Accepted, file("plot.emf"), 0});
    frame().command(menu::kSaveAs);
    RecordingCanvas replayed;
    EmfPlayer::open(file("plot.emf")).play(replayed, {0, 0, 1499, 799});
    EXPECT_NE(replayed.text().find("Observed path"), std::string::npos);
}

// A look the analysis refuses is named in its own message; the dialog, the plot and what a save
// keeps stay as the last analysis left them.
TEST_F(TrialDialog, RefusedLookShowsItsMessageAndChangesNothing) {
    const TrialCase& good = kCases[0];
    const struct {
        std::vector<Row> rows;
        std::string confidence;
        std::string message;
    } refused[] = {
        {{{"12", "", "5.3", ""}, {"6", "", "2.2", ""}},
         "",
         "Error: The look 2 does not come after look 1."},
        {{{"6", "", "2.2", ""}, {"", "", "", ""}, {"18", "", "8", ""}},
         "",
         "Error: The look 2 is blank: give the looks in order, one in each row."},
        {{{"6", "", "", ""}},
         "",
         "Error: The look 1 needs exactly one of its sum, its mean and its Z."},
        {{{"6", "", "2.2", ""}},
         "high",
         "Error: The confidence \"high\" is not one number: give the two-sided confidence of the "
         "interval, such as 0.9."},
    };
    ASSERT_NO_FATAL_FAILURE(enter(good));
    const std::string shown = analyse(good);
    const std::vector<std::string> plotted = picture();
    for (const auto& r : refused) {
        SCOPED_TRACE(r.message);
        std::string after;
        inDialog([&] {
            type(r.rows, r.confidence);
            ui.click(kTrialDialog, kAnalyse);
            after = ui.text(kTrialDialog, kResultEdit);
        });
        EXPECT_EQ(takeMessages(), std::vector<std::string>{r.message});
        EXPECT_EQ(after, shown);
        EXPECT_EQ(picture(), plotted);
        EXPECT_EQ(program.trial().looks, (std::vector<std::string>{"n=6,sum=2.2", "n=12,sum=5.3"}));
    }
}

// Saved with the design, the looks come back in the dialog when the file is opened, analysed
// again; `qalix analyse --open` reads the same looks from it, and the dialog reads those a file
// of the command line holds. Looks analysed on another design are neither drawn nor saved.
TEST_F(TrialDialog, DesignFileKeepsTheLooksOfItsDesignOnly) {
    const TrialCase& c = kCases[2];
    ASSERT_NO_FATAL_FAILURE(enter(c));
    const std::string shown = analyse(c);
    const std::vector<std::string> typed = rowTexts();
    platform.answerSaveFile({DialogOutcome::Accepted, file("trial"), 0});
    frame().command(menu::kSaveDesign);
    const CliRun reopened = run({"analyse", "--open", file("trial.qalixdesign")});
    EXPECT_EQ(reopened.out, shown) << reopened.err;

    ASSERT_NO_FATAL_FAILURE(enter(false, "5", "0.03"));
    EXPECT_FALSE(frame().menu().enabled(menu::kAnalysisReport));
    whenShown(kPlotDialog, kIdCancel);
    frame().command(menu::kPlotBoundary);
    EXPECT_EQ(frame().picture()->text().find("Observed path"), std::string::npos);
    platform.answerSaveFile({DialogOutcome::Accepted, file("other"), 0});
    frame().command(menu::kSaveDesign);
    EXPECT_EQ(fileText(file("other.qalixdesign")).find("\"analysis\""), std::string::npos);

    platform.answerOpenFile({DialogOutcome::Accepted, file("trial.qalixdesign"), 0});
    frame().command(menu::kOpenDesign);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{});
    EXPECT_EQ(rowTexts(), typed);
    EXPECT_EQ(inDialog([] {}), shown);
    EXPECT_TRUE(frame().menu().enabled(menu::kAnalysisReport));
    whenShown(kPlotDialog, kIdCancel);
    frame().command(menu::kPlotBoundary);
    expectPath(picture(), c.path);

    analyseOnCommandLine(kCases[3], {"--save-design", file("cli.qalixdesign")});
    platform.answerOpenFile({DialogOutcome::Accepted, file("cli.qalixdesign"), 0});
    frame().command(menu::kOpenDesign);
    const std::vector<std::string> rows = rowTexts();
    EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.begin() + 3),
              (std::vector<std::string>{"0.3|Z|0.8|", "0.65|Z|1.9|", "|Z||"}));
}

// "Take Looks": the record's sums at the design's cumulative sizes that it reaches, with the
// design's sigma, as `qalix analyse --observ --record` takes them; with the record's estimate
// once "Import Samples" chose "Estimated".
TEST_F(TrialDialog, LooksOfAnImportedRecord) {
    std::vector<double> second;
    {
        std::ofstream out(file("observ.txt"));
        for (int record = 1; record <= 2; ++record) {
            for (int i = 1; i <= 20; ++i) {
                const double x = std::round(100.0 * record + 370.0 * std::sin(i * record)) / 1e3;
                out << record << " " << i << " " << x << "\n";
                if (record == 2) second.push_back(static_cast<float>(x));
            }
        }
    }
    ASSERT_NO_FATAL_FAILURE(enter(false, "4"));
    ui.click(panel::kTextWindow);
    platform.answerOpenFile({DialogOutcome::Accepted, file("observ.txt"), 0});
    frame().command(menu::kImportObserved);
    const std::string shown = inDialog([&] {
        ui.type(kTrialDialog, kRecordEdit, "2");
        ui.click(kTrialDialog, kTakeLooks);
        ui.click(kTrialDialog, kAnalyse);
    });
    const CliRun cli =
        run({"analyse", "--looks", "4", "--observ", file("observ.txt"), "--record", "2"});
    EXPECT_EQ(shown, cli.out) << cli.err;
    EXPECT_EQ(program.trial().looks.size(), 3u);  // 20 observations reach n = 6, 12 and 18

    ui.click(panel::kImportedSamples);
    ASSERT_TRUE(ui.checked(kImportDialog, imports::kEstimatedRadio));
    ui.click(kImportDialog, imports::kDone);
    double mean = 0.0, squares = 0.0;
    for (double x : second)
        mean += x / static_cast<double>(second.size());
    for (double x : second)
        squares += (x - mean) * (x - mean);
    const double sd = std::sqrt(squares / static_cast<double>(second.size() - 1));
    inDialog([&] {
        ui.click(kTrialDialog, kTakeLooks);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(std::stod(ui.text(kTrialDialog, kSdEdit[i])), sd, 1e-5 * sd);
        EXPECT_EQ(ui.text(kTrialDialog, kInformationEdit[3]), "");
        ui.type(kTrialDialog, kRecordEdit, "3");
        ui.click(kTrialDialog, kTakeLooks);
    });
    EXPECT_EQ(takeMessages(), std::vector<std::string>{
                                  "Error: Give the number of an imported record, 1 to 2: \"3\"."});
}

}  // namespace
}  // namespace qalix::testing
