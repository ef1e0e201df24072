// `qalix report`: the design report of a design given by options or by a design file, written
// as HTML, or as PDF by the picture renderer.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/options.hpp"
#include "cli/picture_renderer.hpp"
#include "document/design_file.hpp"
#include "document/session.hpp"

namespace qalix {

// Writes an HTML document, or as PDF by the renderer when the name ends in ".pdf"; false, with
// the reason said on err naming the document as `what`, when it cannot be written.
bool writeDocument(const std::string& path, const std::string& html, bool letter,
                   const DocumentRenderer& documents, std::string_view what, std::ostream& err);

// Writes the report; false, with the reason said on err, when it cannot be written.
bool writeReport(const CliOptions& o, const DesignInputs& inputs, const DesignFile* opened,
                 const DocumentRenderer& documents, std::ostream& err);

}  // namespace qalix
