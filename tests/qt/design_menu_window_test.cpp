// The design files' menu items on the screen: the recent files the File menu lists, as the
// menu model names and hides them, and a design file opened through the Qt platform, whose
// information-time dialog is typed into by the program in the user's place.
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>

#include "cli/cli.hpp"
#include "desktop.hpp"
#include "document/design_menu.hpp"
#include "ui/menu_ids.hpp"

namespace qalix::qt::testing {
namespace {

namespace fs = std::filesystem;

class DesignMenuWindow : public Desktop {
  protected:
    void SetUp() override {
        Desktop::SetUp();
        fs::remove(fs::path(platform.settingsFolder()) / kRecentDesignsFile);
        designs.emplace(program);
        // A folder of each test's own, its name short so that the menu shows it in full.
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder =
            fs::temp_directory_path() / ("qd-" + std::to_string(std::hash<std::string>{}(test)));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        fs::remove_all(folder);
        Desktop::TearDown();
    }
    // A design file written by the command line.
    std::string designFile(const std::string& name, std::vector<std::string> options) {
        const std::string path = (folder / name).string();
        options.insert(options.begin(), "design");
        options.insert(options.end(), {"--save-design", path});
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(runCli(options, out, err), 0) << err.str();
        return path;
    }

    std::optional<DesignMenu> designs;
    fs::path folder;
};

TEST_F(DesignMenuWindow, FileMenuListsTheDesignsOpenedLast) {
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    std::vector<std::string> files;
    for (const char* looks : {"2", "3", "4", "5", "6"}) {
        files.push_back(
            designFile("trial-" + std::string(looks) + "-looks.qalixdesign", {"--looks", looks}));
        designs->open(files.back());
        EXPECT_EQ(takeBoxes(), std::vector<std::string>{});
        EXPECT_EQ(program.record().numLooks, std::stoi(looks));
        EXPECT_FALSE(program.dialog(kInfoTimeDialog).isOpen());
    }
    click(kPanelDialog, panel::kGraphicWindow);
    QAction* fileTitle = frame.menuBar()->actions().front();
    QMenu* file = fileTitle->menu();
    ASSERT_NE(file, nullptr);
    const int items[] = {menu::kRecentDesign1, menu::kRecentDesign2, menu::kRecentDesign3,
                         menu::kRecentDesign4};
    for (std::size_t i = 0; i < 4; ++i) {
        QAction* item = frame.action(items[i]);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text().toStdString(), "&" + std::to_string(i + 1) + " " + files[4 - i]);
        EXPECT_TRUE(item->isVisible());
        EXPECT_TRUE(item->isEnabled());
    }
    file->popup(
        frame.menuBar()->mapToGlobal(frame.menuBar()->actionGeometry(fileTitle).bottomLeft()));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(file));
    saveScreen(screen, QStringLiteral("file_menu_recent_designs"));
    file->hide();
}

TEST_F(DesignMenuWindow, DifferenceIsShownInOneMessage) {
    const std::string path = designFile("edited.qalixdesign", {"--looks", "4", "--rho", "0.02"});
    std::ifstream in(path);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    const std::string typed = "\"text\": \"0.02\",\n      \"value\": 0.02";
    text.replace(text.find(typed), typed.size(), "\"text\": \"0.03\",\n      \"value\": 0.03");
    std::ofstream(path) << text;
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    whileBoxIsOpen(
        [&](QMessageBox&) { saveScreen(screen, QStringLiteral("design_file_difference")); });
    designs->open(path);
    const std::vector<std::string> shownBoxes = takeBoxes();
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].substr(0, 13), "Design File: ");
    EXPECT_NE(shownBoxes[0].find("panel.rho: \"0.02\" in the file, \"0.03\" now."),
              std::string::npos);
    EXPECT_EQ(shown(kPanelDialog, panel::kRhoCombo), "0.03");
}

}  // namespace
}  // namespace qalix::qt::testing
