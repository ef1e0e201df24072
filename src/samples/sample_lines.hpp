// Sample data as lines of text: the "Simu" line that "Save Simulation" writes in fixed
// columns, and free-format readers for the three layouts an import reads ("Simu",
// "Observ", "VarName"). Pure functions, text in and values out; the files are handled in
// sample_files.hpp.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qalix {

// One simulated observation: set s, observation j, X_{s,j}, t_{s,j}, and the set's sigma,
// delta and mu.
struct SimuValues {
    int set = 0;
    int observation = 0;
    float x = 0.0f;
    float time = 0.0f;
    double sd = 0.0;
    double delta = 0.0;
    double mu = 0.0;
};

// One observed value: record i, observation j, X.
struct ObservValues {
    int record = 0;
    int observation = 0;
    float x = 0.0f;
};

// The name and SD of the variable of record i.
struct VarNameValues {
    int record = 0;
    std::string name;  // at most kVarNameBytes bytes, never a split character
    double sd = 0.0;
};

inline constexpr std::size_t kVarNameBytes = 20;

// The "Simu" line, 75 characters: I4, 4 blanks, I4, 4 blanks, F10.5, 4 blanks, F8.5,
// 4 blanks, F8.5, 4 blanks, F8.5, 4 blanks, F9.5. A value too wide for its field is
// written as asterisks.
std::string simuLine(const SimuValues& values);

// How a line read: its values, a line with nothing on it (skipped), or one that does not
// hold the values its layout asks for.
enum class LineRead { Values, Blank, Unreadable };

// Free format: values are separated by blanks or a comma, a slash ends them, and anything
// after the values a layout needs is ignored. Integers must be written as integers; a real
// that does not fit in single precision is unreadable where it is kept in single precision.
LineRead readSimuLine(std::string_view line, SimuValues& values);
LineRead readObservLine(std::string_view line, ObservValues& values);
// The name is one value: quoted with ' or " when it holds blanks or commas (a doubled
// quote stands for one), cut to its first kVarNameBytes bytes at a character boundary. A
// name that is not UTF-8 text, or holds control characters, is unreadable.
LineRead readVarNameLine(std::string_view line, VarNameValues& values);

// The longest start of a UTF-8 text that fits in `bytes` without splitting a character.
std::string_view utf8Prefix(std::string_view text, std::size_t bytes);

// Whether the text is well-formed UTF-8 without control characters.
bool isPrintableUtf8(std::string_view text);

}  // namespace qalix
