// What a random user types and what the files it imports hold: plausible entries, so that it
// gets deep into the program, and hostile ones, so that it tests every entry's refusal.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace qalix::testing {

// A text a user might type into a number field: one of the field's own list items or a
// plausible number about half the time, else numbers of every size and sign, partial
// numbers, decimal commas, blanks, letters, very long texts, control characters, UTF-8,
// NUL bytes, "nan", "inf", "0x10", or two of these run together.
std::string typedText(std::mt19937_64& random, const std::vector<std::string>& items);

// The content of a sample file: lines in the "Simu", "Observ" or "VarName" layout with
// plausible and hostile values, sometimes broken, sometimes plain bytes.
std::string sampleFileText(std::mt19937_64& random);

// A text typed into the text window: lines of sample data or hostile texts.
std::string textWindowText(std::mt19937_64& random);

// The text as a short, printable description for an action log.
std::string printable(const std::string& text);

}  // namespace qalix::testing
