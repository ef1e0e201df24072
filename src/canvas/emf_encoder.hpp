// A canvas that encodes what is drawn on it as an enhanced metafile in memory: one record per
// call (a pen or font is a create, a select and the delete of the object it replaces), and a
// header whose bounds, frame, record count and handle count describe what was drawn. The
// first record selects the stock white brush, which devices start with anyway, so that
// readers with another default fill rectangles white too.
//
// Bounds are inclusive device units (logical point plus viewport origin): a line covers its
// end points, a rectangle its pixels up to but not including its right and bottom edges, a
// text its estimated box (graphics/text_extent.hpp); a pen wider than one pixel adds half its
// width, rounded up, on every side; a null pen draws no lines. An empty picture has the
// bounds (0, 0, -1, -1). The frame is the bounds in hundredths of a millimetre on the 96-dpi
// reference device, each edge rounded to the nearest unit.
//
// Texts are written as UTF-16 with a spacing array of the estimated advances. Some readers
// read the array whether or not its offset is set, and others place each character by it;
// advances that follow the widths of the program's default face space text much as that
// face does, where even ones would not, and keep it inside the bounds the header states.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "canvas/byte_order.hpp"
#include "canvas/device_rect.hpp"
#include "canvas/emf_format.hpp"
#include "ui/canvas.hpp"
#include "ui/font.hpp"

namespace qalix {

namespace emf {

// Slots of the metafile's handle table. Slot 0 is reserved; a new object takes the lowest
// free slot, so replacing objects reuses slots instead of growing the table.
class HandleTable {
  public:
    std::uint32_t allocate();
    void release(std::uint32_t index);
    // Slots ever used, the reserved one included: the header's handle count.
    std::uint32_t size() const { return static_cast<std::uint32_t>(used_.size()); }

  private:
    std::vector<bool> used_{true};
};

}  // namespace emf

class EmfEncoder : public Canvas {
  public:
    EmfEncoder();

    void selectPen(const Pen& pen) final;
    void selectFont(const FontDescription& font) final;
    void setTextAlign(TextAlign align) final;
    void setGraphicsMode(GraphicsMode mode) final;
    void setViewportOrigin(int x, int y) final;
    void moveTo(int x, int y) final;
    void lineTo(int x, int y) final;
    void rectangle(int left, int top, int right, int bottom) final;
    void textOut(int x, int y, std::string_view text) final;

    // The whole file as drawn so far: header, records, end of file.
    std::vector<std::uint8_t> metafile() const;
    // The device-unit box of everything drawn, edges inclusive; nothing before anything is.
    std::optional<DeviceRect> bounds() const { return bounds_; }

  private:
    template <class Fields>
    void record(emf::RecordType type, Fields fields);
    void selectNew(std::uint32_t& current, emf::RecordType create, auto writeObject);
    void include(DeviceRect box);
    void includeLine(int x0, int y0, int x1, int y1);
    void writeHeader(emf::ByteWriter& out, std::size_t fileBytes) const;

    std::vector<std::uint8_t> records_;  // every record after the header, before the end
    std::uint32_t recordCount_ = 0;
    emf::HandleTable handles_;
    std::uint32_t penHandle_ = 0;  // 0 while the device's own pen is selected
    std::uint32_t fontHandle_ = 0;
    Pen pen_;
    FontDescription font_;
    TextAlign align_ = TextAlign::LeftTop;
    GraphicsMode mode_ = GraphicsMode::Compatible;
    int originX_ = 0, originY_ = 0;
    int currentX_ = 0, currentY_ = 0;  // logical, as the device keeps it
    std::optional<DeviceRect> bounds_;
};

}  // namespace qalix
