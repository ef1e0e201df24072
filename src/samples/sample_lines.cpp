#include "samples/sample_lines.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "numeric/number_text.hpp"

namespace qalix {

namespace {

// Columns of the "Simu" line.
constexpr int kIndexWidth = 4;
constexpr std::string_view kGap = "    ";
constexpr int kDecimals = 5;
constexpr int kObservationWidth = 10;
constexpr int kTimeWidth = 8;
constexpr int kSdWidth = 8;
constexpr int kDeltaWidth = 8;
constexpr int kMuWidth = 9;

// Values each layout reads from a line.
constexpr std::size_t kSimuValues = 7;
constexpr std::size_t kObservValues = 3;
constexpr std::size_t kVarNameValues = 3;

// Well-formed UTF-8 as the Unicode standard tabulates it: by lead byte, the length of the
// character and the range of its second byte; further bytes lie in 80..BF.
struct Utf8Sequence {
    unsigned char firstLead, lastLead;
    std::size_t length;
    unsigned char low, high;
};
constexpr std::array<Utf8Sequence, 8> kUtf8Sequences = {{{0xc2, 0xdf, 2, 0x80, 0xbf},
                                                         {0xe0, 0xe0, 3, 0xa0, 0xbf},
                                                         {0xe1, 0xec, 3, 0x80, 0xbf},
                                                         {0xed, 0xed, 3, 0x80, 0x9f},
                                                         {0xee, 0xef, 3, 0x80, 0xbf},
                                                         {0xf0, 0xf0, 4, 0x90, 0xbf},
                                                         {0xf1, 0xf3, 4, 0x80, 0xbf},
                                                         {0xf4, 0xf4, 4, 0x80, 0x8f}}};
constexpr unsigned char kFirstNonAscii = 0x80;
constexpr unsigned char kLastContinuation = 0xbf;
// Control characters: below the blank, DEL, and U+0080..U+009F (C2 80..C2 9F).
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7f;
constexpr unsigned char kC1Lead = 0xc2;
constexpr unsigned char kLastC1 = 0x9f;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool endsValue(char c) {
    return isBlank(c) || c == ',' || c == '/';
}

struct Value {
    std::string text;
    bool quoted = false;
};

// A text value that opens with a quote at line[i]: up to the matching quote, a doubled
// quote standing for one. Nothing when the quote is not closed or is followed by more than
// a separator.
std::optional<Value> quotedValue(std::string_view line, std::size_t& i) {
    const char quote = line[i++];
    Value value{{}, true};
    while (i < line.size()) {
        if (line[i] != quote) {
            value.text += line[i++];
        } else if (i + 1 < line.size() && line[i + 1] == quote) {
            value.text += quote;
            i += 2;
        } else {
            ++i;
            if (i < line.size() && !endsValue(line[i])) return std::nullopt;
            return value;
        }
    }
    return std::nullopt;
}

// The values of a free-format line: blanks or one comma between values, two commas in a
// row around an empty value, a slash ending them. Nothing when a quote is not closed.
std::optional<std::vector<Value>> splitValues(std::string_view line) {
    std::vector<Value> values;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < line.size() && isBlank(line[i]))
            ++i;
    };
    for (;;) {
        skipBlanks();
        if (i == line.size() || line[i] == '/') break;
        if (line[i] == ',') {
            values.emplace_back();
            ++i;
            continue;
        }
        if (line[i] == '\'' || line[i] == '"') {
            auto value = quotedValue(line, i);
            if (!value) return std::nullopt;
            values.push_back(std::move(*value));
        } else {
            const std::size_t start = i;
            while (i < line.size() && !endsValue(line[i]))
                ++i;
            values.push_back({std::string(line.substr(start, i - start)), false});
        }
        skipBlanks();
        if (i < line.size() && line[i] == ',') ++i;
    }
    return values;
}

bool isBlankLine(std::string_view line) {
    for (char c : line) {
        if (!isBlank(c)) return false;
    }
    return true;
}

