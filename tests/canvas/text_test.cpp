// Texts on their way into metafiles: UTF-8 to UTF-16 and back, and the advances and boxes
// estimated from the font, worked out by hand from the advance widths of the default face.
#include <gtest/gtest.h>

#include "canvas/text_extent.hpp"
#include "canvas/utf16.hpp"

namespace qalix {
namespace {

TEST(Utf16, ConvertsEveryPlaneBothWays) {
    const std::string text = "a\xc3\xa9\xe2\x82\xac\xf0\x9d\x9b\xbc";  // a é € 𝛼
    const std::u16string units = u"a\u00e9\u20ac\U0001D6FC";
    EXPECT_EQ(utf8ToUtf16(text), units);
    EXPECT_EQ(units.size(), 5u);  // the last character is a surrogate pair
    EXPECT_EQ(utf16ToUtf8(units), text);
}

TEST(Utf16, MalformedInputBecomesReplacementCharacters) {
    struct Case {
        std::string utf8;
        std::u16string expected;
    };
    const Case cases[] = {
        {"a\xff"
         "b",
         u"a\uFFFDb"},        // not a lead byte
        {"\xc3", u"\uFFFD"},  // cut short
        {"\xc3"
         "a",
         u"\uFFFDa"},                     // a continuation missing: the next byte kept
        {"\xc0\xaf", u"\uFFFD"},          // overlong
        {"\xed\xa0\x80", u"\uFFFD"},      // an encoded surrogate
        {"\xf4\x90\x80\x80", u"\uFFFD"},  // beyond U+10FFFF
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8ToUtf16(c.utf8), c.expected) << c.utf8;
    EXPECT_EQ(utf16ToUtf8(std::u16string{u'x', char16_t{0xD800}}), "x\xef\xbf\xbd");
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t{0xDC00}, u'y'}), "\xef\xbf\xbdy");
}

FontDescription fontOf(int height) {
    FontDescription f;
    f.height = height;
    f.face = "Times New Roman";
    return f;
}

TEST(TextExtent, AdvancesFollowTheDefaultFaceInThousandthsOfAnEm) {
    // A negative height is the em itself: 1000 units make the table's thousandths whole.
    EXPECT_EQ(estimatedAdvances(fontOf(-1000), u"Ti W."),
              (std::vector<int>{611, 278, 250, 944, 250}));
    // A positive height is the cell, 0.9 of which is the em: "Hi" at 20 is 12.996 + 5.004.
    EXPECT_EQ(estimatedAdvances(fontOf(20), u"Hi"), (std::vector<int>{13, 5}));
    // Running sums are rounded, not each advance: 2.78, 5.56, 8.34 place at 3, 6, 8.
    EXPECT_EQ(estimatedAdvances(fontOf(-10), u"iii"), (std::vector<int>{3, 3, 2}));
    // Height 0 is the device's default cell of 16: 'm' is 0.778 of 14.4.
    EXPECT_EQ(estimatedAdvances(fontOf(0), u"m"), std::vector<int>{11});
    // Characters outside the table take half an em; a surrogate pair advances once.
    EXPECT_EQ(estimatedAdvances(fontOf(-100), u"\u00e9\U0001D6FC"), (std::vector<int>{50, 50, 0}));
}

TEST(TextExtent, FixedPitchAndAskedWidthsChangeTheAdvances) {
    FontDescription fixed = fontOf(-100);
    fixed.pitchAndFamily = 0x31;  // fixed pitch, modern family
    EXPECT_EQ(estimatedAdvances(fixed, u"iW"), (std::vector<int>{60, 60}));
    FontDescription narrow = fontOf(-100);
    narrow.width = 20;  // an average character of 20 is an em of 50 along the baseline
    EXPECT_EQ(estimatedAdvances(narrow, u"ab"), (std::vector<int>{22, 25}));
}

TEST(TextExtent, BoxesTurnWithTheEscapementAndFollowTheAlignment) {
    struct Case {
        int escapement;
        TextAlign align;
        DeviceRect box;
    };
    // "Hi" at height 20 is 18 units long and 20 high, its reference point at (110, 60).
    const Case cases[] = {
        {0, TextAlign::LeftTop, {110, 60, 127, 79}},
        {0, TextAlign::RightTop, {92, 60, 109, 79}},
        {900, TextAlign::LeftTop, {110, 42, 129, 59}},  // runs upward, characters to the right
        {900, TextAlign::RightTop, {110, 60, 129, 77}},
        {1800, TextAlign::LeftTop, {92, 40, 109, 59}},  // upside down, leftward
    };
    for (const Case& c : cases) {
        FontDescription f = fontOf(20);
        f.escapement = c.escapement;
        const TextBox box = estimatedTextBox(f, c.align, 110, 60, {13, 5});
        EXPECT_FALSE(box.empty);
        EXPECT_EQ(box.box, c.box) << c.escapement << ' ' << static_cast<int>(c.align);
    }
    EXPECT_TRUE(estimatedTextBox(fontOf(20), TextAlign::LeftTop, 0, 0, {}).empty);
}

}  // namespace
}  // namespace qalix
