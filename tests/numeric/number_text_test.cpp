#include "numeric/number_text.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace qalix {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kSentinel = 42.0;

// ---- formatF -------------------------------------------------------------------------------

struct FCase {
    double value;
    int width;
    int decimals;
    const char* expected;
};

TEST(NumberTextFormatF, Table) {
    const std::vector<FCase> cases = {
        // rounding of the exact binary value, ties to even
        {0.0625, 5, 3, "0.062"},
        {0.125, 4, 2, "0.12"},
        {0.375, 4, 2, "0.38"},
        {2.675, 4, 2, "2.67"},  // binary value just below 2.675
        {1.005, 4, 2, "1.00"},  // binary value just below 1.005
        {2.5, 2, 0, "2."},
        {3.5, 3, 0, " 4."},
        {0.999, 4, 2, "1.00"},
        {1.0 / 3.0, 8, 5, " 0.33333"},
        {-1234.5678, 9, 2, " -1234.57"},
        {12.345, 8, 5, "12.34500"},
        {0.05, 5, 3, "0.050"},
        {0.1, 8, 5, " 0.10000"},
        // zero before the point only when there is room
        {0.5, 4, 3, ".500"},
        {0.5, 5, 3, "0.500"},
        {0.5, 6, 3, " 0.500"},
        {-0.5, 4, 3, "****"},  // "-.500" needs five characters
        {-0.5, 5, 3, "-.500"},
        {-0.5, 6, 3, "-0.500"},
        {0.9994, 4, 3, ".999"},
        {0.0, 4, 3, ".000"},
        {0.0, 5, 3, "0.000"},
        // d = 0: the point follows the digits
        {3.0, 5, 0, "   3."},
        {25.0, 5, 0, "  25."},
        {0.3, 2, 0, "0."},
        {-0.3, 3, 0, "-0."},
        {0.0, 1, 0, "*"},
        // negative values rounding to zero keep the sign
        {-0.0001, 6, 3, "-0.000"},
        {-0.0001, 5, 3, "-.000"},
        {-0.0, 6, 3, "-0.000"},
        // too wide: asterisks
        {0.5, 3, 3, "***"},
        {-0.5, 4, 4, "****"},
        {1.0, 4, 3, "****"},
        {0.9999, 4, 3, "****"},
        {999999.994, 9, 2, "999999.99"},
        {1e6, 9, 2, "*********"},
        {1e7, 9, 2, "*********"},
        {12345678.9, 9, 2, "*********"},
        {1e300, 10, 2, "**********"},
        {1.0, 10, 20, "**********"},
        {-5.0, 2, 0, "**"},
        // degenerate width and decimals
        {1.0, 0, 2, ""},
        {1.0, -3, 2, ""},
        {1.0, 3, -1, " 1."},
        // non-finite
        {kInf, 8, 3, "Infinity"},
        {kInf, 9, 3, " Infinity"},
        {kInf, 7, 3, "    Inf"},
        {kInf, 3, 3, "Inf"},
        {kInf, 2, 3, "**"},
        {-kInf, 9, 3, "-Infinity"},
        {-kInf, 8, 3, "    -Inf"},
        {-kInf, 4, 3, "-Inf"},
        {-kInf, 3, 3, "***"},
        {kNaN, 3, 3, "NaN"},
        {kNaN, 5, 3, "  NaN"},
        {kNaN, 2, 3, "**"},
        {kInf, 12, 40, "    Infinity"},
    };
    for (const FCase& c : cases) {
        EXPECT_EQ(formatF(c.value, c.width, c.decimals), c.expected)
            << "value " << c.value << " F" << c.width << "." << c.decimals;
    }
}

TEST(NumberTextFormatF, LargestDoubleInWideField) {
    const std::string text = formatF(std::numeric_limits<double>::max(), 400, 2);
    ASSERT_EQ(text.size(), 400u);
    EXPECT_EQ(text.substr(text.size() - 3), ".00");
    EXPECT_EQ(text.find('*'), std::string::npos);
    EXPECT_EQ(text.find_first_not_of(' '), 400u - 312u);  // 309 digits, point, 2 decimals
}

