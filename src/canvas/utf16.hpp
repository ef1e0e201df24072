// Texts cross between the program (UTF-8) and metafiles (UTF-16). Malformed input never
// stops a conversion: each bad sequence becomes the replacement character U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace qalix {

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

// The two halves of a character beyond U+FFFF.
inline constexpr char16_t kHighSurrogateFirst = 0xD800;
inline constexpr char16_t kLowSurrogateFirst = 0xDC00;
inline constexpr char16_t kLowSurrogateLast = 0xDFFF;
constexpr bool isHighSurrogate(char16_t c) {
    return c >= kHighSurrogateFirst && c < kLowSurrogateFirst;
}
constexpr bool isLowSurrogate(char16_t c) {
    return c >= kLowSurrogateFirst && c <= kLowSurrogateLast;
}

}  // namespace qalix
