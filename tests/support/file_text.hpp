// What a test reads back from a file: its bytes as they are, as a text (empty when there is no
// such file).
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qalix::testing {

inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace qalix::testing
