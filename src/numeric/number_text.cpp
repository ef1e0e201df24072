#include "numeric/number_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <optional>
#include <system_error>

// Everything here goes through std::to_chars / std::from_chars, which never consult the C or
// C++ locale: the decimal separator is always a point.

namespace qalix {

namespace {

// Integer digits of the largest finite double (about 1.8e308), plus sign and point.
constexpr std::size_t kFixedOverhead = 320;

// The smallest float magnitude that rounds to infinity: FLT_MAX plus half an ulp (the tie
// goes to infinity because FLT_MAX has an odd significand).
constexpr double kFloatOverflow = 0x1.ffffffp+127;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isExponentLetter(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}
bool endsFreeToken(char c) {
    return isBlank(c) || c == ',' || c == '/';
}

std::size_t clampWidth(int width) {
    return width > 0 ? static_cast<std::size_t>(width) : 0;
}

// The text right-justified in `width` characters, or `width` asterisks when it is longer.
std::string fitRight(std::string_view text, std::size_t width) {
    if (text.size() > width) return std::string(width, '*');
    std::string field(width - text.size(), ' ');
    field += text;
    return field;
}

std::string formatNonFinite(double value, std::size_t width) {
    if (std::isnan(value)) return fitRight("NaN", width);
    const bool negative = std::signbit(value);
    const std::string_view full = negative ? "-Infinity" : "Infinity";
    if (full.size() <= width) return fitRight(full, width);
    return fitRight(negative ? "-Inf" : "Inf", width);
}

// Takes digits starting at `pos` and moves `pos` past them.
std::string_view takeDigits(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return text.substr(start, pos - start);
}

// The pieces of [sign] digits [. digits] [exponent-letter [sign] digits], with at least one
// digit in the significand.
struct RealParts {
    bool negative = false;
    std::string_view whole;  // digits before the point
    bool hasPoint = false;
    std::string_view fraction;  // digits after the point
    bool hasExponent = false;
    bool negativeExponent = false;
    std::string_view exponent;  // digits of the exponent
};

std::optional<RealParts> splitReal(std::string_view text) {
    RealParts parts;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        parts.negative = text[pos] == '-';
        ++pos;
    }
    parts.whole = takeDigits(text, pos);
    if (pos < text.size() && text[pos] == '.') {
        parts.hasPoint = true;
        ++pos;
        parts.fraction = takeDigits(text, pos);
    }
    if (parts.whole.empty() && parts.fraction.empty()) return std::nullopt;
    if (pos < text.size() && isExponentLetter(text[pos])) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            parts.negativeExponent = text[pos] == '-';
            ++pos;
        }
        parts.exponent = takeDigits(text, pos);
        if (parts.exponent.empty()) return std::nullopt;
        parts.hasExponent = true;
    }
    if (pos != text.size()) return std::nullopt;
    return parts;
}

// The number in the form from_chars reads: [-]digits[.digits][e[-]digits]. Without a point in
// the original, the last `impliedDecimals` significand digits become the fraction (with
// leading zeros supplied when there are fewer digits).
std::string canonicalText(const RealParts& parts, std::size_t impliedDecimals) {
    std::string whole(parts.whole);
    std::string fraction(parts.fraction);
    if (!parts.hasPoint && impliedDecimals > 0) {
        if (whole.size() < impliedDecimals) whole.insert(0, impliedDecimals - whole.size(), '0');
        fraction = whole.substr(whole.size() - impliedDecimals);
        whole.resize(whole.size() - impliedDecimals);
    }
    std::string text;
    if (parts.negative) text += '-';
    text += whole.empty() ? std::string("0") : whole;
    if (!fraction.empty()) {
        text += '.';
        text += fraction;
    }
    if (parts.hasExponent) {
        text += 'e';
        if (parts.negativeExponent) text += '-';
        text += parts.exponent;
    }
    return text;
}

// Reads the whole canonical text; fails when the magnitude is outside the range of double
// (overflow to infinity or underflow to zero).
std::optional<double> parseCanonical(std::string_view text) {
    double result = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, result, std::chars_format::general);
    if (ec != std::errc{} || ptr != end) return std::nullopt;
    return result;
}

// A real number token, with implied decimals when it has no point.
ReadStatus readRealToken(std::string_view token, std::size_t impliedDecimals, double& value) {
    const auto parts = splitReal(token);
    if (!parts) return ReadStatus::Error;
    const auto result = parseCanonical(canonicalText(*parts, impliedDecimals));
    if (!result) return ReadStatus::Error;
    value = *result;
    return ReadStatus::Ok;
}

// The free-format number token of a text: after leading blanks, up to the first blank, comma
// or slash. None when the text is blank or starts with a comma or a slash.
std::optional<std::string_view> freeToken(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    if (start == text.size() || text[start] == ',' || text[start] == '/') return std::nullopt;
    std::size_t end = start;
    while (end < text.size() && !endsFreeToken(text[end]))
        ++end;
    return text.substr(start, end - start);
}

