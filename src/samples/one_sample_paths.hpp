// Simulated and imported sample paths are sums of one sample's observations: a two-group
// design has none, so what makes, reads or draws them is refused while the panel asks for two
// groups.
#pragma once

#include <string>
#include <string_view>

#include "design/context.hpp"

namespace qalix {

inline constexpr std::string_view kSamplePathsOneSample =
    "Sample paths apply to one-sample designs.";

// The reason, while the panel asks for two groups; empty otherwise.
std::string samplePathsRefusal(const DesignContext& program);
// Refuses the action aloud when samplePathsRefusal gives a reason; true when it did.
bool refuseSamplePaths(const DesignContext& program);

}  // namespace qalix
