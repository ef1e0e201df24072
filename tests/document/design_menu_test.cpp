// The desktop's design files, tables and reproducing command as a user meets them: designs
// entered on the panel, saved, exported, copied as a command and opened again, each checked
// against what the command line writes for the same options, and the files it refuses.
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "cli/cli_run.hpp"
#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "document/design_menu.hpp"
#include "report/comparison_menu.hpp"
#include "report/report_ids.hpp"
#include "report/report_menu.hpp"
#include "support/file_text.hpp"
#include "support/started_program.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::testing {
namespace {

namespace fs = std::filesystem;
using namespace panel;

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A design file without the line of the time it was written.
std::string withoutTime(const std::string& text) {
    const auto at = text.find("\"written\":");
    if (at == std::string::npos) return text;
    return text.substr(0, at) + text.substr(text.find('\n', at));
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The text without the member that starts with the key given, up to the end of its line or,
// for an object, of the line that closes it.
std::string withoutMember(const std::string& text, const std::string& key) {
    const auto at = text.find(key);
    EXPECT_NE(at, std::string::npos) << key;
    if (at == std::string::npos) return text;
    const auto from = text.rfind('\n', at) + 1;
    const auto close = text[text.find('\n', at) - 1] == '{' ? text.find('}', at) : at;
    return text.substr(0, from) + text.substr(text.find('\n', close) + 1);
}

// A design as a user enters it on the panel, and the options that give it to the command line.
struct DesignCase {
    std::string name;
    int design;
    std::vector<std::pair<int, std::string>> typed;  // panel parameters
    int solve;                                       // a solve button, or 0
    std::string looks;
    std::vector<std::string> lookEntries;  // group sizes, or times on information time
    std::string rho;                       // typed when given
    std::string a;                         // typed over the searched one when given
    std::vector<std::string> options;      // `qalix design ...`
    // Picked before "Sequential Design" (the level), and clicked (hold power).
    std::vector<std::pair<int, std::string>> picks = {};
    std::vector<int> clicks = {};
    std::string ratio = {};  // two groups in this ratio when given
};

const std::vector<DesignCase> kDesigns = {
    {"normseq, group sizes typed",
     kNormseqDesign,
     {{kSizeCombo, "60"}},
     0,
     "4",
     {"10", "20", "15"},
     "0.02",
     "",
     {"--m", "60", "--looks", "4", "--groups", "10,20,15", "--rho", "0.02"}},
    {"brownian, times typed",
     kBrownianDesign,
     {{kAlphaCombo, "0.025"}},
     0,
     "3",
     {"0.300", "0.600"},
     "0.01",
     "",
     {"--design", "brownian", "--alpha", "0.025", "--looks", "3", "--times", "0.300,0.600", "--rho",
      "0.01"}},
    {"normseq, m solved, the dialog's own looks",
     kNormseqDesign,
     {{kPowerCombo, "0.9"}},
     kSizeButton,
     "4",
     {},
     "0.02",
     "",
     {"--power", "0.9", "--solve", "m", "--looks", "4", "--rho", "0.02"}},
    {"normseq, a given",
     kNormseqDesign,
     {{kSizeCombo, "50"}},
     0,
     "5",
     {},
     "",
     "2.953",
     {"--m", "50", "--looks", "5", "--a", "2.953"}},
    {"normseq, exact level, power held",
     kNormseqDesign,
     {{kPowerCombo, "0.9"}},
     kSizeButton,
     "4",
     {},
     "0.02",
     "",
     {"--power", "0.9", "--solve", "m", "--looks", "4", "--rho", "0.02", "--level", "exact",
      "--hold-power"},
     {{kLevelCombo, "exact"}},
     {kHoldPowerCheck}},
    {"brownian, exact non-binding level",
     kBrownianDesign,
     {},
     0,
     "3",
     {},
     "0.02",
     "",
     {"--design", "brownian", "--looks", "3", "--rho", "0.02", "--level", "exact-nonbinding"},
     {{kLevelCombo, "exact-nonbinding"}}},
    {"normseq, two groups 2 : 1, m solved",
     kNormseqDesign,
     {{kPowerCombo, "0.9"}, {kMuCombo, "0.3"}},
     kSizeButton,
     "3",
     {},
     "0.02",
     "",
     {"--allocation", "2", "--power", "0.9", "--mu", "0.3", "--solve", "m", "--looks", "3", "--rho",
      "0.02"},
     {},
     {},
     "2"},
};

class DesignMenuTest : public StartedProgram {
  protected:
    void SetUp() override {
        // Short, so that the File menu shows the names of its files in full.
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder =
            fs::temp_directory_path() / ("qd-" + std::to_string(std::hash<std::string>{}(test)));
        fs::remove_all(folder);
        fs::create_directories(folder);
        platform.keepSettingsIn(settings());
        StartedProgram::SetUp();
        designs.emplace(program);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string file(const std::string& name) const { return (folder / name).string(); }
    std::string settings() const { return file("settings"); }
    FrameWindow& frame() { return program.frame(); }
    const MenuModel& menu() { return frame().menu(); }

    // The user's steps on the panel and in the information-time dialog, then the graphic
    // window, so that the File menu's design commands are there.
    void enter(const DesignCase& c) {
        ui.click(c.design);
        // On information time the outcome is one sample, and not the user's to pick.
        if (c.design != kBrownianDesign)
            ui.pick(kOutcomeCombo, c.ratio.empty() ? "one sample" : "two groups");
        if (!c.ratio.empty()) ui.type(kAllocationCombo, c.ratio);
        for (const auto& [control, text] : c.typed)
            ui.type(control, text);
        if (c.solve != 0) ui.click(c.solve);
        ui.type(kLooksCombo, c.looks);
        const bool brownian = c.design == kBrownianDesign;
        whenShown(
            kInfoTimeDialog,
            [&] {
                const auto& row = brownian ? infotimes::kTime : infotimes::kGroupSize;
                for (std::size_t i = 0; i < c.lookEntries.size(); ++i)
                    ui.type(kInfoTimeDialog, row[i], c.lookEntries[i]);
                if (!c.lookEntries.empty()) ui.click(kInfoTimeDialog, infotimes::kUpdateChanges);
            },
            infotimes::kOk);
        ui.click(brownian ? kInfoTimesButton : kGroupSizesButton);
        if (!c.rho.empty()) ui.type(kRhoCombo, c.rho);
        ui.click(kCoeffButton);
        if (!c.a.empty()) {
            ui.type(kCoeffCombo, c.a);
            ui.click(kRhoButton);
        }
        for (const auto& [control, item] : c.picks)
            ui.pick(control, item);
        for (int control : c.clicks)
            ui.click(control);
        ui.click(kSequentialDesignButton);
        ui.click(kGraphicWindow);
        ASSERT_EQ(takeMessages(), std::vector<std::string>{});
    }

    // Every text of the panel and of the information-time dialog, and the design chosen.
    std::vector<std::string> shownTexts() {
        std::vector<std::string> texts;
        for (int design : {kFixedDesign, kBrownianDesign, kNormseqDesign})
            texts.push_back(std::to_string(design) + (ui.checked(design) ? " chosen" : ""));
        for (int control : {kOutcomeCombo, kAllocationCombo, kGroupsEdit, kAlphaCombo, kPowerCombo,
                            kSdCombo, kMuCombo, kSizeCombo, kLooksCombo, kRhoCombo, kCoeffCombo,
                            kDiscordanceEdit, kActualSigEdit, kActualPowerEdit})
            texts.push_back(std::to_string(control) + "=" + ui.text(control));
        for (const auto* row :
             {&infotimes::kTime, &infotimes::kGroupSize, &infotimes::kCumulative}) {
            for (int control : *row)
                texts.push_back(std::to_string(control) + "=" + ui.text(kInfoTimeDialog, control));
        }
        return texts;
    }

    void save(const std::string& path) {
        platform.answerSaveFile({DialogOutcome::Accepted, path, 0});
        frame().command(menu::kSaveDesign);
    }
    void open(const std::string& path) {
        platform.answerOpenFile({DialogOutcome::Accepted, path, 0});
        frame().command(menu::kOpenDesign);
    }
    std::vector<std::string> recentItems() {
        std::vector<std::string> items;
        for (int id : {menu::kRecentDesign1, menu::kRecentDesign2, menu::kRecentDesign3,
                       menu::kRecentDesign4}) {
            if (menu().visible(id)) items.push_back(menu().text(id));
        }
        return items;
    }

    fs::path folder;
    std::optional<DesignMenu> designs;
};

// A design the tests compute over the one they open, so that nothing of it stays by chance.
const DesignCase kOtherDesign = {"other", kBrownianDesign, {}, 0, "6", {}, "0.05", "", {}};

TEST_F(DesignMenuTest, WritesWhatTheCommandLineWritesAndOpensWhatItSaved) {
    for (const DesignCase& c : kDesigns) {
        SCOPED_TRACE(c.name);
        enter(c);
        const std::vector<std::string> before = shownTexts();
        const std::vector<std::string> design = [&] {
            std::vector<std::string> args = {"design"};
            args.insert(args.end(), c.options.begin(), c.options.end());
            return args;
        }();
        const auto cli = [&design](std::vector<std::string> more) {
            std::vector<std::string> args = design;
            args.insert(args.end(), more.begin(), more.end());
            const CliRun r = run(args);
            EXPECT_EQ(r.status, 0) << r.err;
            return r;
        };

        save(file("trial"));
        ASSERT_EQ(takeMessages(), std::vector<std::string>{});
        cli({"--save-design", file("cli.qalixdesign")});
        EXPECT_EQ(withoutTime(fileText(file("trial.qalixdesign"))),
                  withoutTime(fileText(file("cli.qalixdesign"))));

        frame().command(menu::kCopyDesignCommand);
        ASSERT_FALSE(platform.copiedTexts().empty());
        EXPECT_EQ(platform.copiedTexts().back() + "\n", cli({"--print-command"}).out);

        platform.answerSaveFile({DialogOutcome::Accepted, file("tables.csv"), 0});
        frame().command(menu::kExportTables);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{});
        cli({"--csv", file("cli.csv"), "--curves-csv", file("cli-curves.csv")});
        EXPECT_EQ(fileText(file("tables.csv")), fileText(file("cli.csv")));
        EXPECT_EQ(fileText(file("tables-curves.csv")), fileText(file("cli-curves.csv")));

        enter(kOtherDesign);
        open(file("trial.qalixdesign"));
        EXPECT_EQ(takeMessages(), std::vector<std::string>{});
        EXPECT_EQ(shownTexts(), before);
        EXPECT_TRUE(program.frame().designComputed());
    }
}

// A file refused leaves every text of the panel as it was and says why in one message that
// names the file, the line and the key.
TEST_F(DesignMenuTest, RefusedFileLeavesThePanelAsItWas) {
    enter(kDesigns[0]);
    save(file("good"));
    const std::string good = fileText(file("good.qalixdesign"));
    const std::string start = "Error: The design file ";
    const struct {
        std::string name;
        std::string text;
        std::string where;  // after the file's name
    } refused[] = {
        {"not JSON", "{\"format\": \"qalix-design\",\n  oops\n}",
         ", line 2 cannot be opened: it is not JSON."},
        {"newer version", replaced(good, "\"version\": 1,", "\"version\": 2,"),
         ", line 3, key \"version\" cannot be opened: it was written by a newer program"},
        {"an input missing", withoutMember(good, "\"looks\": {"),
         ", line 8, key \"inputs\" cannot be opened: \"looks\" is missing"},
    };
    enter(kOtherDesign);
    const std::vector<std::string> before = shownTexts();
    for (const auto& r : refused) {
        SCOPED_TRACE(r.name);
        const std::string path = file("refused.qalixdesign");
        writeBytes(path, r.text);
        open(path);
        const std::vector<std::string> messages = takeMessages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].substr(0, start.size() + path.size() + r.where.size()),
                  start + path + r.where);
        EXPECT_EQ(shownTexts(), before);
        EXPECT_TRUE(frame().designComputed());
    }
}

