// qalix fixed: the fixed-sample test, any four of alpha, power, mu, sd and m giving the fifth.
#include "cli/command_session.hpp"
#include "cli/commands.hpp"
#include "cli/design_options.hpp"
#include "cli/output.hpp"
#include "document/capture.hpp"

namespace qalix {

int runFixed(const CliOptions& o, const CommandContext& c) {
    return inSession(c, [&](Session& s) {
        const DesignSnapshot snapshot =
            computeSnapshot(s, givenInputs(o.inputs, false), CaptureParts{.sequential = false});
        printOutput(outputOf(snapshot, o.output), o.output, c.out);
        return 0;
    });
}

}  // namespace qalix
