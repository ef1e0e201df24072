#include "design/fields.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "numeric/number_text.hpp"

namespace qalix {

namespace {
constexpr double kLargestCount = 1e9;
// Implied decimals of a typed fixed field: none. A user who types "3" means 3, not 0.00003;
// the program's own texts always carry their point, so they read as before.
constexpr int kTypedDecimals = 0;
}  // namespace

void showF(Dialog& dialog, int control, double value, FieldFormat format) {
    dialog.setText(control, trimmed(formatF(value, format.width, format.decimals)));
}

void showI(Dialog& dialog, int control, long long value, int width) {
    dialog.setText(control, trimmed(formatI(value, width)));
}

void showFree(Dialog& dialog, int control, double value) {
    dialog.setText(control, formatFree(value));
}

namespace {

template <typename T>
ReadStatus readTypedAny(std::string_view text, T& value) {
    if (isNumberBeginning(text)) return ReadStatus::NoNumber;
    return readFree(text, value);
}

}  // namespace

ReadStatus readTyped(std::string_view text, double& value) {
    return readTypedAny(text, value);
}
ReadStatus readTyped(std::string_view text, float& value) {
    return readTypedAny(text, value);
}
ReadStatus readTyped(std::string_view text, int& value) {
    return readTypedAny(text, value);
}

namespace {

// Every control read here holds one number, so a comma before more digits is a decimal
// comma the user typed, not the end of the number: "0,025" is no alpha of 0.
template <typename T>
bool readAny(DesignContext& program, const Dialog& dialog, int control, T& value) {
    const std::string text = dialog.getText(control);
    if (hasDecimalComma(text) || readTyped(text, value) == ReadStatus::Error) {
        program.entryError();
        return false;
    }
    return true;
}

}  // namespace

bool readField(DesignContext& program, const Dialog& dialog, int control, double& value) {
    return readAny(program, dialog, control, value);
}
bool readField(DesignContext& program, const Dialog& dialog, int control, float& value) {
    return readAny(program, dialog, control, value);
}
bool readField(DesignContext& program, const Dialog& dialog, int control, int& value) {
    return readAny(program, dialog, control, value);
}

bool readFixedField(DesignContext& program, const Dialog& dialog, int control, FieldFormat format,
                    double& value) {
    const std::string field = dialog.getText(control).substr(0, std::max(format.width, 0));
    if (isNumberBeginning(field)) return true;  // no number yet
    if (readFixed(field, format.width, kTypedDecimals, value) == ReadStatus::Error) {
        program.entryError();
        return false;
    }
    return true;
}

int roundedUp(double x, float constant) {
    const double sum = x + static_cast<double>(constant);
    if (!(std::abs(sum) < kLargestCount)) return 0;  // NaN or beyond any sample size
    return static_cast<int>(std::lround(sum));
}

}  // namespace qalix
