// The enhanced-metafile layout the writer and the player share: record types, the byte
// offsets of the fields they use, and the reference device the program records against.
// All fields are little-endian; every record is a multiple of 4 bytes long.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qalix::emf {

enum class RecordType : std::uint32_t {
    Header = 1,
    SetViewportOrgEx = 12,
    Eof = 14,
    SetTextAlign = 22,
    MoveToEx = 27,
    SelectObject = 37,
    CreatePen = 38,
    DeleteObject = 40,
    Rectangle = 43,
    LineTo = 54,
    SetGraphicsMode = 67,
    ExtCreateFontIndirectW = 82,
    ExtTextOutW = 84
};

// Every record starts with its type and its size in bytes (the size includes these two).
inline constexpr std::size_t kRecordTypeOffset = 0;
inline constexpr std::size_t kRecordSizeOffset = 4;
inline constexpr std::size_t kRecordPrefixBytes = 8;
inline constexpr std::size_t kRecordAlignment = 4;

// The header record. Its base part is followed by two extensions (pixel format, then the
// reference device in micrometres) and the description string.
namespace header {
inline constexpr std::size_t kBounds = 8;
inline constexpr std::size_t kFrame = 24;
inline constexpr std::size_t kSignature = 40;
inline constexpr std::size_t kVersion = 44;
inline constexpr std::size_t kBytes = 48;
inline constexpr std::size_t kRecords = 52;
inline constexpr std::size_t kHandles = 56;  // 16 bits, then 16 reserved bits
inline constexpr std::size_t kDescriptionChars = 60;
inline constexpr std::size_t kDescriptionOffset = 64;
inline constexpr std::size_t kPaletteEntries = 68;
inline constexpr std::size_t kDevice = 72;       // pixels
inline constexpr std::size_t kMillimetres = 80;  // millimetres
inline constexpr std::size_t kBaseBytes = 88;
inline constexpr std::size_t kPixelFormat = 88;   // first extension: pixel format, OpenGL flag
inline constexpr std::size_t kMicrometres = 100;  // second extension
inline constexpr std::size_t kExtendedBytes = 108;

inline constexpr std::uint32_t kSignatureValue = 0x464D4520;  // " EMF"
inline constexpr std::uint32_t kVersionValue = 0x00010000;
}  // namespace header

// What the program writes as the picture's description: application name, picture name,
// each ended by a zero character, and a second zero closing the pair.
inline constexpr std::u16string_view kDescription{u"Meta File\0EMF \0\0", 16};

// The reference device: a screen of 96 dots per inch, 1920 x 1440 pixels, which is exactly
// 508 x 381 mm, so that the frame (hundredths of a millimetre) converts back to whole pixels
// as closely as its rounding allows.
inline constexpr int kReferenceDotsPerInch = 96;
inline constexpr int kReferenceWidthPixels = 1920;
inline constexpr int kReferenceHeightPixels = 1440;
inline constexpr int kReferenceWidthMillimetres = 508;
inline constexpr int kReferenceHeightMillimetres = 381;
inline constexpr int kMicrometresPerMillimetre = 1000;
inline constexpr int kFrameUnitsPerMillimetre = 100;  // the frame is in 0.01 mm
inline constexpr double kHundredthsOfMillimetrePerInch = 2540.0;
inline constexpr double kFrameUnitsPerPixel =
    kHundredthsOfMillimetrePerInch / kReferenceDotsPerInch;

// Records of one value (object index, mode, alignment flags) or one point.
inline constexpr std::size_t kValueOffset = 8;
inline constexpr std::size_t kValueRecordBytes = 12;
inline constexpr std::size_t kPointRecordBytes = 16;
inline constexpr std::size_t kRectangleRecordBytes = 24;

// Object indexes. Index 0 of the handle table is reserved; an index with the top bit set
// names a stock object.
inline constexpr std::uint32_t kStockObject = 0x80000000;
inline constexpr std::uint32_t kStockWhiteBrush = kStockObject | 0;
inline constexpr std::uint32_t kStockWhitePen = kStockObject | 6;
inline constexpr std::uint32_t kStockBlackPen = kStockObject | 7;
inline constexpr std::uint32_t kStockNullPen = kStockObject | 8;

