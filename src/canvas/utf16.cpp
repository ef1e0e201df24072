#include "canvas/utf16.hpp"

#include <cstdint>

namespace qalix {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kSupplementaryFirst = 0x10000;
constexpr unsigned kSurrogateBits = 10;
constexpr char32_t kSurrogatePayload = 0x3FF;
constexpr unsigned kContinuationBits = 6;
constexpr unsigned char kContinuationPayload = 0x3F;
constexpr unsigned char kContinuationTag = 0x80;
constexpr unsigned char kContinuationMask = 0xC0;

struct Decoded {
    char32_t codePoint = kReplacement;
    std::size_t length = 1;  // bytes consumed
};

// How many continuation bytes a lead byte announces, its payload bits, and the smallest code
// point that length may encode (longer forms are overlong and malformed).
struct LeadByte {
    std::size_t continuations = 0;
    char32_t payload = 0;
    char32_t minimum = 0;
};

bool leadOf(unsigned char byte, LeadByte& lead) {
    if (byte < 0x80) {
        lead = {0, byte, 0};
    } else if ((byte & 0xE0) == 0xC0) {
        lead = {1, byte & 0x1Fu, 0x80};
    } else if ((byte & 0xF0) == 0xE0) {
        lead = {2, byte & 0x0Fu, 0x800};
    } else if ((byte & 0xF8) == 0xF0) {
        lead = {3, byte & 0x07u, kSupplementaryFirst};
    } else {
        return false;
    }
    return true;
}

Decoded decodeUtf8(std::string_view text, std::size_t at) {
    LeadByte lead;
    if (!leadOf(static_cast<unsigned char>(text[at]), lead)) return {};
    if (lead.continuations >= text.size() - at) return {};
    char32_t value = lead.payload;
    for (std::size_t i = 1; i <= lead.continuations; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if ((byte & kContinuationMask) != kContinuationTag) return {kReplacement, i};
        value = (value << kContinuationBits) | (byte & kContinuationPayload);
    }
    const bool surrogate = value >= kHighSurrogateFirst && value <= kLowSurrogateLast;
    if (value < lead.minimum || value > kMaxCodePoint || surrogate)
        return {kReplacement, lead.continuations + 1};
    return {value, lead.continuations + 1};
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (c < kSupplementaryFirst) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    const char32_t offset = c - kSupplementaryFirst;
    out.push_back(static_cast<char16_t>(kHighSurrogateFirst + (offset >> kSurrogateBits)));
    out.push_back(static_cast<char16_t>(kLowSurrogateFirst + (offset & kSurrogatePayload)));
}

void appendUtf8(std::string& out, char32_t c) {
    auto put = [&out](char32_t byte) { out.push_back(static_cast<char>(byte)); };
    auto continuation = [&](unsigned shift) {
        put(kContinuationTag | ((c >> shift) & kContinuationPayload));
    };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> kContinuationBits));
        continuation(0);
    } else if (c < kSupplementaryFirst) {
        put(0xE0 | (c >> (2 * kContinuationBits)));
        continuation(kContinuationBits);
        continuation(0);
    } else {
        put(0xF0 | (c >> (3 * kContinuationBits)));
        continuation(2 * kContinuationBits);
        continuation(kContinuationBits);
        continuation(0);
    }
}

}  // namespace

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded d = decodeUtf8(text, at);
        appendUtf16(out, d.codePoint);
        at += d.length;
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const char32_t c = unit;
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            const char32_t low = text[++i];
            appendUtf8(out, kSupplementaryFirst + ((c - kHighSurrogateFirst) << kSurrogateBits) +
                                (low - kLowSurrogateFirst));
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

}  // namespace qalix
