// A canvas that keeps every call, so that tests can compare drawings line by line and keep
// golden logs, and so that a drawing made outside a window's paint event can be replayed
// onto the window's canvas when it paints.
//
// Each call is one readable line of the log:
//   pen dot 1 (218,19,23)
//   font h=16 w=0 esc=900 orient=900 weight=400 italic=0 "Times New Roman"
//   align right          mode advanced          origin 380 342
//   move 0 0             line 550 -360          rect -110 180 660 -360
//   text -412 27 "1. Sig-level:  alpha = 0.0500"
// A font line names underline, strike-out, character set, precisions, quality and pitch
// (underline=1 strikeout=1 charset=0 out=3 clip=2 quality=1 pitch=0x12) before the face only
// when they differ from a default font's. In texts a double quote or a backslash is escaped
// with a backslash and a control character is written \xHH.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui/canvas.hpp"
#include "ui/font.hpp"

namespace qalix {

namespace call {
struct SelectPen {
    Pen pen;
};
struct SelectFont {
    FontDescription font;
};
struct SetTextAlign {
    TextAlign align;
};
struct SetGraphicsMode {
    GraphicsMode mode;
};
struct SetViewportOrigin {
    int x, y;
};
struct MoveTo {
    int x, y;
};
struct LineTo {
    int x, y;
};
struct Rectangle {
    int left, top, right, bottom;
};
struct TextOut {
    int x, y;
    std::string text;
};
}  // namespace call

using CanvasCall = std::variant<call::SelectPen, call::SelectFont, call::SetTextAlign,
                                call::SetGraphicsMode, call::SetViewportOrigin, call::MoveTo,
                                call::LineTo, call::Rectangle, call::TextOut>;

// The log line of one call.
std::string describe(const CanvasCall& call);

// Drawing objects as a device would hold them: each selected pen or font is created, and the
// one it replaces is released after the new one is selected.
struct ObjectCounts {
    int created = 0;
    int released = 0;
    int mostAlive = 0;  // the most objects alive at one time
    int alive() const { return created - released; }
};

class RecordingCanvas final : public Canvas {
  public:
    void selectPen(const Pen& pen) override;
    void selectFont(const FontDescription& font) override;
    void setTextAlign(TextAlign align) override;
    void setGraphicsMode(GraphicsMode mode) override;
    void setViewportOrigin(int x, int y) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, std::string_view text) override;

    const std::vector<CanvasCall>& calls() const { return calls_; }
    std::vector<std::string> lines() const;
    // The lines, each ended by a newline.
    std::string text() const;
    const ObjectCounts& objects() const { return objects_; }

    // Makes the same calls, in order, on another canvas.
    void replay(Canvas& canvas) const;

  private:
    void replaceObject(bool& held);

    std::vector<CanvasCall> calls_;
    ObjectCounts objects_;
    bool holdsPen_ = false;
    bool holdsFont_ = false;
};

}  // namespace qalix
