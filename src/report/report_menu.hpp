// File > "Design Report...": the report of the design the panel shows, as HTML or PDF by the
// type chosen, then shown in the system's viewer. The design is computed again from the
// panel's inputs in programs of their own, as `qalix report` computes it.
#pragma once

#include "document/design_menu.hpp"
#include "shell/program.hpp"

namespace qalix {

class ReportMenu {
  public:
    ReportMenu(Program& program, DesignMenu& designs);
    ReportMenu(const ReportMenu&) = delete;
    ReportMenu& operator=(const ReportMenu&) = delete;

  private:
    void writeReport();

    Program& program_;
    DesignMenu& designs_;
};

}  // namespace qalix