TEST_F(DesignMenuTest, HandEditedInputShowsTheRecomputedDesignAndWhereItDiffers) {
    enter(kDesigns[0]);
    save(file("edited"));
    const std::string path = file("edited.qalixdesign");
    // Text and value alike: a value that is not its text's number is refused.
    writeBytes(path, replaced(fileText(path), "\"text\": \"0.02\",\n      \"value\": 0.02",
                              "\"text\": \"0.03\",\n      \"value\": 0.03"));
    enter(kOtherDesign);
    open(path);
    const std::vector<std::string> messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    const std::string start =
        "Design File: The results differ from those the design file holds (written by qalix ";
    const std::string end = "), first at panel.rho: \"0.02\" in the file, \"0.03\" now.";
    EXPECT_EQ(messages[0].substr(0, start.size()), start);
    EXPECT_EQ(messages[0].substr(messages[0].size() - std::min(end.size(), messages[0].size())),
              end);
    EXPECT_EQ(ui.text(kRhoCombo), "0.03");
    EXPECT_TRUE(frame().designComputed());
}

TEST_F(DesignMenuTest, RecentFilesKeepFourMostRecentFirstAcrossRunsAndDropMissingOnes) {
    enter(kDesigns[3]);
    save(file("first"));
    std::vector<std::string> names;
    for (const char* name : {"b", "c", "d", "e"}) {
        names.push_back(file(std::string(name) + ".qalixdesign"));
        fs::copy_file(file("first.qalixdesign"), names.back());
        open(names.back());
    }
    EXPECT_EQ(takeMessages(), std::vector<std::string>{});
    const std::vector<std::string> four = {"&1 " + names[3], "&2 " + names[2], "&3 " + names[1],
                                           "&4 " + names[0]};
    EXPECT_EQ(recentItems(), four);

    {  // the next run, with the same settings folder
        HeadlessPlatform nextPlatform;
        nextPlatform.keepSettingsIn(settings());
        Program next(nextPlatform);
        const DesignMenu nextDesigns(next);
        std::vector<std::string> shown;
        for (int id : {menu::kRecentDesign1, menu::kRecentDesign2, menu::kRecentDesign3,
                       menu::kRecentDesign4})
            shown.push_back(next.frame().menu().text(id));
        EXPECT_EQ(shown, four);
    }

    fs::remove(names[2]);
    frame().command(menu::kRecentDesign2);
    const std::vector<std::string> messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(names[2]), std::string::npos) << messages[0];
    EXPECT_EQ(recentItems(),
              (std::vector<std::string>{"&1 " + names[3], "&2 " + names[1], "&3 " + names[0]}));
    EXPECT_FALSE(menu().enabled(menu::kRecentDesign4));

    frame().command(menu::kRecentDesign3);  // opened, it goes first
    EXPECT_EQ(recentItems(),
              (std::vector<std::string>{"&1 " + names[0], "&2 " + names[3], "&3 " + names[1]}));
}

