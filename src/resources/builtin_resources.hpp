// Text resources compiled into the program: dialog templates and the like.
#pragma once

#include <optional>
#include <string_view>

namespace qalix {

// The resource stored under name (e.g. "dialogs/143.dlg"), or nothing.
std::optional<std::string_view> builtinResource(std::string_view name);

}  // namespace qalix