namespace pen {
inline constexpr std::size_t kHandle = 8;
inline constexpr std::size_t kStyle = 12;
inline constexpr std::size_t kWidth = 16;   // a point: x is the width, y is unused
inline constexpr std::size_t kColour = 24;  // red, green, blue, zero
inline constexpr std::size_t kRecordBytes = 28;
inline constexpr std::uint32_t kStyleMask = 0x0F;
}  // namespace pen

// The font record: an object index and the logical font, written as a LOGFONTW followed by
// the zeroed full name, style, version fields and PANOSE numbers that complete the
// 320-byte form every reader accepts.
namespace font {
inline constexpr std::size_t kHandle = 8;
inline constexpr std::size_t kLogFont = 12;
inline constexpr std::size_t kHeight = 0;  // offsets within the logical font
inline constexpr std::size_t kWidth = 4;
inline constexpr std::size_t kEscapement = 8;
inline constexpr std::size_t kOrientation = 12;
inline constexpr std::size_t kWeight = 16;
inline constexpr std::size_t kItalic = 20;
inline constexpr std::size_t kUnderline = 21;
inline constexpr std::size_t kStrikeOut = 22;
inline constexpr std::size_t kCharSet = 23;
inline constexpr std::size_t kOutPrecision = 24;
inline constexpr std::size_t kClipPrecision = 25;
inline constexpr std::size_t kQuality = 26;
inline constexpr std::size_t kPitchAndFamily = 27;
inline constexpr std::size_t kFaceName = 28;
inline constexpr std::size_t kFaceNameChars = 32;  // the last one is a zero character
inline constexpr std::size_t kLogFontBytes = 92;
inline constexpr std::size_t kLogFontPanoseBytes = 320;
inline constexpr std::size_t kMinimumRecordBytes = kLogFont + kLogFontBytes;
inline constexpr std::size_t kRecordBytes = kLogFont + kLogFontPanoseBytes;
}  // namespace font

// The text record: its bounds, the graphics mode and scales it was recorded in, then the
// text object (reference point, character count, string offset, options, clipping
// rectangle, spacing-array offset) and the string and spacing array it points to.
namespace text {
inline constexpr std::size_t kBounds = 8;
inline constexpr std::size_t kGraphicsMode = 24;
inline constexpr std::size_t kXScale = 28;
inline constexpr std::size_t kYScale = 32;
inline constexpr std::size_t kReference = 36;
inline constexpr std::size_t kChars = 44;
inline constexpr std::size_t kStringOffset = 48;
inline constexpr std::size_t kOptions = 52;
inline constexpr std::size_t kRectangle = 56;
inline constexpr std::size_t kDxOffset = 72;
inline constexpr std::size_t kFixedBytes = 76;
// With this option the clipping rectangle is left out and the spacing-array offset moves up.
inline constexpr std::uint32_t kNoRectangle = 0x0100;
inline constexpr std::size_t kDxOffsetWithoutRectangle = 56;
inline constexpr std::size_t kFixedBytesWithoutRectangle = 60;
// With this option the spacing array holds an x and a y advance per character.
inline constexpr std::uint32_t kPairedAdvances = 0x2000;
}  // namespace text

namespace eof {
inline constexpr std::size_t kPaletteEntries = 8;
inline constexpr std::size_t kPaletteOffset = 12;
inline constexpr std::size_t kPaletteStart = 16;  // where entries would start; none are written
inline constexpr std::size_t kSizeLast = 16;      // after the (empty) palette
inline constexpr std::size_t kRecordBytes = 20;
}  // namespace eof

// Text alignment flags: the horizontal part is left (0), right (2) or centre (6).
inline constexpr std::uint32_t kAlignHorizontalMask = 0x06;
inline constexpr std::uint32_t kAlignRight = 0x02;

}  // namespace qalix::emf
