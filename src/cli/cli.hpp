// The command line: fills the panel's controls as a user would type them, presses its
// buttons and prints what the dialogs then show, as text or JSON.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/picture_renderer.hpp"

namespace qalix {

// Exit status: 0 done, 1 the program showed a message (printed to err as "Caption: text"),
// 2 a bad command line (a usage line on err). The plot command draws SVG, PDF and PNG
// pictures with the renderer given, and refuses them without one.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const PictureRenderer& renderer = {}, const DocumentRenderer& documents = {});

}  // namespace qalix
