// File > "Design Report...": the report of the design the panel shows, as HTML or PDF by the
// type chosen, then shown in the system's viewer. Its dialog takes what `qalix report` takes
// beyond the design: a title, notes, the paper of a PDF and further means. The design is
// computed again from the panel's inputs in programs of their own, as `qalix report` computes
// it; when it is still a design file's, the report names the file's SHA-256 and takes its
// title and notes.
#pragma once

#include <optional>

#include "document/design_menu.hpp"
#include "report/report_content.hpp"
#include "shell/program.hpp"

namespace qalix {

class ReportMenu {
  public:
    ReportMenu(Program& program, DesignMenu& designs);
    ReportMenu(const ReportMenu&) = delete;
    ReportMenu& operator=(const ReportMenu&) = delete;

  private:
    void writeReport();
    // The dialog filled for the design, then shown; the request as the user left it, or none.
    std::optional<ReportRequest> askForChoices(const DesignSnapshot& design);

    Program& program_;
    DesignMenu& designs_;
};

}  // namespace qalix
