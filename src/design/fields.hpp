// Numbers in controls: formatted writes, and reads that report unreadable entries the way
// the whole program does, with the "Error in type of entered data!" box.
#pragma once

#include <string_view>

#include "design/context.hpp"
#include "numeric/number_text.hpp"
#include "ui/dialog.hpp"

namespace qalix {

// A fixed field Fw.d: width w, d decimals.
struct FieldFormat {
    int width;
    int decimals;
};

// Writes value as Fw.d (or Iw), blanks trimmed, into the control's text.
void showF(Dialog& dialog, int control, double value, FieldFormat format);
void showI(Dialog& dialog, int control, long long value, int width);
// Writes the shortest text that reads back as value.
void showFree(Dialog& dialog, int control, double value);

// A typed entry is read at every keystroke: a text that only begins a number ("-", ".",
// "1e-") holds no number yet, like a blank one, and leaves value unchanged.
ReadStatus readTyped(std::string_view text, double& value);
ReadStatus readTyped(std::string_view text, float& value);
ReadStatus readTyped(std::string_view text, int& value);

// Free-format read of the control's text into value. An unreadable text, or a decimal comma
// ("0,025"), shows the entry error and returns false with value unchanged; a text with no
// number (yet) leaves value unchanged and returns true.
bool readField(DesignContext& program, const Dialog& dialog, int control, double& value);
bool readField(DesignContext& program, const Dialog& dialog, int control, float& value);
bool readField(DesignContext& program, const Dialog& dialog, int control, int& value);
// The same with a fixed-field read of width w: only the first w characters count, and a
// text without a decimal point is the whole number it says.
bool readFixedField(DesignContext& program, const Dialog& dialog, int control, FieldFormat format,
                    double& value);

// nint(x + c) with c the single-precision rounding constant the caller names: a whole
// number stays whole, a fractional one is rounded up. The sum is formed in double
// precision: in single precision every whole m from 32 up would become m + 1. An undefined
// or astronomically large x gives 0, which callers refuse as a size.
int roundedUp(double x, float constant);
inline constexpr float kRoundUp5 = 0.49999f;   // sample size of the operating characteristics
inline constexpr float kRoundUp6 = 0.499999f;  // sample size of the information times

}  // namespace qalix