TEST(NumberTextFormatF, AlwaysExactlyWidthCharacters) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> exponent(-12.0, 12.0);
    for (int i = 0; i < 2000; ++i) {
        const double value = std::pow(10.0, exponent(rng)) * (i % 2 == 0 ? 1.0 : -1.0);
        const int width = static_cast<int>(rng() % 16);
        const int decimals = static_cast<int>(rng() % 8);
        EXPECT_EQ(formatF(value, width, decimals).size(), static_cast<std::size_t>(width));
    }
}

// ---- formatI, formatA ---------------------------------------------------------------------

struct ICase {
    long long value;
    int width;
    const char* expected;
};

TEST(NumberTextFormatI, Table) {
    const std::vector<ICase> cases = {
        {5, 3, "  5"},
        {300, 3, "300"},
        {1000, 3, "***"},
        {-12, 3, "-12"},
        {-123, 3, "***"},
        {0, 1, "0"},
        {42, 5, "   42"},
        {std::numeric_limits<long long>::min(), 20, "-9223372036854775808"},
        {std::numeric_limits<long long>::max(), 5, "*****"},
        {7, 0, ""},
        {7, -1, ""},
    };
    for (const ICase& c : cases) {
        EXPECT_EQ(formatI(c.value, c.width), c.expected) << c.value << " I" << c.width;
    }
}

struct ACase {
    const char* text;
    int width;
    const char* expected;
};

TEST(NumberTextFormatA, Table) {
    const std::vector<ACase> cases = {
        {"abc", 5, "  abc"}, {"abc", 3, "abc"}, {"abcdef", 3, "abc"}, {"", 2, "  "},
        {"abc", 0, ""},      {"abc", -2, ""},   {" a ", 4, "  a "},   {"brownian", 8, "brownian"},
    };
    for (const ACase& c : cases) {
        EXPECT_EQ(formatA(c.text, c.width), c.expected) << '"' << c.text << "\" A" << c.width;
    }
}

// ---- formatFree, trimmed ------------------------------------------------------------------

