#include "canvas/emf_parser.hpp"

#include <optional>
#include <system_error>

#include "canvas/byte_order.hpp"
#include "canvas/emf_format.hpp"
#include "canvas/utf16.hpp"
#include "io/files.hpp"

namespace qalix::emf {

namespace {

constexpr std::size_t kUtf16Bytes = 2;
constexpr std::size_t kAdvanceBytes = 4;
constexpr std::uintmax_t kBytesPerMebibyte = std::uintmax_t{1} << 20;
constexpr std::uint32_t kFirstRecordAfterHeader = 2;

[[noreturn]] void refuse(std::string_view name, const std::string& reason) {
    throw MetafileError("Cannot read the metafile \"" + std::string(name) + "\": " + reason + ".");
}

std::string tooLarge() {
    return "the file is larger than " + std::to_string(kMaxFileBytes / kBytesPerMebibyte) + " MiB";
}

// Pen styles beyond the six the program draws (inside-frame, user and alternate styles,
// end-cap and join bits) are drawn solid.
PenStyle penStyleOf(std::uint32_t style) {
    const std::uint32_t base = style & pen::kStyleMask;
    return base <= static_cast<std::uint32_t>(PenStyle::Null) ? static_cast<PenStyle>(base)
                                                              : PenStyle::Solid;
}

// Walks the records of one file. Each decoder first checks that its record holds every
// field it reads, so that a reader's own bounds check never has to fire.
class Parser {
  public:
    Parser(std::span<const std::uint8_t> bytes, std::string_view name)
        : file_(bytes), name_(name) {}

    Picture run() {
        Picture picture;
        picture.header = parseHeader();
        parseRecords(picture);
        return picture;
    }

  private:
    [[noreturn]] void fail(const std::string& reason) const { refuse(name_, reason); }
    [[noreturn]] void failRecord(const std::string& what) const {
        fail("record " + std::to_string(index_) + " (type " + std::to_string(type_) + ") " + what);
    }
    void requireSize(const ByteReader& r, std::size_t bytes) const {
        if (r.size() < bytes) failRecord("is too short for its fields");
    }

    Header parseHeader();
    std::u16string description(const ByteReader& r) const;
    void parseRecords(Picture& picture);
    ByteReader nextRecord(std::size_t offset);
    void checkEnd(std::size_t end) const;
    std::optional<Record> decode(const ByteReader& r) const;
    Record decodePen(const ByteReader& r) const;
    Record decodeFont(const ByteReader& r) const;
    Record decodeText(const ByteReader& r) const;

