// The control identifiers the code uses, one header per dialog, against the dialogs' own
// templates: every constant names a control of its dialog, of the kind its name says, and
// every addressed control of a template has its constant. The headers are read as text, so
// a constant added to a header is checked without being listed here.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ui/dialog_template.hpp"
#include "ui/menu.hpp"

namespace qalix {
namespace {

struct Constant {
    std::string name;
    int id;
};

struct IdHeader {
    std::string path;
    int dialog = 0;
    std::vector<Constant> constants;
};

std::string readSource(const std::string& relative) {
    std::ifstream in(std::string(QALIX_SOURCE_DIR) + "/" + relative);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

IdHeader parseHeader(const std::string& relative) {
    IdHeader header{relative, 0, {}};
    const std::string text = readSource(relative);
    const std::regex dialog(R"(inline constexpr int (k\w+Dialog) = (\d+);)");
    const std::regex single(R"(inline constexpr int (k\w+) = (\d+);)");
    const std::regex array(R"(inline constexpr std::array<int, \w+> (k\w+) = \{([^}]*)\};)");
    std::smatch m;
    if (std::regex_search(text, m, dialog)) header.dialog = std::stoi(m[2]);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), single);
         it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[1];
        if (name.size() > 6 && name.substr(name.size() - 6) == "Dialog") continue;
        header.constants.push_back({name, std::stoi((*it)[2])});
    }
    const std::regex number(R"(\d+)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), array);
         it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[1];
        const std::string list = (*it)[2];
        int index = 1;
        for (auto n = std::sregex_iterator(list.begin(), list.end(), number);
             n != std::sregex_iterator(); ++n) {
            header.constants.push_back(
                {name + "[" + std::to_string(index++) + "]", std::stoi(n->str())});
        }
    }
    return header;
}

const std::vector<std::string> kHeaders = {
    "src/design/panel_ids.hpp",
    "src/design/info_time_ids.hpp",
    "src/characteristics/boundary_ids.hpp",
    "src/characteristics/significance_ids.hpp",
    "src/characteristics/expected_size_ids.hpp",
    "src/characteristics/discordance_ids.hpp",
    "src/shell/startup.hpp",
    "src/shell/about_box.hpp",
    "src/samples/simulation_ids.hpp",
    "src/samples/import_ids.hpp",
    "src/graphics/plot_ids.hpp",
    "src/graphics/plot_simulations_ids.hpp",
    "src/graphics/plot_imported_ids.hpp",
    "src/analysis/trial_dialog_ids.hpp",
    "src/report/analysis_report_ids.hpp",
};

// The kind a constant's name promises.
bool kindMatches(const std::string& name, ControlKind kind) {
    const auto endsWith = [&name](const std::string& suffix) {
        const std::string base = name.substr(0, name.find('['));
        return base.size() >= suffix.size() &&
               base.compare(base.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    if (endsWith("Spin")) return kind == ControlKind::Spin;
    if (endsWith("Combo")) return kind == ControlKind::Combo;
    if (endsWith("Edit")) return kind == ControlKind::Edit;
    if (endsWith("Label")) return kind == ControlKind::Label;
    if (endsWith("Group")) return kind == ControlKind::GroupBox;
    if (endsWith("Check")) return kind == ControlKind::Check;
    return true;
}

class ControlIds : public ::testing::TestWithParam<std::string> {};

TEST_P(ControlIds, NameControlsOfTheirDialogAndNameThemAll) {
    const IdHeader header = parseHeader(GetParam());
    ASSERT_NE(header.dialog, 0) << "no dialog constant in " << header.path;
    ASSERT_FALSE(header.constants.empty()) << header.path;
    const auto layout = loadDialogTemplate(header.dialog);
    ASSERT_TRUE(layout) << header.dialog;
    std::map<int, ControlKind> controls;
    for (const ControlTemplate& c : layout->controls) {
        if (c.id != kUnaddressed) controls[c.id] = c.kind;
    }
    std::set<int> named;
    for (const Constant& c : header.constants) {
        const auto it = controls.find(c.id);
        if (it == controls.end()) {
            ADD_FAILURE() << c.name << " = " << c.id << " names no control of dialog "
                          << header.dialog;
            continue;
        }
        EXPECT_TRUE(kindMatches(c.name, it->second))
            << c.name << " = " << c.id << " is not the kind of control its name says";
        named.insert(c.id);
    }
    for (const auto& [id, kind] : controls) {
        EXPECT_TRUE(named.count(id)) << "control " << id << " of dialog " << header.dialog
                                     << " has no constant in " << header.path;
    }
}

INSTANTIATE_TEST_SUITE_P(Headers, ControlIds, ::testing::ValuesIn(kHeaders),
                         [](const ::testing::TestParamInfo<std::string>& p) {
                             std::string name = p.param.substr(p.param.rfind('/') + 1);
                             return name.substr(0, name.find('.'));
                         });

TEST(DialogTemplates, EveryDialogOfTheProgramBuildsWithUniqueIds) {
    for (const std::string& path : kHeaders) {
        const int id = parseHeader(path).dialog;
        const auto layout = loadDialogTemplate(id);
        ASSERT_TRUE(layout) << id;
        EXPECT_EQ(layout->id, id);
        std::set<int> ids;
        for (const auto& c : layout->controls) {
            if (c.id == kUnaddressed) continue;
            EXPECT_TRUE(ids.insert(c.id).second) << id << ": " << c.id;
        }
    }
    EXPECT_FALSE(loadDialogTemplate(9999));
}

// The menu's command identifiers against the menu resource, both ways.
void collectCommands(const std::vector<MenuEntry>& entries, std::set<int>& commands) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Kind::Item) commands.insert(e.command);
        collectCommands(e.children, commands);
    }
}

TEST(MenuIds, NameTheItemsOfTheFrameMenuAndNameThemAll) {
    const auto menu = MenuModel::load("frame");
    ASSERT_TRUE(menu);
    std::set<int> items;
    collectCommands(menu->bar(), items);
    const IdHeader header = parseHeader("src/ui/menu_ids.hpp");
    ASSERT_GE(header.constants.size(), 20u);
    std::set<int> named;
    for (const Constant& c : header.constants) {
        EXPECT_TRUE(items.count(c.id)) << c.name << " = " << c.id << " is no item of the menu";
        named.insert(c.id);
    }
    for (int id : items)
        EXPECT_TRUE(named.count(id)) << "menu item " << id << " has no constant";
}

}  // namespace
}  // namespace qalix
