// The metafile as written, read back byte by byte against the published record layouts: the
// header of a small drawing against values worked out by hand, each record's type, size and
// fields, and handles that do not accumulate however many pens and fonts are selected.
#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <map>
#include <optional>

#include "canvas/emf_encoder.hpp"
#include "canvas/sample_drawing.hpp"

namespace qalix {
namespace {

using test::i32At;
using test::u16At;
using test::u32At;
using test::utf16At;

// Record types and sizes as the published layouts give them.
constexpr std::uint32_t kHeader = 1, kEof = 14, kSelect = 37, kCreatePen = 38, kDelete = 40;
constexpr std::uint32_t kRectangle = 43, kLineTo = 54, kMoveTo = 27, kViewportOrigin = 12;
constexpr std::uint32_t kSetTextAlign = 22, kSetGraphicsMode = 67, kFont = 82, kText = 84;

struct RecordAt {
    std::uint32_t type, size;
    std::size_t offset;
};

std::vector<RecordAt> walk(const std::vector<std::uint8_t>& bytes) {
    std::vector<RecordAt> records;
    for (std::size_t at = 0; at < bytes.size();) {
        records.push_back({u32At(bytes, at), u32At(bytes, at + 4), at});
        if (records.back().size == 0) break;
        at += records.back().size;
    }
    return records;
}

// A pen, a font of height 20, the origin at (100, 50), a line from it to (300, 150) on the
// device, a rectangle covering (50, 30) to (149, 69), and "Hi" at (110, 60) on the device.
std::vector<std::uint8_t> smallDrawing() {
    EmfEncoder e;
    e.selectPen({PenStyle::Solid, 0, kBlack});
    FontDescription f;
    f.height = 20;
    f.face = "Arial";
    e.selectFont(f);
    e.setViewportOrigin(100, 50);
    e.moveTo(0, 0);
    e.lineTo(200, 100);
    e.rectangle(-50, -20, 50, 20);
    e.textOut(10, 10, "Hi");
    return e.metafile();
}

TEST(EmfEncoder, HeaderOfASmallDrawingMatchesHandWorkedValues) {
    const std::vector<std::uint8_t> b = smallDrawing();
    EXPECT_EQ(u32At(b, 0), kHeader);
    EXPECT_EQ(u32At(b, 4), 108u + 32u);  // the extended header and 16 UTF-16 characters
    // Bounds: the line's end (300, 150) and the rectangle's corner (50, 30); "Hi" (110..127,
    // 60..79) lies inside.
    EXPECT_EQ(i32At(b, 8), 50);
    EXPECT_EQ(i32At(b, 12), 30);
    EXPECT_EQ(i32At(b, 16), 300);
    EXPECT_EQ(i32At(b, 20), 150);
    // Frame: 2540 / 96 hundredths of a millimetre per pixel, rounded: 1322.9, 793.75, 7937.5
    // and 3968.75.
    EXPECT_EQ(i32At(b, 24), 1323);
    EXPECT_EQ(i32At(b, 28), 794);
    EXPECT_EQ(i32At(b, 32), 7938);
    EXPECT_EQ(i32At(b, 36), 3969);
    EXPECT_EQ(u32At(b, 40), 0x464D4520u);  // " EMF"
    EXPECT_EQ(u32At(b, 44), 0x10000u);
    // Header 140, white brush 12, pen 28 + 12, font 332 + 12, origin, move, line 16 each,
    // rectangle 24, text 76 + 4 + 8 (two characters, two advances), end of file 20.
    EXPECT_EQ(u32At(b, 48), 716u);
    EXPECT_EQ(b.size(), 716u);
    EXPECT_EQ(u32At(b, 52), 12u);
    EXPECT_EQ(u16At(b, 56), 3u);  // the reserved slot, the pen and the font
    EXPECT_EQ(u16At(b, 58), 0u);
    EXPECT_EQ(u32At(b, 60), 16u);
    EXPECT_EQ(u32At(b, 64), 108u);
    EXPECT_EQ(utf16At(b, 108, 16), std::u16string(u"Meta File\0EMF \0\0", 16));
    EXPECT_EQ(u32At(b, 68), 0u);  // no palette
    // The reference device: 1920 x 1440 pixels of 96 dpi are 508 x 381 mm.
    EXPECT_EQ(i32At(b, 72), 1920);
    EXPECT_EQ(i32At(b, 76), 1440);
    EXPECT_EQ(i32At(b, 80), 508);
    EXPECT_EQ(i32At(b, 84), 381);
    EXPECT_EQ(u32At(b, 88), 0u);  // no pixel format
    EXPECT_EQ(u32At(b, 96), 0u);  // no OpenGL
    EXPECT_EQ(i32At(b, 100), 508000);
    EXPECT_EQ(i32At(b, 104), 381000);
}

TEST(EmfEncoder, RecordsFollowThePublishedLayouts) {
    const std::vector<std::uint8_t> b = smallDrawing();
    const std::vector<RecordAt> r = walk(b);
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {
        {kHeader, 140}, {kSelect, 12},    {kCreatePen, 28},      {kSelect, 12},
        {kFont, 332},   {kSelect, 12},    {kViewportOrigin, 16}, {kMoveTo, 16},
        {kLineTo, 16},  {kRectangle, 24}, {kText, 88},           {kEof, 20}};
    ASSERT_EQ(r.size(), expected.size());
    for (std::size_t i = 0; i < r.size(); ++i) {
        EXPECT_EQ(std::make_pair(r[i].type, r[i].size), expected[i]) << "record " << i;
        EXPECT_EQ(r[i].size % 4, 0u);
    }
    EXPECT_EQ(u32At(b, r[1].offset + 8), 0x80000000u);  // the stock white brush
    const std::size_t pen = r[2].offset;
    EXPECT_EQ(u32At(b, pen + 8), 1u);   // the first free slot
    EXPECT_EQ(u32At(b, pen + 12), 0u);  // solid
    EXPECT_EQ(u32At(b, pen + 24), 0u);  // black
    EXPECT_EQ(u32At(b, r[3].offset + 8), 1u);
    const std::size_t origin = r[6].offset;
    EXPECT_EQ(i32At(b, origin + 8), 100);
    EXPECT_EQ(i32At(b, origin + 12), 50);
    EXPECT_EQ(i32At(b, r[8].offset + 8), 200);
    EXPECT_EQ(i32At(b, r[8].offset + 12), 100);
    const std::size_t rect = r[9].offset;
    EXPECT_EQ((std::vector<int>{i32At(b, rect + 8), i32At(b, rect + 12), i32At(b, rect + 16),
                                i32At(b, rect + 20)}),
              (std::vector<int>{-50, -20, 50, 20}));
    const std::size_t eof = r[11].offset;
    EXPECT_EQ(u32At(b, eof + 8), 0u);
    EXPECT_EQ(u32At(b, eof + 12), 16u);
    EXPECT_EQ(u32At(b, eof + 16), 20u);
}

TEST(EmfEncoder, FontRecordCarriesALogFontWithItsFace) {
    EmfEncoder e;
    FontDescription f;
    f.height = -16;
    f.width = 7;
    f.escapement = f.orientation = 900;
    f.weight = 700;
    f.italic = f.strikeOut = true;
    f.charSet = 0;
    f.quality = 2;
    f.face = "Times New Roman";
    e.selectFont(f);
    f.face = std::string(40, 'x');  // longer than a face may be
    e.selectFont(f);
    const std::vector<std::uint8_t> b = e.metafile();
    const std::vector<RecordAt> r = walk(b);
    const std::size_t font = r[2].offset, logFont = font + 12;
    EXPECT_EQ(r[2].type, kFont);
    EXPECT_EQ(u32At(b, font + 8), 1u);
    EXPECT_EQ(i32At(b, logFont), -16);
    EXPECT_EQ(i32At(b, logFont + 4), 7);
    EXPECT_EQ(i32At(b, logFont + 8), 900);   // escapement
    EXPECT_EQ(i32At(b, logFont + 12), 900);  // orientation
    EXPECT_EQ(i32At(b, logFont + 16), 700);
    const std::vector<int> flags(b.begin() + static_cast<long>(logFont) + 20,
                                 b.begin() + static_cast<long>(logFont) + 28);
    EXPECT_EQ(flags, (std::vector<int>{1, 0, 1, 0, 0, 0, 2, 0x22}));
    EXPECT_EQ(utf16At(b, logFont + 28, 16), std::u16string(u"Times New Roman\0", 16));
    EXPECT_EQ(utf16At(b, logFont + 28 + 62, 1), std::u16string(1, u'\0'));
    // The long face keeps 31 characters and its closing zero.
    const std::size_t second = r[4].offset + 12;
    EXPECT_EQ(utf16At(b, second + 28, 32), std::u16string(31, u'x') + u'\0');
}

TEST(EmfEncoder, TextRecordHoldsUtf16AndTheEstimatedAdvances) {
    const std::vector<std::uint8_t> b = smallDrawing();
    const std::size_t t = walk(b)[10].offset;
    EXPECT_EQ(
        (std::vector<int>{i32At(b, t + 8), i32At(b, t + 12), i32At(b, t + 16), i32At(b, t + 20)}),
        (std::vector<int>{110, 60, 127, 79}));  // bounds on the device
    EXPECT_EQ(u32At(b, t + 24), 1u);            // recorded in the compatible mode
    EXPECT_FLOAT_EQ(std::bit_cast<float>(u32At(b, t + 28)), 2540.0f / 96.0f);
    EXPECT_FLOAT_EQ(std::bit_cast<float>(u32At(b, t + 32)), 2540.0f / 96.0f);
    EXPECT_EQ(i32At(b, t + 36), 10);  // the reference point, logical
    EXPECT_EQ(i32At(b, t + 40), 10);
    EXPECT_EQ(u32At(b, t + 44), 2u);   // characters
    EXPECT_EQ(u32At(b, t + 48), 76u);  // string offset
    EXPECT_EQ(u32At(b, t + 52), 0u);   // options
    EXPECT_EQ(i32At(b, t + 64), -1);   // an empty clipping rectangle
    EXPECT_EQ(u32At(b, t + 72), 80u);  // spacing array after the string
    EXPECT_EQ(utf16At(b, t + 76, 2), u"Hi");
    EXPECT_EQ(i32At(b, t + 80), 13);  // 722 and 278 thousandths of an 18-unit em
    EXPECT_EQ(i32At(b, t + 84), 5);
}

TEST(EmfEncoder, OddTextsArePaddedAndAdvancedModeLeavesTheScalesZero) {
    EmfEncoder e;
    e.setGraphicsMode(GraphicsMode::Advanced);
    e.textOut(0, 0, "\xc3\xa9t\xc3\xa9");  // "été": three UTF-16 units, padded to 8 bytes
    const std::vector<std::uint8_t> b = e.metafile();
    const std::vector<RecordAt> r = walk(b);
    EXPECT_EQ(r[2].type, kSetGraphicsMode);
    const std::size_t t = r[3].offset;
    EXPECT_EQ(r[3].size, 76u + 8u + 12u);
    EXPECT_EQ(u32At(b, t + 24), 2u);
    EXPECT_EQ(u32At(b, t + 28), 0u);
    EXPECT_EQ(u32At(b, t + 72), 84u);
    EXPECT_EQ(utf16At(b, t + 76, 4), std::u16string(u"\u00e9t\u00e9\0", 4));
}

TEST(EmfEncoder, BoundsFollowPenWidthsOriginsAndNullPens) {
    struct Case {
        const char* what;
        std::function<void(EmfEncoder&)> draw;
        std::optional<DeviceRect> bounds;
    };
    const Case cases[] = {
        {"nothing", [](EmfEncoder&) {}, std::nullopt},
        {"a line",
         [](EmfEncoder& e) {
             e.moveTo(5, 6);
             e.lineTo(-3, 9);
         },
         DeviceRect{-3, 6, 5, 9}},
        {"a wide pen",
         [](EmfEncoder& e) {
             e.selectPen({PenStyle::Solid, 3, kBlack});
             e.moveTo(10, 10);
             e.lineTo(20, 10);
         },
         DeviceRect{8, 8, 22, 12}},
        {"a null pen's line",
         [](EmfEncoder& e) {
             e.selectPen({PenStyle::Null, 2, kBlack});
             e.moveTo(10, 10);
             e.lineTo(20, 10);
         },
         std::nullopt},
        {"a null pen's rectangle still fills",
         [](EmfEncoder& e) {
             e.selectPen({PenStyle::Null, 2, kBlack});
             e.rectangle(0, 0, 640, 480);
         },
         DeviceRect{0, 0, 639, 479}},
        {"the origin moves what follows",
         [](EmfEncoder& e) {
             e.moveTo(0, 0);
             e.setViewportOrigin(10, 20);
             e.lineTo(5, 5);
         },
         DeviceRect{10, 20, 15, 25}},
        {"an empty rectangle", [](EmfEncoder& e) { e.rectangle(4, 4, 4, 9); }, std::nullopt},
    };
    for (const Case& c : cases) {
        EmfEncoder e;
        c.draw(e);
        EXPECT_EQ(e.bounds(), c.bounds) << c.what;
        const std::vector<std::uint8_t> b = e.metafile();
        const DeviceRect header{i32At(b, 8), i32At(b, 12), i32At(b, 16), i32At(b, 20)};
        EXPECT_EQ(header, c.bounds.value_or(DeviceRect{0, 0, -1, -1})) << c.what;
    }
}

TEST(EmfEncoder, HandlesDoNotAccumulateOverManyPensAndFonts) {
    EmfEncoder e;
    FontDescription f;
    f.face = "Times New Roman";
    for (int i = 0; i < 1000; ++i) {
        e.selectPen({PenStyle::Dot, i % 3, {static_cast<std::uint8_t>(i), 0, 0}});
        f.escapement = f.orientation = i % 2 * 900;
        e.selectFont(f);
    }
    const std::vector<std::uint8_t> b = e.metafile();
    // Old pen, new pen and font at one moment: three slots besides the reserved one.
    EXPECT_EQ(u16At(b, 56), 4u);
    std::map<std::uint32_t, int> count;
    std::map<std::uint32_t, int> alive;
    for (const RecordAt& r : walk(b)) {
        ++count[r.type];
        if (r.type == kCreatePen || r.type == kFont) ++alive[u32At(b, r.offset + 8)];
        if (r.type == kDelete) --alive[u32At(b, r.offset + 8)];
    }
    EXPECT_EQ(count[kCreatePen], 1000);
    EXPECT_EQ(count[kFont], 1000);
    EXPECT_EQ(count[kDelete], 1998);  // all but the last pen and the last font
    int stillAlive = 0;
    for (const auto& [slot, n] : alive) {
        EXPECT_GE(slot, 1u);
        EXPECT_LE(slot, 3u);
        stillAlive += n;
    }
    EXPECT_EQ(stillAlive, 2);
}

TEST(EmfEncoder, AlignmentAndModeRecordsCarryTheirValues) {
    EmfEncoder e;
    e.setTextAlign(TextAlign::RightTop);
    e.setGraphicsMode(GraphicsMode::Advanced);
    const std::vector<std::uint8_t> b = e.metafile();
    const std::vector<RecordAt> r = walk(b);
    EXPECT_EQ(r[2].type, kSetTextAlign);
    EXPECT_EQ(u32At(b, r[2].offset + 8), 2u);  // right, top
    EXPECT_EQ(r[3].type, kSetGraphicsMode);
    EXPECT_EQ(u32At(b, r[3].offset + 8), 2u);  // advanced
}

}  // namespace
}  // namespace qalix
