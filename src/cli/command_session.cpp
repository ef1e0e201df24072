#include "cli/command_session.hpp"

#include "cli/design_options.hpp"
#include "document/capture.hpp"
#include "document/design_file.hpp"

namespace qalix {

int inSession(const CommandContext& c, const std::function<int(Session&)>& steps) {
    Session s(c.pictures);
    s.platform().echoConsole(&c.err);  // keeps the warning line out of the JSON on out
    s.printNotices(&c.err);
    try {
        s.start();
        return steps(s);
    } catch (const MessageShown& shown) {
        c.err << shown.message.caption << ": " << shown.message.text << '\n';
        return 1;
    } catch (const ControlRefused& refused) {
        c.err << "qalix: " << refused.what() << '\n';
        return 1;
    } catch (const DesignFileError& e) {
        c.err << "Error: " << e.what() << '\n';
        return 1;
    }
}

DesignSnapshot sequentialDesign(Session& s, const DesignOptions& o) {
    return computeSnapshot(s, givenInputs(o, true), CaptureParts{});
}

}  // namespace qalix
