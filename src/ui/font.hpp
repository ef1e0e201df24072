// A logical-font description: what the program asks of a font (height in logical units,
// rotation in tenths of a degree, weight, face...). The text window's font, the font dialog
// and the plots' font are each one of these.
#pragma once

#include <cstdint>
#include <string>

namespace qalix {

struct FontDescription {
    // Character sets, precisions and families as the font records of metafiles carry them.
    static constexpr std::uint8_t kDefaultCharSet = 1;
    static constexpr std::uint8_t kDefaultPrecision = 0;
    static constexpr std::uint8_t kDefaultQuality = 0;
    static constexpr std::uint8_t kFixedPitch = 1;
    static constexpr std::uint8_t kVariablePitch = 2;
    static constexpr std::uint8_t kModernFamily = 0x30;
    static constexpr std::uint8_t kSwissFamily = 0x20;
    static constexpr int kNormalWeight = 400;
    static constexpr int kBoldWeight = 700;

    int height = 0;       // logical units; 0 lets the device choose
    int width = 0;        // 0: the face's own proportions
    int escapement = 0;   // angle of the baseline, tenths of a degree
    int orientation = 0;  // angle of each character, tenths of a degree
    int weight = kNormalWeight;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = kDefaultCharSet;
    std::uint8_t outPrecision = kDefaultPrecision;
    std::uint8_t clipPrecision = kDefaultPrecision;
    std::uint8_t quality = kDefaultQuality;
    std::uint8_t pitchAndFamily = kVariablePitch | kSwissFamily;
    std::string face;

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

}  // namespace qalix
