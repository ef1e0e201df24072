// File > "Compare Designs...": the design files chosen, side by side as `qalix compare --open A
// --open B ...` compares them. The table goes into the text window (the frame turns to it) and
// the power and expected-size curves of every design, overlaid, into the graphic window,
// which shows them when the user turns to it.
#pragma once

#include <string>
#include <vector>

#include "shell/program.hpp"

namespace qalix {

class ComparisonMenu {
  public:
    explicit ComparisonMenu(Program& program);
    ComparisonMenu(const ComparisonMenu&) = delete;
    ComparisonMenu& operator=(const ComparisonMenu&) = delete;

    // What the command does with the files chosen.
    void compare(const std::vector<std::string>& paths);

  private:
    void chooseAndCompare();

    Program& program_;
};

}  // namespace qalix
