// How a window title names a chosen file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qalix {

inline constexpr std::size_t kTitleNameLength = 40;

// A chosen file's name without its folder and extension.
inline std::string baseName(std::string_view path) {
    const auto slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

// The name a title shows for a chosen file: its base name, at most 40 characters.
inline std::string titleName(std::string_view path) {
    return baseName(path).substr(0, kTitleNameLength);
}

}  // namespace qalix