// The values of a line that needs `count` of them, or nothing.
std::optional<std::vector<Value>> lineValues(std::string_view line, std::size_t count) {
    auto values = splitValues(line);
    if (!values || values->size() < count) return std::nullopt;
    return values;
}

template <typename T>
bool number(const Value& value, T& target) {
    return !value.quoted && readFree(value.text, target) == ReadStatus::Ok;
}

// Length of the well-formed UTF-8 character at text[i], or 0.
std::size_t characterLength(std::string_view text, std::size_t i) {
    const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < kFirstNonAscii) return 1;
    for (const Utf8Sequence& s : kUtf8Sequences) {
        if (lead < s.firstLead || lead > s.lastLead) continue;
        if (i + s.length > text.size() || byte(i + 1) < s.low || byte(i + 1) > s.high) return 0;
        for (std::size_t k = 2; k < s.length; ++k) {
            if (byte(i + k) < kFirstNonAscii || byte(i + k) > kLastContinuation) return 0;
        }
        return s.length;
    }
    return 0;
}

bool isControl(std::string_view text, std::size_t i, std::size_t length) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (length == 1) return lead < kFirstPrintable || lead == kDelete;
    return length == 2 && lead == kC1Lead && static_cast<unsigned char>(text[i + 1]) <= kLastC1;
}

// An empty value between two commas is no name; an empty quoted one is.
bool isName(const Value& value) {
    return (value.quoted || !value.text.empty()) && isPrintableUtf8(value.text);
}

}  // namespace

std::string simuLine(const SimuValues& v) {
    std::string line = formatI(v.set, kIndexWidth);
    line += kGap;
    line += formatI(v.observation, kIndexWidth);
    line += kGap;
    line += formatF(v.x, kObservationWidth, kDecimals);
    line += kGap;
    line += formatF(v.time, kTimeWidth, kDecimals);
    line += kGap;
    line += formatF(v.sd, kSdWidth, kDecimals);
    line += kGap;
    line += formatF(v.delta, kDeltaWidth, kDecimals);
    line += kGap;
    line += formatF(v.mu, kMuWidth, kDecimals);
    return line;
}

LineRead readSimuLine(std::string_view line, SimuValues& out) {
    if (isBlankLine(line)) return LineRead::Blank;
    const auto v = lineValues(line, kSimuValues);
    SimuValues read;
    if (!v || !number((*v)[0], read.set) || !number((*v)[1], read.observation) ||
        !number((*v)[2], read.x) || !number((*v)[3], read.time) || !number((*v)[4], read.sd) ||
        !number((*v)[5], read.delta) || !number((*v)[6], read.mu)) {
        return LineRead::Unreadable;
    }
    out = read;
    return LineRead::Values;
}

LineRead readObservLine(std::string_view line, ObservValues& out) {
    if (isBlankLine(line)) return LineRead::Blank;
    const auto v = lineValues(line, kObservValues);
    ObservValues read;
    if (!v || !number((*v)[0], read.record) || !number((*v)[1], read.observation) ||
        !number((*v)[2], read.x)) {
        return LineRead::Unreadable;
    }
    out = read;
    return LineRead::Values;
}

LineRead readVarNameLine(std::string_view line, VarNameValues& out) {
    if (isBlankLine(line)) return LineRead::Blank;
    const auto v = lineValues(line, kVarNameValues);
    VarNameValues read;
    if (!v || !number((*v)[0], read.record) || !isName((*v)[1]) || !number((*v)[2], read.sd)) {
        return LineRead::Unreadable;
    }
    read.name = utf8Prefix((*v)[1].text, kVarNameBytes);
    out = std::move(read);
    return LineRead::Values;
}

std::string_view utf8Prefix(std::string_view text, std::size_t bytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t length = std::max<std::size_t>(characterLength(text, end), 1);
        if (end + length > bytes) break;
        end += length;
    }
    return text.substr(0, end);
}

bool isPrintableUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = characterLength(text, i);
        if (length == 0 || isControl(text, i, length)) return false;
        i += length;
    }
    return true;
}

}  // namespace qalix
