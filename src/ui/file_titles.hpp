// How a window title names a chosen file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qalix {

inline constexpr std::size_t kTitleNameLength = 40;

// What ends a folder in a path: on Windows a backslash too, and the colon after a drive
// ("C:plot.emf"); elsewhere both may be part of a file's name.
#ifdef _WIN32
inline constexpr std::string_view kFolderEnds = "/\\:";
#else
inline constexpr std::string_view kFolderEnds = "/";
#endif

// A chosen file's name without its folder and extension.
inline std::string baseName(std::string_view path) {
    const auto slash = path.find_last_of(kFolderEnds);
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
