// The frame's command table: the one place that says whether a command may run.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/frame_commands.hpp"

namespace qalix {
namespace {

// One command in the text window only, one in every mode while it is available, one with a
// row of its own per mode: which row runs, or none, in each mode.
TEST(FrameCommands, TheRowOfTheModeRunsAndACommandWithoutRowsIsAProgrammingError) {
    FrameCommands table;
    bool available = false;
    std::string ran;
    table.add({1, kTextMode, [&] { ran += "text"; }});
    table.add({2, kAnyMode, [&] { ran += "any"; }, [&] { return available; }});
    table.add({3, kTextMode, [&] { ran += "3text"; }});
    table.add({3, kGraphicMode, [&] { ran += "3graphic"; }});
    const struct {
        int id;
        FrameMode mode;
        const char* runs;  // empty: no row acts
    } cases[] = {{1, FrameMode::Text, "text"},
                 {1, FrameMode::Graphic, ""},
                 {1, FrameMode::None, ""},
                 {2, FrameMode::None, ""},
                 {3, FrameMode::Graphic, "3graphic"},
                 {3, FrameMode::Text, "3text"},
                 {3, FrameMode::None, ""}};
    for (const auto& c : cases) {
        ran.clear();
        if (const FrameCommand* row = table.find(c.id, c.mode)) row->run();
        EXPECT_EQ(ran, c.runs) << c.id << " in mode " << static_cast<int>(c.mode);
    }
    available = true;
    EXPECT_TRUE(table.enabled(2, FrameMode::None));
    EXPECT_EQ(table.ids(), (std::vector<int>{1, 2, 3}));
    EXPECT_THROW(table.find(4, FrameMode::Text), std::logic_error);
}

}  // namespace
}  // namespace qalix
