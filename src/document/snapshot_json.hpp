// A snapshot as JSON, key for key as the command line has always printed it: "design",
// "panel" (the texts), "values" (full precision), "looks", the curves, "characteristics" and
// "boundaries"; every shown field as {"text", "value"}, the value null where the field shows no
// number.
#pragma once

#include <nlohmann/json.hpp>

#include "document/design_snapshot.hpp"

namespace qalix {

using Json = nlohmann::ordered_json;

Json snapshotJson(const DesignSnapshot& snapshot);

// {"text": ..., "value": ...} of one field.
Json shownJson(const Shown& field);

}  // namespace qalix
