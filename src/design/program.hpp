// The running program as its callbacks see it: the design record, the dialogs built from
// their templates, and the platform they are shown on. One object per run (or per test).
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "design/design_record.hpp"
#include "design/dialog.hpp"
#include "design/platform.hpp"

namespace qalix {

// Dialog resources of the program.
inline constexpr int kPanelDialog = 143;
inline constexpr int kInfoTimeDialog = 107;
inline constexpr int kBoundaryDialog = 111;
inline constexpr int kSignificanceDialog = 112;
inline constexpr int kExpectedSizeDialog = 113;
inline constexpr int kDiscordanceDialog = 114;

// Texts of the program's own messages.
inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kEntryError = "Error in type of entered data!";

// What the sequential-design callbacks remember between calls besides the record.
struct SequentialState {
    double coefficient = 0.0;            // a as last read: a blank combo leaves it
    std::vector<double> searchIterates;  // every a the last search evaluated, returned one last
    // The full values behind the rounded texts of edits 1157, 1024 and 1025.
    double maxDiscordance = 0.0;
    double actualLevel = 0.0;
    double actualPower = 0.0;
};

// What the operating-characteristics dialogs keep between calls: the current look, partial
// size and time of the boundary dialog, the means last read (a blank field leaves them),
// and the full values behind the rounded texts they show.
struct CharacteristicsState {
    int look = 1;
    int partialSize = 1;
    float time = 0.0f;
    std::array<float, 6> boundary{};  // B_L, B_U, b_L, b_U, p_L, p_U
    double significanceDelta = 0.0;
    double significanceMu = 0.0;
    std::array<double, 4> hitting{};  // sig at, sig by, stop at, stop by
    double sizeDelta = 0.0;
    double sizeMu = 0.0;
    std::array<double, 8> expected{};  // E(N), E(N|Sig), E(N|Fut), E(T), ..|Sig, ..|Fut, PS, PF
    double discordanceDelta = 0.0;
    double discordanceMu = 0.0;
    std::array<double, 3> discordance{};  // all, sig, fut
};

class Program {
  public:
    explicit Program(Platform& platform);

    DesignRecord& record() { return *record_; }
    const DesignRecord& record() const { return *record_; }
    Platform& platform() { return platform_; }
    SequentialState& sequential() { return sequential_; }
    const SequentialState& sequential() const { return sequential_; }
    CharacteristicsState& characteristics() { return characteristics_; }

    // Builds a dialog from its template; false when there is no such template.
    bool initDialog(int id);
    Dialog& dialog(int id);
    Dialog& panel() { return dialog(kPanelDialog); }

    // The modal "Error in type of entered data!" box over the frame window.
    void entryError() { platform_.messageBox(kEntryError, kErrorCaption); }
    void error(std::string_view text) { platform_.messageBox(text, kErrorCaption); }

  private:
    Platform& platform_;
    std::unique_ptr<DesignRecord> record_;  // large sample tables: kept off the stack
    std::map<int, std::unique_ptr<Dialog>> dialogs_;
    SequentialState sequential_;
    CharacteristicsState characteristics_;
};

}  // namespace qalix
