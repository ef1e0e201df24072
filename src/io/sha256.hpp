// SHA-256 of a file's bytes, as the design report names the design file it was made from, so
// that a reviewer can tell that the file at hand is that file.
#pragma once

#include <string>
#include <string_view>

namespace qalix::io {

// The digest as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace qalix::io