TEST(NumberTextFormatFree, Examples) {
    EXPECT_EQ(formatFree(0.25), "0.25");
    EXPECT_EQ(formatFree(300.0), "300.0");
    EXPECT_EQ(formatFree(2.9526), "2.9526");
    EXPECT_EQ(formatFree(-0.5), "-0.5");
    EXPECT_EQ(formatFree(0.1), "0.1");
    EXPECT_EQ(formatFree(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(formatFree(1e-7), "1.0e-07");
    EXPECT_EQ(formatFree(1e20), "1.0e+20");
    EXPECT_EQ(formatFree(0.0), "0.0");
    EXPECT_EQ(formatFree(-0.0), "-0.0");
    EXPECT_EQ(formatFree(2.0), "2.0");  // read back through F9.5 it must stay 2, not 0.00002
    EXPECT_EQ(formatFree(1.5e20), "1.5e+20");
    EXPECT_EQ(formatFree(kInf), "Infinity");
    EXPECT_EQ(formatFree(-kInf), "-Infinity");
    EXPECT_EQ(formatFree(kNaN), "NaN");

    EXPECT_EQ(formatFree(300LL), "300");
    EXPECT_EQ(formatFree(-42LL), "-42");
    EXPECT_EQ(formatFree(0LL), "0");
    EXPECT_EQ(formatFree(std::numeric_limits<long long>::min()), "-9223372036854775808");
}

void expectRoundTrip(double x) {
    const std::string text = formatFree(x);
    EXPECT_EQ(text.find_first_of(" \t"), std::string::npos) << text;
    double back = kSentinel;
    ASSERT_EQ(readFree(text, back), ReadStatus::Ok) << text;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(x))
        << text << " read back as " << back;
}

TEST(NumberTextFormatFree, RoundTripSpecialValues) {
    const double specials[] = {0.0,
                               -0.0,
                               1.0,
                               -1.0,
                               0.1,
                               2.9526,
                               1e-7,
                               123456789012345678.0,
                               std::numeric_limits<double>::max(),
                               -std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::denorm_min(),
                               -std::numeric_limits<double>::denorm_min(),
                               std::nextafter(1.0, 2.0),
                               std::nextafter(1.0, 0.0)};
    for (double x : specials)
        expectRoundTrip(x);
}

TEST(NumberTextFormatFree, RoundTripRandomDoubles) {
    std::mt19937_64 rng(20240613);
    // Every bit pattern: tiny (subnormal), huge, negative, all alike.
    for (int i = 0; i < 20000; ++i) {
        const double x = std::bit_cast<double>(rng());
        if (std::isfinite(x)) expectRoundTrip(x);
    }
    // Values of ordinary size.
    std::uniform_real_distribution<double> uniform(-10.0, 10.0);
    for (int i = 0; i < 5000; ++i)
        expectRoundTrip(uniform(rng));
    // Subnormals and the largest magnitudes.
    for (int i = 0; i < 2000; ++i) {
        const std::uint64_t fraction = rng() & ((std::uint64_t{1} << 52) - 1);
        expectRoundTrip(std::bit_cast<double>(fraction));  // subnormal
        expectRoundTrip(-std::bit_cast<double>(fraction | (std::uint64_t{0x7FE} << 52)));  // huge
    }
}

TEST(NumberTextFormatFree, RoundTripFloatsThroughFloatRead) {
    std::mt19937 rng(99);
    for (int i = 0; i < 20000; ++i) {
        const float x = std::bit_cast<float>(static_cast<std::uint32_t>(rng()));
        if (!std::isfinite(x)) continue;
        float back = 42.0f;
        ASSERT_EQ(readFree(formatFree(static_cast<double>(x)), back), ReadStatus::Ok);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(x));
    }
}

// The panel shows alpha, a float, in these digits after a refused entry: the fewest that
// read back as the same float ("0.05", not the double's 0.05000000074505806).
TEST(NumberTextFormatFree, SingleShortestRoundTripsThroughFloatRead) {
    EXPECT_EQ(formatFreeSingle(0.05f), "0.05");
    EXPECT_EQ(formatFreeSingle(0.0f), "0.0");
    EXPECT_EQ(formatFreeSingle(2.0f), "2.0");
    EXPECT_EQ(formatFreeSingle(1e-7f), "1.0e-07");
    float back = 0.0f;
    ASSERT_EQ(readFree(formatFreeSingle(0.0125f), back), ReadStatus::Ok);
    EXPECT_EQ(back, 0.0125f);
}

TEST(NumberTextTrimmed, Table) {
    EXPECT_EQ(trimmed("  1.000"), "1.000");
    EXPECT_EQ(trimmed("1.000  "), "1.000");
    EXPECT_EQ(trimmed(" \t 2 5 \t"), "2 5");
    EXPECT_EQ(trimmed("    "), "");
    EXPECT_EQ(trimmed(""), "");
    EXPECT_EQ(trimmed("*********"), "*********");
    EXPECT_EQ(trimmed(formatF(1.0, 5, 3)), "1.000");
    EXPECT_EQ(trimmed(formatF(0.5, 9, 3)), "0.500");
}

// ---- readFree -----------------------------------------------------------------------------

struct ReadCase {
    const char* text;
    double expected;
};

