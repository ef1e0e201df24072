// The design's options as the inputs they give: typed as given, or changing those of a design
// file opened.
#pragma once

#include <optional>

#include "cli/options.hpp"
#include "document/design_file.hpp"

namespace qalix {

// What the options say of the design. A statistician designing a sequential trial on a
// normal sample starts from its size: without --m or --solve a sequential design computes m.
DesignInputs givenInputs(const DesignOptions& o, bool sequential);

// The design file --open names, read and checked; none when no file is named.
std::optional<DesignFile> openedDesign(const DesignOptions& o);

// The file's inputs, each replaced by the option that gives it.
DesignInputs openedInputs(const DesignFile& file, const CliOptions& o);

// Whether the options give any input of a design, changing the one a file holds.
bool changesInputs(const CliOptions& o);

}  // namespace qalix