    ByteReader file_;
    std::string_view name_;
    std::uint32_t index_ = 1;  // of the record being read; the header is record 1
    std::uint32_t type_ = static_cast<std::uint32_t>(RecordType::Header);
    std::uint32_t expectedRecords_ = 0;  // as the header gives them, at most kMaxRecords
};

Header Parser::parseHeader() {
    namespace hd = header;
    if (file_.size() == 0) fail("the file is empty");
    if (file_.size() > kMaxFileBytes) fail(tooLarge());
    if (file_.size() < kRecordPrefixBytes ||
        file_.u32(kRecordTypeOffset) != static_cast<std::uint32_t>(RecordType::Header))
        fail("the file does not start with a metafile header");
    const std::uint32_t size = file_.u32(kRecordSizeOffset);
    if (size < hd::kBaseBytes || size % kRecordAlignment != 0 || size > file_.size())
        fail("the header record is cut short or has a wrong size (" + std::to_string(size) +
             " bytes)");
    const ByteReader r = file_.part(0, size);
    if (r.u32(hd::kSignature) != hd::kSignatureValue) fail("the header lacks the EMF signature");
    Header h;
    h.bounds = r.rect(hd::kBounds);
    h.frame = r.rect(hd::kFrame);
    h.bytes = r.u32(hd::kBytes);
    h.records = r.u32(hd::kRecords);
    h.handles = r.u16(hd::kHandles);
    h.device = {r.i32(hd::kDevice), r.i32(hd::kDevice + 4)};
    h.millimetres = {r.i32(hd::kMillimetres), r.i32(hd::kMillimetres + 4)};
    if (h.bytes != file_.size())
        fail("the header gives " + std::to_string(h.bytes) + " bytes but the file holds " +
             std::to_string(file_.size()));
    if (h.records < kFirstRecordAfterHeader || h.records > kMaxRecords)
        fail("the header gives " + std::to_string(h.records) + " records, not 2 to " +
             std::to_string(kMaxRecords));
    h.description = description(r);
    expectedRecords_ = h.records;
    return h;
}

std::u16string Parser::description(const ByteReader& r) const {
    const std::uint32_t chars = r.u32(header::kDescriptionChars);
    const std::uint32_t offset = r.u32(header::kDescriptionOffset);
    if (chars == 0) return {};
    if (offset < header::kBaseBytes || !r.holds(offset, std::uint64_t{chars} * kUtf16Bytes))
        fail("the header places its description outside the header record");
    return r.utf16(offset, chars);
}

ByteReader Parser::nextRecord(std::size_t offset) {
    ++index_;
    if (index_ > expectedRecords_)
        fail("the file holds more records than the " + std::to_string(expectedRecords_) +
             " its header gives");
    type_ = 0;
    if (!file_.holds(offset, kRecordPrefixBytes))
        fail("record " + std::to_string(index_) + " is cut short by the end of the file");
    type_ = file_.u32(offset + kRecordTypeOffset);
    const std::uint32_t size = file_.u32(offset + kRecordSizeOffset);
    if (size < kRecordPrefixBytes || size % kRecordAlignment != 0)
        failRecord("has a size of " + std::to_string(size) +
                   " bytes, not a multiple of 4 of at least 8");
    if (!file_.holds(offset, size)) failRecord("runs past the end of the file");
    return file_.part(offset, size);
}

void Parser::parseRecords(Picture& picture) {
    const Header& h = picture.header;
    picture.records.reserve(std::min<std::size_t>(h.records, file_.size() / kRecordPrefixBytes));
    std::size_t offset = file_.u32(kRecordSizeOffset);
    while (offset < file_.size()) {
        const ByteReader r = nextRecord(offset);
        offset += r.size();
        if (type_ == static_cast<std::uint32_t>(RecordType::Eof)) {
            requireSize(r, eof::kRecordBytes);
            checkEnd(offset);
            return;
        }
        if (std::optional<Record> decoded = decode(r)) picture.records.push_back(*decoded);
    }
    fail("the file ends without an end-of-file record");
}

void Parser::checkEnd(std::size_t end) const {
    if (end != file_.size()) fail("bytes follow the end-of-file record");
    if (index_ != expectedRecords_)
        fail("the file holds " + std::to_string(index_) + " records but its header gives " +
             std::to_string(expectedRecords_));
}

std::optional<Record> Parser::decode(const ByteReader& r) const {
    auto point = [&](auto make) -> Record {
        requireSize(r, kPointRecordBytes);
        return make(r.i32(kValueOffset), r.i32(kValueOffset + 4));
    };
    auto value = [&](auto make) -> Record {
        requireSize(r, kValueRecordBytes);
        return make(r.u32(kValueOffset));
    };
    switch (static_cast<RecordType>(type_)) {
        case RecordType::CreatePen:
            return decodePen(r);
        case RecordType::ExtCreateFontIndirectW:
            return decodeFont(r);
        case RecordType::ExtTextOutW:
            return decodeText(r);
        case RecordType::SelectObject:
            return value([](std::uint32_t v) { return record::SelectObject{v}; });
        case RecordType::DeleteObject:
            return value([](std::uint32_t v) { return record::DeleteObject{v}; });
        case RecordType::SetGraphicsMode:
            return value([](std::uint32_t v) { return record::SetGraphicsMode{v}; });
        case RecordType::SetTextAlign:
            return value([](std::uint32_t v) { return record::SetTextAlign{v}; });
        case RecordType::SetViewportOrgEx:
            return point([](int x, int y) { return record::SetViewportOrigin{x, y}; });
        case RecordType::MoveToEx:
            return point([](int x, int y) { return record::MoveTo{x, y}; });
        case RecordType::LineTo:
            return point([](int x, int y) { return record::LineTo{x, y}; });
        case RecordType::Rectangle:
            requireSize(r, kRectangleRecordBytes);
            return record::Rectangle{r.rect(kValueOffset)};
        case RecordType::Header:
            failRecord("is a second header");
        default:
            return std::nullopt;  // a record the program does not draw
    }
}

Record Parser::decodePen(const ByteReader& r) const {
    requireSize(r, pen::kRecordBytes);
    Pen p;
    p.style = penStyleOf(r.u32(pen::kStyle));
    p.width = std::max(0, r.i32(pen::kWidth));
    p.colour = {r.u8(pen::kColour), r.u8(pen::kColour + 1), r.u8(pen::kColour + 2)};
    return record::CreatePen{r.u32(pen::kHandle), p};
}

Record Parser::decodeFont(const ByteReader& r) const {
    namespace fo = font;
    requireSize(r, fo::kMinimumRecordBytes);
    const std::size_t at = fo::kLogFont;
    FontDescription f;
    f.height = r.i32(at + fo::kHeight);
    f.width = r.i32(at + fo::kWidth);
    f.escapement = r.i32(at + fo::kEscapement);
    f.orientation = r.i32(at + fo::kOrientation);
    f.weight = r.i32(at + fo::kWeight);
    f.italic = r.u8(at + fo::kItalic) != 0;
    f.underline = r.u8(at + fo::kUnderline) != 0;
    f.strikeOut = r.u8(at + fo::kStrikeOut) != 0;
    f.charSet = r.u8(at + fo::kCharSet);
    f.outPrecision = r.u8(at + fo::kOutPrecision);
    f.clipPrecision = r.u8(at + fo::kClipPrecision);
    f.quality = r.u8(at + fo::kQuality);
    f.pitchAndFamily = r.u8(at + fo::kPitchAndFamily);
    std::u16string face = r.utf16(at + fo::kFaceName, fo::kFaceNameChars);
    face.resize(face.find(u'\0') == std::u16string::npos ? face.size() : face.find(u'\0'));
    f.face = utf16ToUtf8(face);
    return record::CreateFont{r.u32(fo::kHandle), f};
}

Record Parser::decodeText(const ByteReader& r) const {
    namespace tx = text;
    requireSize(r, tx::kFixedBytesWithoutRectangle);
    const std::uint32_t options = r.u32(tx::kOptions);
    const bool withRectangle = (options & tx::kNoRectangle) == 0;
    requireSize(r, withRectangle ? tx::kFixedBytes : tx::kFixedBytesWithoutRectangle);
    const std::uint64_t chars = r.u32(tx::kChars);
    const std::uint32_t stringOffset = r.u32(tx::kStringOffset);
    const std::uint32_t dxOffset =
        r.u32(withRectangle ? tx::kDxOffset : tx::kDxOffsetWithoutRectangle);
    if (chars * kUtf16Bytes > r.size())
        failRecord("gives " + std::to_string(chars) + " characters, more than it holds");
    if (!r.holds(stringOffset, chars * kUtf16Bytes))
        failRecord("places its text outside the record");
    const std::uint64_t advances = (options & tx::kPairedAdvances) != 0 ? 2 * chars : chars;
    if (chars > 0 && dxOffset != 0 && !r.holds(dxOffset, advances * kAdvanceBytes))
        failRecord("places its spacing array outside the record");
    return record::TextOut{r.i32(tx::kReference), r.i32(tx::kReference + 4),
                           r.utf16(stringOffset, static_cast<std::size_t>(chars))};
}

}  // namespace

Picture parseMetafile(std::span<const std::uint8_t> bytes, std::string_view name) {
    return Parser(bytes, name).run();
}

Picture readMetafile(const std::filesystem::path& file) {
    const io::ReadResult read = io::readFile(file, kMaxFileBytes);
    if (read.tooLarge) refuse(file.string(), tooLarge());
    if (!read) refuse(file.string(), "the file cannot be read: " + read.error.reason);
    const auto* data = reinterpret_cast<const std::uint8_t*>(read.bytes->data());
    return parseMetafile({data, read.bytes->size()}, file.string());
}

}  // namespace qalix::emf
