// Numbers as the program shows and reads them: fixed fields Fw.d, Iw and Aw, free-format
// writes and reads, and fixed-field reads with implied decimals. Independent of the user's
// locale: "0.05" is written and read the same under any LANG.
#pragma once

#include <string>
#include <string_view>

namespace qalix {

// Fw.d: value rounded to d decimals (exact binary value, ties to even), right-justified in
// w characters; the zero before the point only when there is room; w asterisks when the
// number does not fit. d = 0 writes the point after the digits ("   3." for 3 in F5.0). A
// negative value that rounds to zero keeps its sign ("-0.000"), and so does -0.0. Non-finite
// values: "Infinity"/"-Infinity", else "Inf"/"-Inf", else "NaN", when they fit, otherwise
// asterisks. A width of 0 or less gives an empty text; negative decimals count as 0.
std::string formatF(double value, int width, int decimals);

// Iw: integer right-justified in w characters, w asterisks when it does not fit.
std::string formatI(long long value, int width);

// Aw: text right-justified in w characters, or cut to its first w characters.
// Works on bytes: a multi-byte UTF-8 character can be cut.
std::string formatA(std::string_view text, int width);

// Free-format write: the shortest text that reads back as the same double, always with a
// decimal point ("0.25", "300.0", "1.0e-07", "1.5e+20"). Non-finite values are written "Infinity",
// "-Infinity" and "NaN"; these are not read back by readFree.
std::string formatFree(double value);
std::string formatFree(long long value);
// The shortest text that reads back as the same float (through a double read rounded to
// float), with a decimal point: 0.05f is "0.05".
std::string formatFreeSingle(float value);

// A formatted field as it is set into a control: leading and trailing blanks (spaces and
// tabs) removed.
std::string trimmed(std::string_view text);

// Outcome of a read. NoNumber leaves the target unchanged and is not an error.
enum class ReadStatus { Ok, NoNumber, Error };

// Free-format read of one number: leading blanks are skipped; a blank, comma or slash ends
// the number and whatever follows is ignored; an empty or blank text, or one whose first
// non-blank is a comma or a slash, holds no number. A real is [sign] digits [. digits]
// [exponent], the exponent being e, E, d or D with an optional sign and digits (".5", "5.",
// "1.5d-3"); nothing else is read ("inf", "nan", "0x10" are errors), nor is a value outside
// the range of double (overflow or underflow to zero). The float overload reads a double and
// rounds it to float, an error when that overflows. An int is [sign] digits within int range.
// On NoNumber and Error the value is left unchanged.
ReadStatus readFree(std::string_view text, double& value);
ReadStatus readFree(std::string_view text, float& value);
ReadStatus readFree(std::string_view text, int& value);

// True when the free-format token of the text begins a real number without being one yet:
// "-", "+", ".", "-.", "1e", "1e-", "2.5E+". A control read at every keystroke holds such a
// text while the user is still typing the number.
bool isNumberBeginning(std::string_view text);

// True when the free-format number of the text (or its very start) is followed by a comma
// and a digit: "0,025", "1,5e3", ",5". Free-format reads stop at that comma; a control that
// holds one number takes it for a decimal comma instead, whatever the locale.
bool hasDecimalComma(std::string_view text);

// A text that is one number as a control reads it, and nothing else: "0.025", " 4 ",
// "-1.5e-3"; not "", "4 apples", "0.8 0.9", "0,025" or "0x10". What a value typed for the
// program from outside (an option, a design file) must be.
bool isOneNumber(std::string_view text);

// Fixed-field read Fw.d: only the first w characters count, blanks in them are ignored, and
// digits without a decimal point have their last d digits taken as decimals ("5000" in F6.4
// is 0.5, "12345" is 1.2345, "0.5" is 0.5); an exponent does not cancel that
// ("12e1" in F6.4 is 0.0012e1). The characters accepted are those of a free-format real. A
// field of blanks holds no number; on NoNumber and Error the value is left unchanged.
ReadStatus readFixed(std::string_view text, int width, int decimals, double& value);

}  // namespace qalix
