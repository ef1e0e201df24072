// qalix compare: candidate designs side by side. Every combination of the alternatives given
// is a candidate, checked before anything is computed; each is computed in a program of its
// own, on as many threads as asked, and printed in the order given.
#pragma once

#include <ostream>

#include "cli/options.hpp"
#include "cli/picture_renderer.hpp"

namespace qalix {

// Exit status as runCli's: 1 when a candidate's design showed a message (printed on err with
// the candidate it belongs to; the other rows are printed) or a file cannot be read or
// written. A candidate the options cannot make throws UsageError or InputError. With --out, the
// table and the candidates' curves are written as a document too, a PDF by `documents`.
int runCompare(const CliOptions& o, std::ostream& out, std::ostream& err,
               const DocumentRenderer& documents = {});

}  // namespace qalix
