// The "Simu" line in its fixed columns, and the free-format readers of the three layouts.
#include <gtest/gtest.h>

#include <string>

#include "samples/sample_lines.hpp"

namespace qalix {
namespace {

struct WrittenLine {
    SimuValues values;
    const char* line;  // worked out column by column
};

TEST(SimuLine, WritesEachValueInItsColumns) {
    const WrittenLine cases[] = {
        {{1, 1, 0.5f, 0.04f, 1.0, 2.5, 0.5},
         "   1       1       0.50000     0.04000     1.00000     2.50000      0.50000"},
        {{12, 345, -1.234567f, 1.0f, 2.0, -0.75, -0.15},
         "  12     345      -1.23457     1.00000     2.00000    -0.75000     -0.15000"},
        // Too wide for their fields: I4, F8.5 and F9.5 give asterisks.
        {{10000, 2, 1234.5678f, 0.5f, 10.0, 123.0, 1234.5},
         "****       2    1234.56775     0.50000    10.00000    ********    *********"},
    };
    for (const WrittenLine& c : cases) {
        EXPECT_EQ(simuLine(c.values), c.line);
        EXPECT_EQ(simuLine(c.values).size(), 75u);
    }
}

struct ReadCase {
    const char* line;
    LineRead outcome;
};

TEST(SimuLine, IsReadInFreeFormat) {
    const ReadCase cases[] = {
        {"1,2,0.5,0.08,1,2.5,0.5", LineRead::Values},
        {"  1 2 , 0.5 0.08 1 2.5 0.5 and anything after", LineRead::Values},
        {"1 2 0.5 0.08 1 2.5 0.5 / a slash ends the values", LineRead::Values},
        {"", LineRead::Blank},
        {" \t ", LineRead::Blank},
        {"1 2 0.5 0.08", LineRead::Unreadable},              // values missing
        {"1 2 0.5 0.08 1 2.5 / 0.5", LineRead::Unreadable},  // ended before the seventh
        {"1.0 2 0.5 0.08 1 2.5 0.5", LineRead::Unreadable},  // a real where an integer goes
        {"1,,0.5,0.08,1,2.5,0.5", LineRead::Unreadable},     // an empty value
        {"1 2 1e39 0.08 1 2.5 0.5", LineRead::Unreadable},   // beyond single precision
        {"1 2 '0.5' 0.08 1 2.5 0.5", LineRead::Unreadable},  // a text where a number goes
        {"99999999999 2 0.5 0.08 1 2.5 0.5", LineRead::Unreadable},
    };
    for (const ReadCase& c : cases) {
        SimuValues v;
        EXPECT_EQ(readSimuLine(c.line, v), c.outcome) << c.line;
    }
}

TEST(ObservLine, ReadsRecordObservationAndValue) {
    ObservValues v;
    ASSERT_EQ(readObservLine(" 2, 5, -1.25e0", v), LineRead::Values);
    EXPECT_EQ(v.record, 2);
    EXPECT_EQ(v.observation, 5);
    EXPECT_FLOAT_EQ(v.x, -1.25f);
    EXPECT_EQ(readObservLine("2 5", v), LineRead::Unreadable);
    EXPECT_EQ(readObservLine("two 5 1.0", v), LineRead::Unreadable);
}

struct NameCase {
    const char* line;
    LineRead outcome;
    const char* name;
};

TEST(VarNameLine, ReadsQuotedAndPlainNames) {
    const NameCase cases[] = {
        {"1 'Blood pressure' 1.5", LineRead::Values, "Blood pressure"},
        {"2, \"Heart rate, bpm\", 0", LineRead::Values, "Heart rate, bpm"},
        {"3 Weight 2.0", LineRead::Values, "Weight"},
        {"4 'O''Brien score' 1", LineRead::Values, "O'Brien score"},
        {"5 '' 1", LineRead::Values, ""},
        // Twenty bytes at most, never half a character: "ü" is two bytes.
        {"6 'A name longer than twenty' 1", LineRead::Values, "A name longer than t"},
        {"7 'Gewicht über alles ok' 1", LineRead::Values, "Gewicht über alles "},
        {"8 'Gewicht in Kilogramä' 1", LineRead::Values, "Gewicht in Kilogram"},
        {"9 'not closed 1", LineRead::Unreadable, ""},
        {"10 'ab'cd 1", LineRead::Unreadable, ""},
        {"11 Gr\xf6\xdf\x65 1", LineRead::Unreadable, ""},      // Latin-1, not UTF-8
        {"12 'tab\x01stop' 1", LineRead::Unreadable, ""},       // a control character
        {"15 'over\xc0\xaflong' 1", LineRead::Unreadable, ""},  // an overlong form
        {"16 'half\xed\xa0\x80' 1", LineRead::Unreadable, ""},  // a lone surrogate
        {"13 ,, 1", LineRead::Unreadable, ""},
        {"14 name", LineRead::Unreadable, ""},
    };
    for (const NameCase& c : cases) {
        VarNameValues v;
        ASSERT_EQ(readVarNameLine(c.line, v), c.outcome) << c.line;
        if (c.outcome == LineRead::Values) {
            EXPECT_EQ(v.name, c.name) << c.line;
        }
    }
}

}  // namespace
}  // namespace qalix
