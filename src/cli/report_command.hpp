// `qalix report`: the design report of a design given by options or by a design file, written
// as HTML, or as PDF by the picture renderer.
#pragma once

#include <optional>
#include <ostream>

#include "cli/options.hpp"
#include "cli/picture_renderer.hpp"
#include "document/design_file.hpp"
#include "document/session.hpp"

namespace qalix {

// Writes the report; false, with the reason said on err, when it cannot be written.
bool writeReport(const CliOptions& o, const DesignInputs& inputs, const DesignFile* opened,
                 const DocumentRenderer& documents, std::ostream& err);

}  // namespace qalix
