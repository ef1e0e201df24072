// Reading enhanced metafiles: the bytes of a file become its header and the list of the
// records the program can draw, in the program's own types. Records of other types are
// skipped. Every record's size, and every count and offset inside a record, is checked
// against the record and the file before anything is read, and a damaged file is refused
// whole with a MetafileError that names it; what the parser returns can be replayed without
// further checks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "canvas/device_rect.hpp"
#include "ui/canvas.hpp"
#include "ui/font.hpp"

namespace qalix {

class MetafileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

namespace emf {

// No file the program writes comes near these; they bound what a hostile file can make the
// reader allocate (records are decoded into about 100 bytes each).
inline constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;  // 64 MiB
inline constexpr std::uint32_t kMaxRecords = 1'000'000;

struct Extent {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

struct Header {
    DeviceRect bounds;  // device units, edges inclusive
    DeviceRect frame;   // hundredths of a millimetre, edges inclusive
    std::uint32_t bytes = 0;
    std::uint32_t records = 0;
    std::uint16_t handles = 0;
    std::u16string description;
    Extent device;       // the reference device in pixels
    Extent millimetres;  // and in millimetres
};

namespace record {
struct CreatePen {
    std::uint32_t handle;
    Pen pen;
};
struct CreateFont {
    std::uint32_t handle;
    FontDescription font;
};
struct SelectObject {
    std::uint32_t handle;
};
struct DeleteObject {
    std::uint32_t handle;
};
struct SetViewportOrigin {
    int x, y;
};
struct SetGraphicsMode {
    std::uint32_t mode;
};
struct SetTextAlign {
    std::uint32_t flags;
};
struct MoveTo {
    int x, y;
};
struct LineTo {
    int x, y;
};
struct Rectangle {
    DeviceRect box;
};
struct TextOut {
    int x, y;
    std::u16string text;
};
}  // namespace record

using Record =
    std::variant<record::CreatePen, record::CreateFont, record::SelectObject, record::DeleteObject,
                 record::SetViewportOrigin, record::SetGraphicsMode, record::SetTextAlign,
                 record::MoveTo, record::LineTo, record::Rectangle, record::TextOut>;

struct Picture {
    Header header;
    std::vector<Record> records;  // in file order, without the header and the end of file
};

// Parses a whole metafile held in memory; `name` names it in messages.
Picture parseMetafile(std::span<const std::uint8_t> bytes, std::string_view name);

// Reads and parses a file, refusing one larger than kMaxFileBytes before reading it.
Picture readMetafile(const std::filesystem::path& file);

}  // namespace emf
}  // namespace qalix
