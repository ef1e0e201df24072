// Every writer and reader of the program against every step of a save or a read failing once:
// creating the new file, writing it, flushing it to disk, closing it, renaming it over the
// target, looking at what is there, and removing the unfinished copy after another failure;
// opening, reading, and a file that keeps growing while it is read. A failed save must say so
// with the file and the reason, leave the old file byte-identical and nothing beside it, and
// the next save of the same file must succeed. A failed read must name the file and keep
// nothing half read. The faults are planted in the program's own calls to the system
// (io/testing/planted_faults.hpp), so a fault the system gives rarely (a close that fails on a
// full disk) is as sure as one it gives often.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_run.hpp"
#include "cli/file_folder.hpp"
#include "design/info_time_ids.hpp"
#include "design/panel_ids.hpp"
#include "document/design_menu.hpp"
#include "io/testing/planted_faults.hpp"
#include "report/report_ids.hpp"
#include "report/report_menu.hpp"
#include "support/file_text.hpp"
#include "support/started_program.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::testing {
namespace {

namespace fs = std::filesystem;
using io::testing::PlantedFault;
using io::testing::Step;

// What a save or a read reported: whether it did what was asked, and the message it showed
// (standard error, or the message boxes).
struct Outcome {
    bool done;
    std::string message;
};

Outcome ofRun(const CliRun& r) {
    return {r.status == 0, r.err};
}

// The program as a user has it once a design is computed: the panel's defaults, four looks.
class Desktop : public StartedProgram {
  public:
    using StartedProgram::platform;
    using StartedProgram::program;
    using StartedProgram::ui;
    using StartedProgram::whenShown;

    explicit Desktop(const fs::path& settings) {
        platform.keepSettingsIn(settings.string());
        SetUp();
        designs.emplace(program);
        reports.emplace(program, *designs);
        whenShown(kInfoTimeDialog);
        ui.click(panel::kGroupSizesButton);
        ui.click(panel::kCoeffButton);
        ui.click(panel::kSequentialDesignButton);
    }
    void TestBody() override {}

    // The command in the window the mode button chooses (turned to only when another shows).
    Outcome command(int mode, int id, const fs::path& file, bool save) {
        const FrameMode wanted = mode == panel::kTextWindow ? FrameMode::Text : FrameMode::Graphic;
        if (program.frame().mode() != wanted) ui.click(mode);
        if (save) {
            platform.answerSaveFile({DialogOutcome::Accepted, file.string(), 0});
        } else {
            platform.answerOpenFile({DialogOutcome::Accepted, file.string(), 0});
        }
        program.frame().command(id);
        const std::vector<std::string> shown = takeMessages();
        std::string all;
        for (const std::string& m : shown)
            all += m + "\n";
        return {shown.empty(), all};
    }

