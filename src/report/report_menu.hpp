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

// What the report and the analysis save alike: a file dialog of HTML and PDF documents, a name
// without either extension given ".html", and the document written as the name's type says,
// PDF by the platform's painter, else HTML through io::saveFile; false with the reason.
FileRequest documentRequest();
std::string documentTarget(const std::string& chosen);
bool saveDocument(Platform& platform, const std::string& path, const std::string& html, Paper paper,
                  std::string& reason);

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