// The shortest text that reads back as the value (a double, or a float), with its point: a
// real always shows one, since fixed-field reads take a text without one in implied
// decimals, so "2" would come back as 0.00002 from an F9.5 field.
template <typename Real>
std::string shortestReal(Real value) {
    std::array<char, 32> buffer;  // the shortest form of a double needs at most 24
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), result.ptr);
    if (text.find('.') == std::string::npos)
        text.insert(std::min(text.find('e'), text.size()), ".0");
    return text;
}

}  // namespace

std::string formatF(double value, int width, int decimals) {
    const std::size_t w = clampWidth(width);
    const std::size_t d = decimals > 0 ? static_cast<std::size_t>(decimals) : 0;
    if (!std::isfinite(value)) return formatNonFinite(value, w);
    // The shortest possible field is ".ddd" (d > 0) or "n." (d = 0).
    if (std::max<std::size_t>(d + 1, 2) > w) return std::string(w, '*');

    std::string text(d + kFixedOverhead, '\0');
    char* const first = text.data();
    const auto result = std::to_chars(first, first + text.size(), value, std::chars_format::fixed,
                                      static_cast<int>(d));
    // Cannot fail: the buffer holds every integer digit of a double, the sign, point and d.
    text.resize(static_cast<std::size_t>(result.ptr - first));
    if (d == 0) text += '.';
    // "0.xxx" loses its zero when it does not fit; d = 0 keeps it, being the only digit.
    if (text.size() > w && d > 0) {
        const std::size_t zero = text[0] == '-' ? 1 : 0;
        if (text[zero] == '0' && text[zero + 1] == '.') text.erase(zero, 1);
    }
    return fitRight(text, w);
}

std::string formatI(long long value, int width) {
    return fitRight(formatFree(value), clampWidth(width));
}

std::string formatA(std::string_view text, int width) {
    const std::size_t w = clampWidth(width);
    if (text.size() >= w) return std::string(text.substr(0, w));
    return fitRight(text, w);
}

std::string formatFree(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    return shortestReal(value);
}

std::string formatFreeSingle(float value) {
    if (!std::isfinite(value)) return formatFree(static_cast<double>(value));
    return shortestReal(value);
}

std::string formatFree(long long value) {
    std::array<char, 24> buffer;  // 19 digits and a sign
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string trimmed(std::string_view text) {
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return std::string(text.substr(start, end - start));
}

ReadStatus readFree(std::string_view text, double& value) {
    const auto token = freeToken(text);
    if (!token) return ReadStatus::NoNumber;
    return readRealToken(*token, 0, value);
}

ReadStatus readFree(std::string_view text, float& value) {
    double wide = 0.0;
    const ReadStatus status = readFree(text, wide);
    if (status != ReadStatus::Ok) return status;
    if (std::fabs(wide) >= kFloatOverflow) return ReadStatus::Error;
    value = static_cast<float>(wide);
    return ReadStatus::Ok;
}

ReadStatus readFree(std::string_view text, int& value) {
    const auto token = freeToken(text);
    if (!token) return ReadStatus::NoNumber;
    // from_chars takes no '+', so it is given the text from the '-' or the first digit.
    std::string_view number = *token;  // not empty
    const bool plus = number.front() == '+';
    if (plus) number.remove_prefix(1);
    const bool minus = !plus && number.front() == '-';
    const std::string_view digits = number.substr(minus ? 1 : 0);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        return ReadStatus::Error;
    int result = 0;
    const char* end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, result);
    if (ec != std::errc{} || ptr != end) return ReadStatus::Error;  // out of int range
    value = result;
    return ReadStatus::Ok;
}

bool isNumberBeginning(std::string_view text) {
    const auto token = freeToken(text);
    if (!token) return false;
    const std::string_view t = *token;
    std::size_t pos = 0;
    const auto skipSign = [&] {
        if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) ++pos;
    };
    skipSign();
    std::size_t digits = takeDigits(t, pos).size();
    if (pos < t.size() && t[pos] == '.') {
        ++pos;
        digits += takeDigits(t, pos).size();
    }
    if (digits == 0) return pos == t.size();  // a sign, a point, or both
    if (pos == t.size() || !isExponentLetter(t[pos])) return false;
    ++pos;
    skipSign();
    return pos == t.size();  // an exponent without its digits
}

bool hasDecimalComma(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    while (pos < text.size() && !endsFreeToken(text[pos]))
        ++pos;
    return pos + 1 < text.size() && text[pos] == ',' && isDigit(text[pos + 1]);
}

ReadStatus readFixed(std::string_view text, int width, int decimals, double& value) {
    const std::string_view field = text.substr(0, std::min(text.size(), clampWidth(width)));
    std::string packed;
    std::copy_if(field.begin(), field.end(), std::back_inserter(packed),
                 [](char c) { return !isBlank(c); });
    if (packed.empty()) return ReadStatus::NoNumber;
    const std::size_t d = decimals > 0 ? static_cast<std::size_t>(decimals) : 0;
    return readRealToken(packed, d, value);
}

bool isOneNumber(std::string_view text) {
    const std::string number = trimmed(text);
    double value = 0.0;
    return !number.empty() && number.find_first_of(" \t,/") == std::string::npos &&
           readFree(number, value) == ReadStatus::Ok;
}

}  // namespace qalix