TEST(NumberTextReadFree, ValidReals) {
    const std::vector<ReadCase> cases = {
        {"0.05", 0.05},
        {"  1.5  ", 1.5},
        {"\t7\t", 7.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"5", 5.0},
        {"-.5", -0.5},
        {"+2.5", 2.5},
        {"-2.5", -2.5},
        {"1.5d-3", 1.5e-3},
        {"1.5D+3", 1500.0},
        {"2E2", 200.0},
        {"2e-0", 2.0},
        {"007.50", 7.5},
        {"1,5", 1.0},
        {"0,5", 0.0},
        {"1.5 abc", 1.5},
        {"3/", 3.0},
        {"3 / 4", 3.0},
        {"  2.9526,1", 2.9526},
        {"0.1000000000000000055511151231257827021181583404541015625", 0.1},
        {"1e-310", 1e-310},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"0e999999999999999999", 0.0},
    };
    for (const ReadCase& c : cases) {
        double value = kSentinel;
        EXPECT_EQ(readFree(c.text, value), ReadStatus::Ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
    }
    double zero = kSentinel;
    ASSERT_EQ(readFree("-0", zero), ReadStatus::Ok);
    EXPECT_TRUE(zero == 0.0 && std::signbit(zero));
}

TEST(NumberTextReadFree, InvalidRealsLeaveValue) {
    const char* cases[] = {"abc",    "1.2.3", "--1",      "+-1",   "1e",      "1e+",   "0x10",
                           "inf",    "nan",   "Infinity", "NaN",   "+",       "-",     ".",
                           "e5",     "1.5x",  "1..2",     "1e5.5", "1.5e3e2", "1e400", "-1e400",
                           "1e-400", "5%",    "1.5\n",    "١"};
    for (const char* text : cases) {
        double value = kSentinel;
        EXPECT_EQ(readFree(text, value), ReadStatus::Error) << '"' << text << '"';
        EXPECT_EQ(value, kSentinel) << '"' << text << '"';
    }
}

TEST(NumberTextReadFree, NoNumberLeavesValue) {
    const char* cases[] = {"", "   ", "\t", ",5", " ,", "/", " / 3", ",,"};
    for (const char* text : cases) {
        double value = kSentinel;
        EXPECT_EQ(readFree(text, value), ReadStatus::NoNumber) << '"' << text << '"';
        EXPECT_EQ(value, kSentinel);
        float f = 42.0f;
        EXPECT_EQ(readFree(text, f), ReadStatus::NoNumber) << '"' << text << '"';
        EXPECT_EQ(f, 42.0f);
        int i = 42;
        EXPECT_EQ(readFree(text, i), ReadStatus::NoNumber) << '"' << text << '"';
        EXPECT_EQ(i, 42);
    }
}

TEST(NumberTextReadFree, Float) {
    float value = 42.0f;
    ASSERT_EQ(readFree("0.05", value), ReadStatus::Ok);
    EXPECT_EQ(value, 0.05f);
    ASSERT_EQ(readFree(" 0.499999 ", value), ReadStatus::Ok);
    EXPECT_EQ(value, 0.499999f);
    ASSERT_EQ(readFree("3.4028235e38", value), ReadStatus::Ok);
    EXPECT_EQ(value, std::numeric_limits<float>::max());
    ASSERT_EQ(readFree("1e-50", value), ReadStatus::Ok);  // rounds to zero, as a float store does
    EXPECT_EQ(value, 0.0f);

    value = 42.0f;
    EXPECT_EQ(readFree("3.40282357e38", value), ReadStatus::Error);  // rounds to infinity
    EXPECT_EQ(readFree("1e39", value), ReadStatus::Error);
    EXPECT_EQ(readFree("-1e39", value), ReadStatus::Error);
    EXPECT_EQ(readFree("abc", value), ReadStatus::Error);
    EXPECT_EQ(value, 42.0f);
}

TEST(NumberTextReadFree, Int) {
    struct IntCase {
        const char* text;
        int expected;
    };
    const std::vector<IntCase> valid = {
        {"4", 4},
        {"4 ", 4},
        {" -12 ", -12},
        {"+7", 7},
        {"4,5", 4},
        {"0", 0},
        {"-0", 0},
        {"300", 300},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"  16/", 16},
    };
    for (const IntCase& c : valid) {
        int value = 42;
        EXPECT_EQ(readFree(c.text, value), ReadStatus::Ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.expected) << '"' << c.text << '"';
    }
    const char* invalid[] = {"4.0",         "4.",   ".4", "4e2", "2147483648",
                             "-2147483649", "abc",  "+",  "-",   "+-4",
                             "--4",         "0x10", "4a", "1d2", "99999999999999999999"};
    for (const char* text : invalid) {
        int value = 42;
        EXPECT_EQ(readFree(text, value), ReadStatus::Error) << '"' << text << '"';
        EXPECT_EQ(value, 42);
    }
}