    std::optional<DesignMenu> designs;
    std::optional<ReportMenu> reports;
};

// A file the program writes or reads, and how a user makes it do so.
struct Access {
    const char* what;
    const char* name;  // the file's name in the test's folder
    std::function<Outcome(Desktop&, const fs::path&)> act;
};

const std::vector<Access> kWriters = {
    {"design file", "trial.qalixdesign",
     [](Desktop&, const fs::path& f) {
         return ofRun(run({"design", "--looks", "4", "--save-design", f.string()}));
     }},
    {"looks table", "looks.csv",
     [](Desktop&, const fs::path& f) {
         return ofRun(run({"design", "--looks", "4", "--csv", f.string()}));
     }},
    {"curves table", "curves.csv",
     [](Desktop&, const fs::path& f) {
         return ofRun(run({"design", "--looks", "4", "--curves-csv", f.string()}));
     }},
    {"simulation", "paths.txt",
     [](Desktop&, const fs::path& f) {
         return ofRun(
             run({"simulate", "--set", "mu=0.5,n=25", "--seed", "7", "--out", f.string()}));
     }},
    {"metafile", "plot.emf",
     [](Desktop&, const fs::path& f) {
         return ofRun(run({"plot", "boundary", "--looks", "4", "--out", f.string()}));
     }},
    {"report", "report.html",
     [](Desktop&, const fs::path& f) {
         return ofRun(run({"report", "--looks", "4", "--out", f.string()}));
     }},
    {"comparison document", "candidates.html",
     [](Desktop&, const fs::path& f) {
         return ofRun(run({"compare", "--looks", "2;4", "--out", f.string()}));
     }},
    {"comparison table", "candidates.csv",
     [](Desktop&, const fs::path& f) {
         return ofRun(run({"compare", "--looks", "2;4", "--csv", f.string()}));
     }},
    {"desktop: text window", "notes.txt",
     [](Desktop& d, const fs::path& f) {
         if (d.program.frame().mode() != FrameMode::Text) d.ui.click(panel::kTextWindow);
         d.program.frame().userEdit("notes of the trial\n");
         return d.command(panel::kTextWindow, menu::kSaveAs, f, true);
     }},
    {"desktop: metafile", "window.emf",
     [](Desktop& d, const fs::path& f) {
         return d.command(panel::kGraphicWindow, menu::kSaveAs, f, true);
     }},
    {"desktop: design file", "desk.qalixdesign",
     [](Desktop& d, const fs::path& f) {
         return d.command(panel::kGraphicWindow, menu::kSaveDesign, f, true);
     }},
    {"desktop: design report", "desk.html",
     [](Desktop& d, const fs::path& f) {
         d.whenShown(kReportDialog, kIdOk);
         return d.command(panel::kGraphicWindow, menu::kDesignReport, f, true);
     }},
};

struct Fault {
    const char* what;
    std::vector<PlantedFault> planted;
    int error;  // whose words the message gives
};

const std::vector<Fault> kSaveFaults = {
    {"looking at the target", {{Step::Status, EACCES}}, EACCES},
    {"creating the new file", {{Step::Create, EACCES}}, EACCES},
    {"writing", {{Step::Write, ENOSPC}}, ENOSPC},
    {"flushing to disk", {{Step::Flush, EIO}}, EIO},
    {"closing", {{Step::Close, ENOSPC}}, ENOSPC},
    {"renaming over the target", {{Step::Rename, EXDEV}}, EXDEV},
};

class PlantedFaults : public FileFolderTest {
  protected:
    void TearDown() override {
        io::testing::clearFaults();
        FileFolderTest::TearDown();
    }
    std::vector<std::string> names() const {
        std::vector<std::string> list;
        for (const auto& entry : fs::directory_iterator(folder))
            list.push_back(entry.path().filename().string());
        std::sort(list.begin(), list.end());
        return list;
    }
    Desktop& desktop() {
        if (!desktop_) desktop_.emplace(folder / "settings");
        return *desktop_;
    }