TEST_F(DesignMenuTest, DamagedRecentListIsPassedOver) {
    fs::create_directories(settings());
    // Larger than any list of four names: not read at all.
    writeBytes(fs::path(settings()) / "recent-designs.txt", "/ok\n" + std::string(100000, 'x'));
    HeadlessPlatform nextPlatform;
    nextPlatform.keepSettingsIn(settings());
    Program next(nextPlatform);
    const DesignMenu nextDesigns(next);
    EXPECT_TRUE(nextDesigns.recent().files().empty());

    // A name absolute on this system: "/ok & fine" here, "C:\\ok & fine" on Windows.
    const std::string ok = (fs::path(settings()).root_path() / "ok & fine").string();
    writeBytes(fs::path(settings()) / "recent-designs.txt",
               "relative/name.qalixdesign\n\x01/control\n/nul" + std::string(1, '\0') + "byte\n" +
                   ok + "\r\n\n" + ok + "\n");
    const DesignMenu again(next);
    EXPECT_EQ(again.recent().files(), std::vector<std::string>{ok});
    std::string shown = ok;
    shown.replace(shown.find('&'), 1, "&&");
    EXPECT_EQ(next.frame().menu().text(menu::kRecentDesign1), "&1 " + shown);
}

// An input typed after "Sequential Design" leaves results on the panel that the inputs shown
// no longer give: a file of those inputs would hold another design than the one shown. The
// refusal said "differ first at panel.actualSigLevel"; it names the field by its label and
// the buttons that compute the design again.
TEST_F(DesignMenuTest, PanelWhoseResultsItsInputsNoLongerGiveIsNotSaved) {
    const std::vector<std::tuple<int, const char*, std::string>> rows = {
        {kRhoCombo, "0.03",
         "\"rho\" has changed since. Press \"Bound-Coeff  a:\", then \"Sequential Design\""},
        {kAlphaCombo, "0.1", "\"Sig-level\" has changed since. Press \"Sequential Design\""},
    };
    enter(kDesigns[0]);
    for (const auto& [combo, typed, refusal] : rows) {
        const std::string before = ui.text(combo);
        ui.type(combo, typed);               // not computed again
        frame().command(menu::kSaveDesign);  // no file is asked for
        EXPECT_EQ(takeMessages(),
                  std::vector<std::string>{"Error: The panel shows results for earlier inputs: " +
                                           refusal + ", then try again."});
        EXPECT_TRUE(platform.fileRequests().empty());
        ui.type(combo, before);
    }
    save(file("current"));
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_TRUE(fs::exists(file("current.qalixdesign")));
}

