#include "random/hostile_texts.hpp"

#include <array>
#include <cstdio>
#include <string_view>

namespace qalix::testing {

namespace {

using namespace std::string_view_literals;

// Texts no number field can take, or only just: each names a way an entry goes wrong.
const std::array kHostile = {
    // sizes and signs
    "0"sv, "-0"sv, "+5"sv, "-1"sv, "1e308"sv, "1e309"sv, "-1e308"sv, "1e-308"sv, "4.9e-324"sv,
    "1e-400"sv, "2147483647"sv, "2147483648"sv, "-2147483649"sv, "99999"sv, "100000"sv, "1e10"sv,
    "3.4e38"sv, "3.5e38"sv, "1.5d-3"sv, "1D2"sv, "0.0000001"sv, "16"sv, "17"sv, "1"sv, "0.5"sv,
    "0.9999999"sv, "1.0000001"sv,
    // partial numbers
    "-"sv, "+"sv, "."sv, "-."sv, "1e"sv, "1e+"sv, "e5"sv, ".e1"sv, "1.2.3"sv, "--1"sv, "5."sv,
    ".5"sv,
    // decimal commas, separators
    "0,05"sv, "1,5"sv, ",5"sv, "1,000"sv, "5,"sv, "5/"sv, "/5"sv, "5 6"sv, " 5 "sv, "5/2"sv,
    // blanks and letters
    ""sv, " "sv, "   "sv, "\t"sv, "abc"sv, "x"sv, "mu"sv, "O.5"sv, "l0"sv,
    // control characters
    "\n"sv, "5\n"sv, "\r\n5"sv, "\x01"sv, "5\x7f"sv, "\x1b[2J"sv, "\b5"sv,
    // UTF-8 and broken UTF-8
    "\xef\xbc\x90\xef\xbc\x8e\xef\xbc\x95"sv, "\xc2\xbd"sv, "\xd9\xa3"sv, "\xcf\x80"sv,
    "\xf0\x9d\x9f\x93"sv,
    "0\xc2\xb7"
    "5"sv,
    "\xff\xfe"sv, "\xc3"sv, "5\xe2\x80\x8b"sv,
    // NUL bytes
    "5\0"
    "7"sv,
    "\0"sv,
    "0.\0"
    "5"sv,
    // words for numbers no field shows
    "nan"sv, "NaN"sv, "-nan"sv, "inf"sv, "-inf"sv, "Infinity"sv, "-Infinity"sv, "0x10"sv, "0b1"sv,
    "1_000"sv, "%d"sv, "%s%s%s"sv, "'"sv, "\""sv, "\\"sv};

std::size_t below(std::mt19937_64& random, std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
}

bool chance(std::mt19937_64& random, double p) {
    return std::bernoulli_distribution(p)(random);
}

std::string withDecimals(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// A number a statistician would type: a level, a mean, a size.
std::string plausibleNumber(std::mt19937_64& random) {
    const int decimals = static_cast<int>(below(random, 5));
    switch (below(random, 4)) {
        case 0:
            return withDecimals(std::uniform_real_distribution<double>(0.0, 1.0)(random),
                                decimals + 1);
        case 1:
            return withDecimals(std::uniform_real_distribution<double>(-3.0, 5.0)(random),
                                decimals);
        case 2:
            return std::to_string(1 + below(random, 600));
        default:
            return std::to_string(2 + below(random, 16));
    }
}

std::string longText(std::mt19937_64& random) {
    switch (below(random, 4)) {
        case 0:
            return std::string(1 + below(random, 400), '9');
        case 1:
            return "0." + std::string(below(random, 400), '0') + "1";
        case 2:
            return std::string(10000, 'x');
        default:
            return "1" + std::string(below(random, 40), '0') + ".5";
    }
}

std::string oneHostile(std::mt19937_64& random) {
    if (chance(random, 0.1)) return longText(random);
    return std::string(kHostile[below(random, kHostile.size())]);
}

std::string hostileText(std::mt19937_64& random) {
    std::string text = oneHostile(random);
    if (chance(random, 0.15)) text += oneHostile(random);
    if (chance(random, 0.1)) text = plausibleNumber(random) + oneHostile(random);
    return text;
}

// A value of a sample line: mostly a plausible number, sometimes a hostile text.
std::string lineValue(std::mt19937_64& random) {
    if (chance(random, 0.05)) return hostileText(random);
    return plausibleNumber(random);
}

std::string sampleLine(std::mt19937_64& random, int layout, int record, int observation) {
    const std::string r = chance(random, 0.03) ? lineValue(random) : std::to_string(record);
    const std::string j = chance(random, 0.03) ? lineValue(random) : std::to_string(observation);
    switch (layout) {
        case 0:  // Simu: set, observation, X, t, sigma, delta, mu
            return r + " " + j + " " + lineValue(random) + " " + lineValue(random) + " " +
                   lineValue(random) + " " + lineValue(random) + " " + lineValue(random);
        case 1:  // Observ: record, observation, X
            return r + " " + j + " " + lineValue(random);
        default: {  // VarName: record, name, SD
            const std::array names = {"\"Heart rate\""sv, "weight"sv,         "'a, b'"sv,
                                      "\"\""sv,           "\"unterminated"sv, "\xc3\xa9t\xc3\xa9"sv,
                                      "x\x01y"sv};
            return r + " " + std::string(names[below(random, names.size())]) + " " +
                   lineValue(random);
        }
    }
}

std::string randomBytes(std::mt19937_64& random) {
    std::string bytes(below(random, 2000), '\0');
    for (char& c : bytes)
        c = static_cast<char>(below(random, 256));
    return bytes;
}

}  // namespace

std::string typedText(std::mt19937_64& random, const std::vector<std::string>& items) {
    if (!items.empty() && chance(random, 0.25)) return items[below(random, items.size())];
    if (chance(random, 0.3)) return plausibleNumber(random);
    return hostileText(random);
}

std::string sampleFileText(std::mt19937_64& random) {
    if (chance(random, 0.05)) return randomBytes(random);
    const int layout = static_cast<int>(below(random, 3));
    const int records = 1 + static_cast<int>(below(random, chance(random, 0.1) ? 120 : 6));
    std::string text = chance(random, 0.05) ? "\xef\xbb\xbf" : "";
    const std::string end = chance(random, 0.1) ? "\r\n" : "\n";
    for (int record = 1; record <= records; ++record) {
        const int size = layout == 2 ? 1 : 1 + static_cast<int>(below(random, 40));
        for (int j = 1; j <= size; ++j) {
            text += sampleLine(random, layout, record, j) + end;
            if (chance(random, 0.02)) text += end;
        }
    }
    return text;
}

std::string textWindowText(std::mt19937_64& random) {
    if (chance(random, 0.5)) return sampleFileText(random);
    std::string text;
    for (std::size_t i = below(random, 5); i > 0; --i)
        text += hostileText(random) + "\n";
    return text;
}

std::string printable(const std::string& text) {
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c >= 0x7f || c == '"' || c == '\\') {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += "\"";
    if (text.size() > kShown) out += " (" + std::to_string(text.size()) + " bytes)";
    return out;
}

}  // namespace qalix::testing
