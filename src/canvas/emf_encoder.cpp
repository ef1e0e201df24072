#include "canvas/emf_encoder.hpp"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "canvas/saturate.hpp"
#include "canvas/text_extent.hpp"
#include "canvas/utf16.hpp"

namespace qalix {

namespace {

using emf::ByteWriter;
using emf::RecordType;

constexpr DeviceRect kEmptyRect{0, 0, -1, -1};

// Page units to hundredths of a millimetre, which text records recorded in the compatible
// graphics mode carry; the advanced mode leaves them 0.
constexpr float kCompatibleTextScale = static_cast<float>(emf::kFrameUnitsPerPixel);

void patchU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (unsigned i = 0; i < 4; ++i)
        bytes[at + i] =
            static_cast<std::uint8_t>((value >> (i * emf::kBitsPerByte)) & emf::kByteMask);
}

std::size_t paddedTo4(std::size_t bytes) {
    return (bytes + emf::kRecordAlignment - 1) / emf::kRecordAlignment * emf::kRecordAlignment;
}

DeviceRect frameOf(const DeviceRect& bounds) {
    auto scaled = [](int v) { return saturatingRound(v * emf::kFrameUnitsPerPixel); };
    return {scaled(bounds.left), scaled(bounds.top), scaled(bounds.right), scaled(bounds.bottom)};
}

DeviceRect grown(DeviceRect box, int by) {
    return {box.left - by, box.top - by, box.right + by, box.bottom + by};
}

// How far a pen's stroke reaches beyond the geometry it follows.
int strokeReach(const Pen& pen) {
    return pen.width > 1 ? (pen.width + 1) / 2 : 0;
}

void writeLogFont(ByteWriter& out, const FontDescription& f) {
    out.i32(f.height);
    out.i32(f.width);
    out.i32(f.escapement);
    out.i32(f.orientation);
    out.i32(f.weight);
    out.u8(f.italic ? 1 : 0);
    out.u8(f.underline ? 1 : 0);
    out.u8(f.strikeOut ? 1 : 0);
    out.u8(f.charSet);
    out.u8(f.outPrecision);
    out.u8(f.clipPrecision);
    out.u8(f.quality);
    out.u8(f.pitchAndFamily);
    // The face keeps a zero character at its end; a surrogate pair is not split.
    std::u16string face = utf8ToUtf16(f.face);
    std::size_t keep = std::min(face.size(), emf::font::kFaceNameChars - 1);
    if (keep > 0 && keep < face.size() && isHighSurrogate(face[keep - 1])) --keep;
    face.resize(keep);
    out.utf16(face);
    out.zeros(2 * (emf::font::kFaceNameChars - face.size()));
    out.zeros(emf::font::kLogFontPanoseBytes - emf::font::kLogFontBytes);
}

}  // namespace

namespace emf {

std::uint32_t HandleTable::allocate() {
    const auto free = std::find(used_.begin(), used_.end(), false);
    const auto index = static_cast<std::uint32_t>(free - used_.begin());
    if (free == used_.end())
        used_.push_back(true);
    else
        *free = true;
    return index;
}

void HandleTable::release(std::uint32_t index) {
    if (index > 0 && index < used_.size()) used_[index] = false;
}

}  // namespace emf

template <class Fields>
void EmfEncoder::record(RecordType type, Fields fields) {
    const std::size_t start = records_.size();
    ByteWriter out(records_);
    out.u32(static_cast<std::uint32_t>(type));
    out.u32(0);  // the size, known once the fields are written
    fields(out);
    out.zeros(paddedTo4(records_.size() - start) - (records_.size() - start));
    patchU32(records_, start + emf::kRecordSizeOffset,
             static_cast<std::uint32_t>(records_.size() - start));
    ++recordCount_;
}

EmfEncoder::EmfEncoder() {
    record(RecordType::SelectObject, [](ByteWriter& out) { out.u32(emf::kStockWhiteBrush); });
}