  private:
    std::optional<Desktop> desktop_;
};

void plant(const Fault& fault) {
    io::testing::clearFaults();
    for (const PlantedFault& p : fault.planted)
        io::testing::plantFault(p);
}

TEST_F(PlantedFaults, EverySaveThatFailsSaysWhyAndKeepsTheOldFile) {
    desktop();  // started before any fault is planted: it reads its settings
    for (const Access& writer : kWriters) {
        const fs::path target = folder / writer.name;
        for (const Fault& fault : kSaveFaults) {
            SCOPED_TRACE(std::string(writer.what) + ", " + fault.what);
            std::ofstream(target, std::ios::binary) << "the old file\n";
            const std::vector<std::string> before = names();
            plant(fault);
            const Outcome failed = writer.act(desktop(), target);
            EXPECT_EQ(io::testing::faultsWaiting(), 0) << "the fault never struck";
            io::testing::clearFaults();
            EXPECT_FALSE(failed.done);
            EXPECT_NE(failed.message.find(writer.name), std::string::npos) << failed.message;
            EXPECT_NE(failed.message.find(std::generic_category().message(fault.error)),
                      std::string::npos)
                << failed.message;
            EXPECT_EQ(fileText(target), "the old file\n");
            EXPECT_EQ(names(), before) << "something was left beside the target";

            const Outcome again = writer.act(desktop(), target);
            EXPECT_TRUE(again.done) << again.message;
            EXPECT_NE(fileText(target), "the old file\n");
        }
    }
}

// The unfinished copy of a failed save that cannot be removed either is named, so that the
// user can remove what the program could not.
TEST_F(PlantedFaults, AnUnfinishedCopyThatStaysIsNamed) {
    const fs::path target = folder / "looks.csv";
    std::ofstream(target, std::ios::binary) << "the old file\n";
    plant({"writing, then removing", {{Step::Write, ENOSPC}, {Step::Remove, EPERM}}, ENOSPC});
    const Outcome failed = ofRun(run({"design", "--looks", "4", "--csv", target.string()}));
    EXPECT_FALSE(failed.done);
    EXPECT_EQ(fileText(target), "the old file\n");
    const std::vector<std::string> left = names();
    ASSERT_EQ(left.size(), 2u);
    const std::string copy = left[0] == "looks.csv" ? left[1] : left[0];
    EXPECT_NE(
        failed.message.find(std::generic_category().message(ENOSPC) + "; the unfinished copy " +
                            (folder / copy).string() +
                            " could not be removed: " + std::generic_category().message(EPERM)),
        std::string::npos)
        << failed.message;
}

const std::vector<Access> kReaders = {
    {"design file", "trial.qalixdesign",
     [](Desktop&, const fs::path& f) {
         return ofRun(run({"design", "--open", f.string()}));
     }},
    {"sample file", "paths.txt",
     [](Desktop&, const fs::path& f) {
         return ofRun(run({"import", "--kind", "simu", f.string()}));
     }},
    {"desktop: text file", "notes.txt",
     [](Desktop& d, const fs::path& f) {
         return d.command(panel::kTextWindow, menu::kOpen, f, false);
     }},
    {"desktop: metafile", "plot.emf",
     [](Desktop& d, const fs::path& f) {
         return d.command(panel::kGraphicWindow, menu::kOpen, f, false);
     }},
};

const std::vector<Fault> kReadFaults = {
    {"looking at the file", {{Step::Status, EACCES}}, EACCES},
    {"opening", {{Step::Open, EACCES}}, EACCES},
    {"reading", {{Step::Read, EIO}}, EIO},
};

TEST_F(PlantedFaults, EveryReadThatFailsNamesTheFileAndKeepsNothing) {
    // Files each reader takes whole, written by the program itself.
    ASSERT_EQ(run({"design", "--looks", "4", "--save-design", (folder / "trial").string()}).status,
              0);
    ASSERT_EQ(run({"simulate", "--set", "mu=0.5,n=25", "--seed", "7", "--out",
                   (folder / "paths.txt").string()})
                  .status,
              0);
    ASSERT_EQ(
        run({"plot", "boundary", "--looks", "4", "--out", (folder / "plot.emf").string()}).status,
        0);
    std::ofstream(folder / "notes.txt", std::ios::binary) << "notes of the trial\n";
    desktop();
    for (const Access& reader : kReaders) {
        std::vector<Fault> faults = kReadFaults;
        faults.push_back(
            {"a file that keeps growing", {{Step::Read, io::testing::kEndlessFile}}, 0});
        for (const Fault& fault : faults) {
            SCOPED_TRACE(std::string(reader.what) + ", " + fault.what);
            const bool textWindow = std::string(reader.what) == "desktop: text file";
            if (textWindow) {
                if (desktop().program.frame().mode() != FrameMode::Text)
                    desktop().ui.click(panel::kTextWindow);
                // A text as loaded from a file, which Open replaces without a question.
                desktop().program.frame().setText("kept");
            }
            plant(fault);
            const Outcome failed = reader.act(desktop(), folder / reader.name);
            io::testing::clearFaults();
            EXPECT_FALSE(failed.done);
            EXPECT_NE(failed.message.find(reader.name), std::string::npos) << failed.message;
            if (fault.error != 0) {
                EXPECT_NE(failed.message.find(std::generic_category().message(fault.error)),
                          std::string::npos)
                    << failed.message;
            }
            if (textWindow) {
                EXPECT_EQ(desktop().program.frame().text(), "kept");
            }
            EXPECT_TRUE(reader.act(desktop(), folder / reader.name).done);
        }
    }
}

}  // namespace
}  // namespace qalix::testing
