// What the commands that drive a program share: a headless program started for the command,
// whose messages end it, and the design typed into it as the options give it.
#pragma once

#include <functional>

#include "cli/commands.hpp"
#include "document/design_snapshot.hpp"
#include "platform/headless/session.hpp"

namespace qalix {

// Runs the steps in a program of their own and returns their status; a message the program
// shows, an input a control refuses or a design file it cannot read is said on err, status 1.
int inSession(const CommandContext& c, const std::function<int(Session&)>& steps);

// The sequential design the options give, typed in as a user types it, and what the program
// then shows.
DesignSnapshot sequentialDesign(Session& s, const DesignOptions& o);

}  // namespace qalix
