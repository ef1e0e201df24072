// Little-endian fields as metafiles store them: appended to a byte buffer by the writer, read
// back from a span by the parser.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/device_rect.hpp"

namespace qalix::emf {

inline constexpr unsigned kBitsPerByte = 8;
inline constexpr std::uint32_t kByteMask = 0xFF;

class ByteWriter {
  public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void u8(std::uint8_t value) { out_.push_back(value); }
    void u16(std::uint16_t value) {
        u8(static_cast<std::uint8_t>(value & kByteMask));
        u8(static_cast<std::uint8_t>(value >> kBitsPerByte));
    }
    void u32(std::uint32_t value) {
        for (unsigned shift = 0; shift < 32; shift += kBitsPerByte)
            u8(static_cast<std::uint8_t>((value >> shift) & kByteMask));
    }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void f32(float value) { u32(std::bit_cast<std::uint32_t>(value)); }
    void rect(const DeviceRect& r) {
        i32(r.left);
        i32(r.top);
        i32(r.right);
        i32(r.bottom);
    }
    void utf16(std::u16string_view text) {
        for (char16_t c : text)
            u16(static_cast<std::uint16_t>(c));
    }
    void zeros(std::size_t count) { out_.insert(out_.end(), count, std::uint8_t{0}); }

  private:
    std::vector<std::uint8_t>& out_;
};

// Every read checks that its field lies inside the span and throws std::out_of_range if not.
// The parser checks each record's sizes and offsets first and reports what is wrong; this is
// the last guard against reading outside the file, not the place for messages.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    // Whether the bytes [at, at + count) lie inside; safe for any 64-bit operands.
    bool holds(std::uint64_t at, std::uint64_t count) const {
        return at <= bytes_.size() && count <= bytes_.size() - at;
    }

    // The bytes [at, at + count) as a reader of their own.
    ByteReader part(std::size_t at, std::size_t count) const {
        check(at, count);
        return ByteReader(bytes_.subspan(at, count));
    }

    std::uint8_t u8(std::size_t at) const {
        check(at, 1);
        return bytes_[at];
    }
    std::uint16_t u16(std::size_t at) const {
        check(at, 2);
        return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << kBitsPerByte));
    }
    std::uint32_t u32(std::size_t at) const {
        check(at, 4);
        std::uint32_t value = 0;
        for (unsigned i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(bytes_[at + i]) << (i * kBitsPerByte);
        return value;
    }
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
    DeviceRect rect(std::size_t at) const {
        return {i32(at), i32(at + 4), i32(at + 8), i32(at + 12)};
    }
    std::u16string utf16(std::size_t at, std::size_t chars) const {
        check(at, 2 * static_cast<std::uint64_t>(chars));
        std::u16string text(chars, u'\0');
        for (std::size_t i = 0; i < chars; ++i)
            text[i] = static_cast<char16_t>(u16(at + 2 * i));
        return text;
    }

  private:
    void check(std::uint64_t at, std::uint64_t count) const {
        if (!holds(at, count)) throw std::out_of_range("metafile field outside its record");
    }
    std::span<const std::uint8_t> bytes_;
};

}  // namespace qalix::emf