// The new object is created and selected before the one it replaces is deleted: a device
// cannot delete the object it has selected.
void EmfEncoder::selectNew(std::uint32_t& current, RecordType create, auto writeObject) {
    const std::uint32_t index = handles_.allocate();
    record(create, [&](ByteWriter& out) {
        out.u32(index);
        writeObject(out);
    });
    record(RecordType::SelectObject, [&](ByteWriter& out) { out.u32(index); });
    if (current != 0) {
        record(RecordType::DeleteObject, [&](ByteWriter& out) { out.u32(current); });
        handles_.release(current);
    }
    current = index;
}

void EmfEncoder::selectPen(const Pen& pen) {
    pen_ = pen;
    selectNew(penHandle_, RecordType::CreatePen, [&](ByteWriter& out) {
        out.u32(static_cast<std::uint32_t>(pen.style));
        out.i32(pen.width);
        out.i32(0);  // the width point's y is not used
        out.u8(pen.colour.red);
        out.u8(pen.colour.green);
        out.u8(pen.colour.blue);
        out.u8(0);
    });
}

void EmfEncoder::selectFont(const FontDescription& font) {
    font_ = font;
    selectNew(fontHandle_, RecordType::ExtCreateFontIndirectW,
              [&](ByteWriter& out) { writeLogFont(out, font); });
}

void EmfEncoder::setTextAlign(TextAlign align) {
    align_ = align;
    record(RecordType::SetTextAlign,
           [&](ByteWriter& out) { out.u32(static_cast<std::uint32_t>(align)); });
}

void EmfEncoder::setGraphicsMode(GraphicsMode mode) {
    mode_ = mode;
    record(RecordType::SetGraphicsMode,
           [&](ByteWriter& out) { out.u32(static_cast<std::uint32_t>(mode)); });
}

void EmfEncoder::setViewportOrigin(int x, int y) {
    originX_ = x;
    originY_ = y;
    record(RecordType::SetViewportOrgEx, [&](ByteWriter& out) {
        out.i32(x);
        out.i32(y);
    });
}

void EmfEncoder::moveTo(int x, int y) {
    currentX_ = x;
    currentY_ = y;
    record(RecordType::MoveToEx, [&](ByteWriter& out) {
        out.i32(x);
        out.i32(y);
    });
}

void EmfEncoder::lineTo(int x, int y) {
    if (pen_.style != PenStyle::Null) includeLine(currentX_, currentY_, x, y);
    currentX_ = x;
    currentY_ = y;
    record(RecordType::LineTo, [&](ByteWriter& out) {
        out.i32(x);
        out.i32(y);
    });
}

void EmfEncoder::rectangle(int left, int top, int right, int bottom) {
    const DeviceRect covered{std::min(left, right), std::min(top, bottom),
                             std::max(left, right) - 1, std::max(top, bottom) - 1};
    if (covered.left <= covered.right && covered.top <= covered.bottom) {
        const DeviceRect device{covered.left + originX_, covered.top + originY_,
                                covered.right + originX_, covered.bottom + originY_};
        include(grown(device, pen_.style == PenStyle::Null ? 0 : strokeReach(pen_)));
    }
    record(RecordType::Rectangle, [&](ByteWriter& out) { out.rect({left, top, right, bottom}); });
}

void EmfEncoder::textOut(int x, int y, std::string_view text) {
    const std::u16string units = utf8ToUtf16(text);
    const std::vector<int> advances = estimatedAdvances(font_, units);
    TextBox box = estimatedTextBox(font_, align_, x + originX_, y + originY_, advances);
    if (!box.empty) include(box.box);
    const std::size_t stringBytes = paddedTo4(2 * units.size());
    const bool compatible = mode_ == GraphicsMode::Compatible;
    record(RecordType::ExtTextOutW, [&](ByteWriter& out) {
        out.rect(box.empty ? kEmptyRect : box.box);
        out.u32(static_cast<std::uint32_t>(mode_));
        out.f32(compatible ? kCompatibleTextScale : 0.0f);
        out.f32(compatible ? kCompatibleTextScale : 0.0f);
        out.i32(x);
        out.i32(y);
        out.u32(static_cast<std::uint32_t>(units.size()));
        out.u32(static_cast<std::uint32_t>(emf::text::kFixedBytes));
        out.u32(0);  // no options: the rectangle below neither clips nor fills
        out.rect(kEmptyRect);
        out.u32(static_cast<std::uint32_t>(emf::text::kFixedBytes + stringBytes));
        out.utf16(units);
        out.zeros(stringBytes - 2 * units.size());
        for (int advance : advances)
            out.i32(advance);
    });
}

