#include "canvas/emf_player.hpp"

#include <cmath>
#include <map>
#include <variant>

#include "canvas/emf_format.hpp"
#include "canvas/overloaded.hpp"
#include "canvas/saturate.hpp"
#include "canvas/utf16.hpp"

namespace qalix {

namespace {

namespace record = emf::record;

struct SourceExtent {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
};

bool isEmpty(const DeviceRect& r) {
    return r.right < r.left || r.bottom < r.top;
}

// The picture's extent in reference pixels: the frame where it and the device say how large
// a pixel is, the bounds otherwise.
SourceExtent pictureExtent(const emf::Header& h) {
    const bool deviceKnown =
        h.device.cx > 0 && h.device.cy > 0 && h.millimetres.cx > 0 && h.millimetres.cy > 0;
    if (deviceKnown && !isEmpty(h.frame)) {
        const double perUnitX = static_cast<double>(h.device.cx) /
                                (h.millimetres.cx * double{emf::kFrameUnitsPerMillimetre});
        const double perUnitY = static_cast<double>(h.device.cy) /
                                (h.millimetres.cy * double{emf::kFrameUnitsPerMillimetre});
        return {h.frame.left * perUnitX, h.frame.top * perUnitY, h.frame.right * perUnitX,
                h.frame.bottom * perUnitY};
    }
    if (!isEmpty(h.bounds))
        return {static_cast<double>(h.bounds.left), static_cast<double>(h.bounds.top),
                static_cast<double>(h.bounds.right), static_cast<double>(h.bounds.bottom)};
    return {};
}

// Maps the picture's extent onto the destination. An axis along which the picture has no
// extent keeps its scale of 1.
class Stretch {
  public:
    Stretch(const SourceExtent& from, const DeviceRect& to)
        : from_(from),
          toLeft_(to.left),
          toTop_(to.top),
          scaleX_(scale(from.left, from.right, to.left, to.right)),
          scaleY_(scale(from.top, from.bottom, to.top, to.bottom)) {}

    int x(int v) const { return saturatingRound(v * scaleX_); }
    int y(int v) const { return saturatingRound(v * scaleY_); }
    int originX(int v) const { return saturatingRound(toLeft_ + (v - from_.left) * scaleX_); }
    int originY(int v) const { return saturatingRound(toTop_ + (v - from_.top) * scaleY_); }

    Pen pen(Pen p) const {
        const double mean = (std::abs(scaleX_) + std::abs(scaleY_)) / 2;
        if (p.width > 0) p.width = std::max(1, saturatingRound(p.width * mean));
        return p;
    }
    FontDescription font(FontDescription f) const {
        f.height = size(f.height, scaleY_);
        f.width = size(f.width, scaleX_);
        return f;
    }

  private:
    static double scale(double fromLow, double fromHigh, int toLow, int toHigh) {
        const double extent = fromHigh - fromLow;
        return extent > 0.0 ? (static_cast<double>(toHigh) - toLow) / extent : 1.0;
    }
    static int size(int v, double s) {
        if (v == 0) return 0;
        const int scaled = saturatingRound(v * std::abs(s));
        return scaled != 0 ? scaled : (v > 0 ? 1 : -1);
    }

    SourceExtent from_;
    double toLeft_, toTop_;
    double scaleX_, scaleY_;
};

// Draws the records in order, keeping the objects the file creates by their handle.
class Replay {
  public:
    Replay(Canvas& canvas, const Stretch& stretch) : canvas_(canvas), stretch_(stretch) {}

    void start() {
        const int x = stretch_.originX(0), y = stretch_.originY(0);
        if (x != 0 || y != 0) canvas_.setViewportOrigin(x, y);
    }

    void operator()(const record::CreatePen& r) { keep(r.handle, r.pen); }
    void operator()(const record::CreateFont& r) { keep(r.handle, r.font); }
    void operator()(const record::SelectObject& r) {
        if ((r.handle & emf::kStockObject) != 0) return selectStock(r.handle);
        const auto found = objects_.find(r.handle);
        if (found == objects_.end()) return;
        std::visit(
            Overloaded{[&](const Pen& p) { canvas_.selectPen(stretch_.pen(p)); },
                       [&](const FontDescription& f) { canvas_.selectFont(stretch_.font(f)); }},
            found->second);
    }
    void operator()(const record::DeleteObject& r) { objects_.erase(r.handle); }
    void operator()(const record::SetViewportOrigin& r) {
        canvas_.setViewportOrigin(stretch_.originX(r.x), stretch_.originY(r.y));
    }
    void operator()(const record::SetGraphicsMode& r) {
        if (r.mode == static_cast<std::uint32_t>(GraphicsMode::Compatible) ||
            r.mode == static_cast<std::uint32_t>(GraphicsMode::Advanced))
            canvas_.setGraphicsMode(static_cast<GraphicsMode>(r.mode));
    }
    void operator()(const record::SetTextAlign& r) {
        const bool right = (r.flags & emf::kAlignHorizontalMask) == emf::kAlignRight;
        canvas_.setTextAlign(right ? TextAlign::RightTop : TextAlign::LeftTop);
    }
    void operator()(const record::MoveTo& r) { canvas_.moveTo(stretch_.x(r.x), stretch_.y(r.y)); }
    void operator()(const record::LineTo& r) { canvas_.lineTo(stretch_.x(r.x), stretch_.y(r.y)); }
    void operator()(const record::Rectangle& r) {
        canvas_.rectangle(stretch_.x(r.box.left), stretch_.y(r.box.top), stretch_.x(r.box.right),
                          stretch_.y(r.box.bottom));
    }
    void operator()(const record::TextOut& r) {
        canvas_.textOut(stretch_.x(r.x), stretch_.y(r.y), utf16ToUtf8(r.text));
    }

  private:
    using Object = std::variant<Pen, FontDescription>;

    // Slot 0 is reserved and stock indexes are not slots: creations there draw nothing.
    void keep(std::uint32_t handle, Object object) {
        if (handle != 0 && (handle & emf::kStockObject) == 0) objects_[handle] = std::move(object);
    }
    void selectStock(std::uint32_t handle) {
        if (handle == emf::kStockWhitePen) canvas_.selectPen({PenStyle::Solid, 0, kWhite});
        if (handle == emf::kStockBlackPen) canvas_.selectPen({PenStyle::Solid, 0, kBlack});
        if (handle == emf::kStockNullPen) canvas_.selectPen({PenStyle::Null, 0, kBlack});
    }

    Canvas& canvas_;
    const Stretch& stretch_;
    std::map<std::uint32_t, Object> objects_;  // at most one per creation record
};

}  // namespace

EmfPlayer EmfPlayer::open(const std::filesystem::path& file) {
    return EmfPlayer(emf::readMetafile(file));
}

void EmfPlayer::play(Canvas& canvas, const DeviceRect& destination) const {
    const Stretch stretch(pictureExtent(picture_.header), destination);
    Replay replay(canvas, stretch);
    replay.start();
    for (const emf::Record& r : picture_.records)
        std::visit(replay, r);
}

}  // namespace qalix