TEST(NumberTextDecimalComma, CommaBeforeDigitsOnly) {
    struct Case {
        const char* text;
        bool comma;
    };
    for (const Case c :
         {Case{"0,025", true}, Case{" 1,5 ", true}, Case{"1,5e3", true}, Case{",5", true},
          Case{"  ,25", true}, Case{"-0,5", true}, Case{"0.025", false}, Case{"1,", false},
          Case{"1, 5", false}, Case{"1 ,5", false}, Case{"1.5 more", false}, Case{"", false},
          Case{",", false}, Case{"3/4,5", false}, Case{"abc,5", true}}) {
        EXPECT_EQ(hasDecimalComma(c.text), c.comma) << '"' << c.text << '"';
    }
}

// What a user has typed so far of "-2.5E+3": each beginning but a whole number holds no
// number yet; a text no number begins with, or a whole one, is not a beginning.
TEST(NumberTextNumberBeginning, SignsPointsAndOpenExponents) {
    struct Case {
        const char* text;
        bool beginning;
    };
    for (const Case c :
         {Case{"-", true},    Case{"+", true},        Case{".", true},     Case{"-.", true},
          Case{" +. ", true}, Case{"1e", true},       Case{"1e-", true},   Case{"2.5E+", true},
          Case{".5d", true},  Case{"-2.5E+3", false}, Case{"-2", false},   Case{"2.", false},
          Case{"", false},    Case{"  ", false},      Case{"e", false},    Case{"-e", false},
          Case{".e", false},  Case{"--", false},      Case{"1e--", false}, Case{"1e5", false},
          Case{"abc", false}, Case{"- 5", true},      Case{",5", false}}) {
        EXPECT_EQ(isNumberBeginning(c.text), c.beginning) << '"' << c.text << '"';
    }
}

// ---- readFixed ----------------------------------------------------------------------------

struct FixedCase {
    const char* text;
    int width;
    int decimals;
    double expected;
};

TEST(NumberTextReadFixed, ImpliedDecimals) {
    const std::vector<FixedCase> cases = {
        {"5000", 6, 4, 0.5},
        {"12345", 6, 4, 1.2345},
        {"0.5", 6, 4, 0.5},
        {"1.0", 6, 4, 1.0},
        {".52", 6, 4, 0.52},
        {"  5000", 6, 4, 0.5},
        {"5 000", 6, 4, 0.5},
        {"5000  xyz", 6, 4, 0.5},  // only the first six characters count
        {"1234567", 6, 4, 12.3456},
        {"0.123456789", 8, 5, 0.123456},
        {"-5000", 6, 4, -0.5},
        {"+5", 6, 4, 0.0005},
        {"12", 6, 4, 0.0012},
        {"3", 6, 1, 0.3},
        {"0", 6, 4, 0.0},
        {"5", 6, 0, 5.0},
        {"5", 6, -2, 5.0},
        {"12e1", 6, 4, 0.012},  // the exponent does not cancel the implied decimals
        {"1.2e1", 6, 4, 12.0},
        {"1.5d-1", 8, 5, 0.15},
        {" 1.5 ", 9, 5, 1.5},
        {"0.05", 6, 4, 0.05},
        {"-1.25", 8, 5, -1.25},
        {"123456789", 9, 5, 1234.56789},
    };
    for (const FixedCase& c : cases) {
        double value = kSentinel;
        EXPECT_EQ(readFixed(c.text, c.width, c.decimals, value), ReadStatus::Ok)
            << '"' << c.text << "\" F" << c.width << "." << c.decimals;
        EXPECT_EQ(value, c.expected) << '"' << c.text << "\" F" << c.width << "." << c.decimals;
    }
}