void EmfEncoder::include(DeviceRect box) {
    if (!bounds_) {
        bounds_ = box;
        return;
    }
    bounds_->left = std::min(bounds_->left, box.left);
    bounds_->top = std::min(bounds_->top, box.top);
    bounds_->right = std::max(bounds_->right, box.right);
    bounds_->bottom = std::max(bounds_->bottom, box.bottom);
}

void EmfEncoder::includeLine(int x0, int y0, int x1, int y1) {
    const DeviceRect ends{std::min(x0, x1) + originX_, std::min(y0, y1) + originY_,
                          std::max(x0, x1) + originX_, std::max(y0, y1) + originY_};
    include(grown(ends, strokeReach(pen_)));
}

void EmfEncoder::writeHeader(ByteWriter& out, std::size_t fileBytes) const {
    namespace h = emf::header;
    const DeviceRect bounds = bounds_.value_or(kEmptyRect);
    out.u32(static_cast<std::uint32_t>(RecordType::Header));
    out.u32(static_cast<std::uint32_t>(h::kExtendedBytes + 2 * emf::kDescription.size()));
    out.rect(bounds);
    out.rect(bounds_ ? frameOf(bounds) : kEmptyRect);
    out.u32(h::kSignatureValue);
    out.u32(h::kVersionValue);
    out.u32(static_cast<std::uint32_t>(fileBytes));
    out.u32(recordCount_ + 2);  // the header and the end of file too
    out.u16(static_cast<std::uint16_t>(handles_.size()));
    out.u16(0);
    out.u32(static_cast<std::uint32_t>(emf::kDescription.size()));
    out.u32(static_cast<std::uint32_t>(h::kExtendedBytes));
    out.u32(0);  // no palette
    out.i32(emf::kReferenceWidthPixels);
    out.i32(emf::kReferenceHeightPixels);
    out.i32(emf::kReferenceWidthMillimetres);
    out.i32(emf::kReferenceHeightMillimetres);
    out.zeros(h::kMicrometres - h::kPixelFormat);  // no pixel format, no OpenGL
    out.i32(emf::kReferenceWidthMillimetres * emf::kMicrometresPerMillimetre);
    out.i32(emf::kReferenceHeightMillimetres * emf::kMicrometresPerMillimetre);
    out.utf16(emf::kDescription);
}

std::vector<std::uint8_t> EmfEncoder::metafile() const {
    const std::size_t headerBytes = emf::header::kExtendedBytes + 2 * emf::kDescription.size();
    const std::size_t fileBytes = headerBytes + records_.size() + emf::eof::kRecordBytes;
    if (fileBytes > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a metafile cannot exceed 4 GiB");
    std::vector<std::uint8_t> bytes;
    bytes.reserve(fileBytes);
    ByteWriter out(bytes);
    writeHeader(out, fileBytes);
    bytes.insert(bytes.end(), records_.begin(), records_.end());
    out.u32(static_cast<std::uint32_t>(RecordType::Eof));
    out.u32(static_cast<std::uint32_t>(emf::eof::kRecordBytes));
    out.u32(0);  // no palette entries
    out.u32(static_cast<std::uint32_t>(emf::eof::kPaletteStart));
    out.u32(static_cast<std::uint32_t>(emf::eof::kRecordBytes));  // repeated for readers going back
    return bytes;
}

}  // namespace qalix
