#include "canvas/recording_canvas.hpp"

#include <algorithm>
#include <array>

#include "canvas/overloaded.hpp"

namespace qalix {

namespace {

constexpr std::array<const char*, 6> kPenStyleNames = {"solid",   "dash",       "dot",
                                                       "dashdot", "dashdotdot", "null"};
constexpr char kHexDigits[] = "0123456789abcdef";
constexpr unsigned kNibbleBits = 4;
constexpr unsigned kNibbleMask = 0x0F;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

std::string hexByte(unsigned char byte) {
    return {kHexDigits[byte >> kNibbleBits], kHexDigits[byte & kNibbleMask]};
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < kFirstPrintable || byte == kDelete) {
            out += "\\x" + hexByte(byte);
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string numbers(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out += ' ' + std::to_string(v);
    return out;
}

std::string penLine(const Pen& pen) {
    const auto style = static_cast<std::size_t>(pen.style);
    const std::string name =
        style < kPenStyleNames.size() ? kPenStyleNames[style] : "style" + std::to_string(style);
    const Colour& c = pen.colour;
    return "pen " + name + ' ' + std::to_string(pen.width) + " (" + std::to_string(c.red) + ',' +
           std::to_string(c.green) + ',' + std::to_string(c.blue) + ')';
}

// The attributes a plot never changes, named only when they differ from a default font's.
std::string fontExtras(const FontDescription& f) {
    const FontDescription d;
    std::string out;
    auto flag = [&out](const char* name, bool value, bool usual) {
        if (value != usual) out += std::string(" ") + name + '=' + (value ? '1' : '0');
    };
    auto byte = [&out](const char* name, std::uint8_t value, std::uint8_t usual) {
        if (value != usual) out += std::string(" ") + name + '=' + std::to_string(value);
    };
    flag("underline", f.underline, d.underline);
    flag("strikeout", f.strikeOut, d.strikeOut);
    byte("charset", f.charSet, d.charSet);
    byte("out", f.outPrecision, d.outPrecision);
    byte("clip", f.clipPrecision, d.clipPrecision);
    byte("quality", f.quality, d.quality);
    if (f.pitchAndFamily != d.pitchAndFamily) out += " pitch=0x" + hexByte(f.pitchAndFamily);
    return out;
}

std::string fontLine(const FontDescription& f) {
    return "font h=" + std::to_string(f.height) + " w=" + std::to_string(f.width) +
           " esc=" + std::to_string(f.escapement) + " orient=" + std::to_string(f.orientation) +
           " weight=" + std::to_string(f.weight) + " italic=" + (f.italic ? '1' : '0') +
           fontExtras(f) + ' ' + quoted(f.face);
}

}  // namespace

std::string describe(const CanvasCall& c) {
    return std::visit(Overloaded{[](const call::SelectPen& p) { return penLine(p.pen); },
                                 [](const call::SelectFont& f) { return fontLine(f.font); },
                                 [](const call::SetTextAlign& a) {
                                     return std::string("align ") +
                                            (a.align == TextAlign::RightTop ? "right" : "left");
                                 },
                                 [](const call::SetGraphicsMode& m) {
                                     return std::string("mode ") + (m.mode == GraphicsMode::Advanced
                                                                        ? "advanced"
                                                                        : "compatible");
                                 },
                                 [](const call::SetViewportOrigin& o) {
                                     return "origin" + numbers({o.x, o.y});
                                 },
                                 [](const call::MoveTo& m) {
                                     return "move" + numbers({m.x, m.y});
                                 },
                                 [](const call::LineTo& l) {
                                     return "line" + numbers({l.x, l.y});
                                 },
                                 [](const call::Rectangle& r) {
                                     return "rect" + numbers({r.left, r.top, r.right, r.bottom});
                                 },
                                 [](const call::TextOut& t) {
                                     return "text" + numbers({t.x, t.y}) + ' ' + quoted(t.text);
                                 }},
                      c);
}

void RecordingCanvas::replaceObject(bool& held) {
    ++objects_.created;
    objects_.mostAlive = std::max(objects_.mostAlive, objects_.alive());
    if (held) ++objects_.released;
    held = true;
}

void RecordingCanvas::selectPen(const Pen& pen) {
    calls_.emplace_back(call::SelectPen{pen});
    replaceObject(holdsPen_);
}

void RecordingCanvas::selectFont(const FontDescription& font) {
    calls_.emplace_back(call::SelectFont{font});
    replaceObject(holdsFont_);
}

void RecordingCanvas::setTextAlign(TextAlign align) {
    calls_.emplace_back(call::SetTextAlign{align});
}

void RecordingCanvas::setGraphicsMode(GraphicsMode mode) {
    calls_.emplace_back(call::SetGraphicsMode{mode});
}

void RecordingCanvas::setViewportOrigin(int x, int y) {
    calls_.emplace_back(call::SetViewportOrigin{x, y});
}

void RecordingCanvas::moveTo(int x, int y) {
    calls_.emplace_back(call::MoveTo{x, y});
}

void RecordingCanvas::lineTo(int x, int y) {
    calls_.emplace_back(call::LineTo{x, y});
}

void RecordingCanvas::rectangle(int left, int top, int right, int bottom) {
    calls_.emplace_back(call::Rectangle{left, top, right, bottom});
}

void RecordingCanvas::textOut(int x, int y, std::string_view text) {
    calls_.emplace_back(call::TextOut{x, y, std::string(text)});
}

std::vector<std::string> RecordingCanvas::lines() const {
    std::vector<std::string> out;
    out.reserve(calls_.size());
    for (const CanvasCall& c : calls_)
        out.push_back(describe(c));
    return out;
}

std::string RecordingCanvas::text() const {
    std::string out;
    for (const CanvasCall& c : calls_)
        out += describe(c) + '\n';
    return out;
}

void RecordingCanvas::replay(Canvas& canvas) const {
    for (const CanvasCall& c : calls_) {
        std::visit(
            Overloaded{
                [&](const call::SelectPen& p) { canvas.selectPen(p.pen); },
                [&](const call::SelectFont& f) { canvas.selectFont(f.font); },
                [&](const call::SetTextAlign& a) { canvas.setTextAlign(a.align); },
                [&](const call::SetGraphicsMode& m) { canvas.setGraphicsMode(m.mode); },
                [&](const call::SetViewportOrigin& o) { canvas.setViewportOrigin(o.x, o.y); },
                [&](const call::MoveTo& m) { canvas.moveTo(m.x, m.y); },
                [&](const call::LineTo& l) { canvas.lineTo(l.x, l.y); },
                [&](const call::Rectangle& r) {
                    canvas.rectangle(r.left, r.top, r.right, r.bottom);
                },
                [&](const call::TextOut& t) { canvas.textOut(t.x, t.y, t.text); }},
            c);
    }
}

}  // namespace qalix