TEST(NumberTextReadFixed, NoNumberAndErrorLeaveValue) {
    const std::vector<FixedCase> noNumber = {
        {"", 6, 4, 0},  {"      ", 6, 4, 0}, {"      5", 6, 4, 0},
        {"5", 0, 4, 0}, {"\t \t", 6, 4, 0},
    };
    for (const FixedCase& c : noNumber) {
        double value = kSentinel;
        EXPECT_EQ(readFixed(c.text, c.width, c.decimals, value), ReadStatus::NoNumber)
            << '"' << c.text << '"';
        EXPECT_EQ(value, kSentinel);
    }
    const char* errors[] = {"abc", "1,5", "1.2.3", "-", "+", ".", "0x10", "1e", "5/", "--5", "inf"};
    for (const char* text : errors) {
        double value = kSentinel;
        EXPECT_EQ(readFixed(text, 6, 4, value), ReadStatus::Error) << '"' << text << '"';
        EXPECT_EQ(value, kSentinel);
    }
}

TEST(NumberTextReadFixed, ReadsBackWhatFormatFWrites) {
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> uniform(-9.9, 9.9);
    for (int i = 0; i < 2000; ++i) {
        const std::string text = formatF(uniform(rng), 8, 5);
        double fixed = kSentinel;
        double free = kSentinel;
        ASSERT_EQ(readFixed(text, 8, 5, fixed), ReadStatus::Ok) << text;
        ASSERT_EQ(readFree(text, free), ReadStatus::Ok) << text;
        EXPECT_EQ(fixed, free) << text;
    }
}

// ---- locale independence ------------------------------------------------------------------

void expectPointEverywhere() {
    EXPECT_EQ(formatF(0.05, 4, 2), "0.05");
    EXPECT_EQ(formatF(0.05, 6, 3), " 0.050");
    EXPECT_EQ(formatFree(0.05), "0.05");
    EXPECT_EQ(formatFree(1234567.5), "1234567.5");  // no thousands separator either
    EXPECT_EQ(formatI(1234567, 8), " 1234567");
    double value = kSentinel;
    ASSERT_EQ(readFree("0.05", value), ReadStatus::Ok);
    EXPECT_EQ(value, 0.05);
    float single = 42.0f;
    ASSERT_EQ(readFree("0.05", single), ReadStatus::Ok);
    EXPECT_EQ(single, 0.05f);
    ASSERT_EQ(readFixed("0.05", 6, 4, value), ReadStatus::Ok);
    EXPECT_EQ(value, 0.05);
    ASSERT_EQ(readFixed("500", 6, 4, value), ReadStatus::Ok);
    EXPECT_EQ(value, 0.05);
    ASSERT_EQ(readFree("0,05", value), ReadStatus::Ok);  // the comma ends the number
    EXPECT_EQ(value, 0.0);
}

// Restores the C and C++ global locales when a test ends.
class NumberTextLocale : public ::testing::Test {
  protected:
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
};

class CommaDecimal : public std::numpunct<char> {
  protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST_F(NumberTextLocale, GermanCLocale) {
    // The names Linux gives it, then those of Windows.
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "de-DE", "German_Germany.1252"};
    const char* chosen = nullptr;
    for (const char* name : names) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            chosen = name;
            break;
        }
    }
    if (chosen == nullptr) GTEST_SKIP() << "no German locale installed";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");  // the locale is really in effect
    try {
        std::locale::global(std::locale(chosen));
    } catch (const std::runtime_error&) {
        // The C locale alone is still a meaningful test.
    }
    expectPointEverywhere();
}

TEST_F(NumberTextLocale, CommaDecimalGlobalCppLocale) {
    // Runs everywhere: a C++ global locale with a comma, built without any installed locale.
    std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    std::ostringstream probe;
    probe << 0.05;
    ASSERT_EQ(probe.str(), "0,05");  // the locale is really in effect for streams
    expectPointEverywhere();
}

}  // namespace
}  // namespace qalix
