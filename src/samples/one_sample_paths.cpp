#include "samples/one_sample_paths.hpp"

#include "design/outcome.hpp"
#include "design/panel_ids.hpp"

namespace qalix {

std::string samplePathsRefusal(const DesignContext& program) {
    // The menu is first refreshed before the panel is built: no outcome is chosen yet.
    const bool two = program.dialogs.has(kPanelDialog) && twoGroupsChosen(program);
    return two ? std::string(kSamplePathsOneSample) : std::string();
}

bool refuseSamplePaths(const DesignContext& program) {
    const std::string reason = samplePathsRefusal(program);
    if (!reason.empty()) program.error(reason);
    return !reason.empty();
}

}  // namespace qalix