TEST_F(DesignMenuTest, CommandsWaitForADesignAndSaysWhenASaveFails) {
    for (int id : {menu::kSaveDesign, menu::kExportTables, menu::kCopyDesignCommand})
        EXPECT_FALSE(menu().enabled(id)) << id;
    enter(kDesigns[2]);
    for (int id :
         {menu::kSaveDesign, menu::kExportTables, menu::kCopyDesignCommand, menu::kOpenDesign})
        EXPECT_TRUE(menu().enabled(id)) << id;

    const std::string nowhere = file("no such folder/trial");
    save(nowhere);
    const std::vector<std::string> messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    const std::string start = "Error: Cannot save the file " + nowhere + ".qalixdesign: ";
    EXPECT_EQ(messages[0].substr(0, start.size()), start);
    EXPECT_TRUE(recentItems().empty());

    ui.click(kTextWindow);
    frame().command(menu::kCopyDesignCommand);
    ASSERT_FALSE(platform.copiedTexts().empty());
    EXPECT_EQ(frame().text(), "  " + platform.copiedTexts().back());
}

}  // namespace
}  // namespace qalix::testing

namespace qalix::testing {
namespace {

// File > "Design Report...": the report `qalix report` writes for the same design, shown in
// the system's viewer; a PDF the platform cannot draw is refused with the reason, not faked.
// The report's dialog takes what `qalix report` takes beyond the design (title, notes, paper,
// further means); the desktop writes the bytes the command line writes for them. A design
// still as a file gave it carries the file's title, notes and SHA-256 (the desktop once wrote
// neither choices nor hash).
TEST_F(DesignMenuTest, DesignReportWritesWhatTheCommandLineWritesAndShowsIt) {
    const ReportMenu reports(program, *designs);
    const DesignCase& c = kDesigns[0];
    enter(c);
    whenShown(kReportDialog, [&] {
        ui.type(kReportDialog, reportdialog::kTitle, "Trial \xc3\x89");
        ui.type(kReportDialog, reportdialog::kNotes, "Interim analyses by the DMC.");
        ui.type(kReportDialog, reportdialog::kMeans, "0.3, 0.7");
    });
    platform.answerSaveFile({DialogOutcome::Accepted, file("report"), 0});
    frame().command(menu::kDesignReport);
    ASSERT_EQ(takeMessages(), std::vector<std::string>{});
    ASSERT_FALSE(platform.openedDocuments().empty());
    EXPECT_EQ(platform.openedDocuments().back(), file("report.html"));
    std::vector<std::string> args = {"report",
                                     "--out",
                                     file("cli.html"),
                                     "--title",
                                     "Trial \xc3\x89",
                                     "--notes",
                                     "Interim analyses by the DMC.",
                                     "--mean",
                                     "0.3",
                                     "--mean",
                                     "0.7"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    ASSERT_EQ(run(args).status, 0);
    EXPECT_EQ(fileText(file("report.html")), fileText(file("cli.html")));

    // Further means that are not numbers are refused, and the dialog shows again.
    whenShown(kReportDialog, [&] { ui.type(kReportDialog, reportdialog::kMeans, "0.3, half"); });
    whenShown(kReportDialog, kIdCancel);
    frame().command(menu::kDesignReport);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{"Error: The further means must be numbers "
                                                       "separated by commas: \"0.3, half\"."});

    // From a design file: its title, notes and hash, as `qalix report --open` gives them.
    const std::string saved = file("titled.qalixdesign");
    ASSERT_EQ(run({"design", "--looks", "4", "--title", "From a file", "--notes", "Its notes.",
                   "--save-design", saved})
                  .status,
              0);
    open(saved);
    takeMessages();
    whenShown(kReportDialog, [&] { ui.type(kReportDialog, reportdialog::kMeans, ""); });
    platform.answerSaveFile({DialogOutcome::Accepted, file("opened.html"), 0});
    frame().command(menu::kDesignReport);
    ASSERT_EQ(takeMessages(), std::vector<std::string>{});
    ASSERT_EQ(run({"report", "--open", saved, "--out", file("opened-cli.html")}).status, 0);
    EXPECT_EQ(fileText(file("opened.html")), fileText(file("opened-cli.html")));
    EXPECT_NE(fileText(file("opened.html")).find("From a file"), std::string::npos);

    whenShown(kReportDialog);
    platform.answerSaveFile({DialogOutcome::Accepted, file("report.pdf"), 0});
    frame().command(menu::kDesignReport);
    const std::vector<std::string> messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Cannot save the report " + file("report.pdf")), std::string::npos)
        << messages[0];
    EXPECT_FALSE(fs::exists(file("report.pdf")));
}

// File > "Compare Designs...": the files chosen compared as `qalix compare --open` compares
// them, the table in the text window the frame turns to, and every design's curves in the
// picture the graphic window shows once the user turns to it.
TEST_F(DesignMenuTest, CompareDesignsShowsWhatTheCommandLineComparesAndDrawsEveryDesign) {
    const ComparisonMenu comparisons(program);
    const std::string first = file("first.qalixdesign");
    const std::string second = file("second.qalixdesign");
    enter(kDesigns[0]);
    save(first);
    enter(kDesigns[1]);
    save(second);
    ASSERT_FALSE(frame().hasTextWindow());
    platform.answerOpenFiles({DialogOutcome::Accepted, {first, second}, 0});
    frame().command(menu::kCompareDesigns);
    ASSERT_EQ(takeMessages(), std::vector<std::string>{});
    EXPECT_EQ(platform.busyDepth(), 0);
    ASSERT_TRUE(frame().hasTextWindow());
    const CliRun cli = run({"compare", "--open", first, "--open", second});
    ASSERT_EQ(cli.status, 0) << cli.err;
    EXPECT_NE(frame().text().find(cli.out), std::string::npos) << frame().text();
    EXPECT_NE(frame().text().find("  2  " + second + "\n"), std::string::npos);

    frame().command(menu::kGraphicWindow);
    ASSERT_NE(frame().picture(), nullptr);
    const std::string drawn = frame().picture()->text();
    for (const char* legend :
         {"1   first", "2   second", "POWER FUNCTIONS", "EXPECTED INFORMATION TIME"})
        EXPECT_NE(drawn.find(legend), std::string::npos) << legend;
}

// Before any window is chosen and any design computed, as the program starts: design files
// can be compared, their curves seen in the graphic window, and opened.
TEST_F(DesignMenuTest, DesignFilesWorkFromTheStartBeforeAnyDesign) {
    const ComparisonMenu comparisons(program);
    const std::string saved = file("saved.qalixdesign");
    ASSERT_EQ(run({"design", "--looks", "3", "--save-design", saved}).status, 0);
    ASSERT_EQ(frame().mode(), FrameMode::None);
    EXPECT_FALSE(menu().enabled(menu::kGraphicWindow));
    EXPECT_TRUE(menu().enabled(menu::kOpenDesign));
    platform.answerOpenFiles({DialogOutcome::Accepted, {saved}, 0});
    frame().command(menu::kCompareDesigns);
    ASSERT_EQ(takeMessages(), std::vector<std::string>{});
    ASSERT_TRUE(menu().enabled(menu::kGraphicWindow));
    frame().command(menu::kGraphicWindow);
    ASSERT_NE(frame().picture(), nullptr);
    EXPECT_NE(frame().picture()->text().find("1   saved"), std::string::npos);
    open(saved);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{});
    EXPECT_TRUE(frame().designComputed());
}

// A file that cannot be read is named in one message and nothing is compared: the user's
// text stays as it was; a cancelled dialog does nothing.
TEST_F(DesignMenuTest, CompareDesignsRefusesAFileItCannotReadAndChangesNothing) {
    const ComparisonMenu comparisons(program);
    enter(kDesigns[0]);
    save(file("good"));
    const std::string bad = file("bad.qalixdesign");
    writeBytes(bad, "{\"format\": \"png\"}");
    frame().command(menu::kTextWindow);
    frame().userEdit("notes of mine\n");
    platform.answerOpenFiles({DialogOutcome::Accepted, {file("good.qalixdesign"), bad}, 0});
    frame().command(menu::kCompareDesigns);
    const std::vector<std::string> messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Error: The design file " + bad, 0), 0u) << messages[0];
    EXPECT_EQ(frame().text(), "notes of mine\n");
    EXPECT_EQ(frame().picture(), nullptr);

    platform.answerOpenFiles({});
    frame().command(menu::kCompareDesigns);
    EXPECT_EQ(takeMessages(), std::vector<std::string>{});
    EXPECT_EQ(frame().text(), "notes of mine\n");
}

}  // namespace
}  // namespace qalix::testing
