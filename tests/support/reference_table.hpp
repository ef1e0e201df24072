// Reference tables written by scripts/reference/crossing.R: CSV with a header row, every field
// quoted, numbers with dot decimals at full precision ("inf" and "-inf" for the infinities).
#pragma once

#include <charconv>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace qalix::testing {

class ReferenceRow {
  public:
    explicit ReferenceRow(std::map<std::string, std::string> fields) : fields_(std::move(fields)) {}

    const std::string& text(const std::string& column) const {
        const auto it = fields_.find(column);
        if (it == fields_.end()) throw std::runtime_error("reference table: no column " + column);
        return it->second;
    }

    // Read without the locale, so that a German one changes nothing.
    double number(const std::string& column) const { return parse(text(column)); }

    int integer(const std::string& column) const { return static_cast<int>(number(column)); }

    // A field holding numbers separated by spaces.
    std::vector<double> numbers(const std::string& column) const {
        std::vector<double> values;
        std::istringstream in(text(column));
        std::string word;
        while (in >> word)
            values.push_back(parse(word));
        return values;
    }

  private:
    static double parse(const std::string& s) {
        double v = 0.0;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || end != s.data() + s.size())
            throw std::runtime_error("reference table: not a number: " + s);
        return v;
    }

    std::map<std::string, std::string> fields_;
};

// The rows of a table under the source tree, e.g. "tests/engine/crossing_reference.csv".
inline std::vector<ReferenceRow> readReferenceTable(const std::string& relative) {
    std::ifstream in(std::string(QALIX_SOURCE_DIR) + "/" + relative);
    if (!in) throw std::runtime_error("cannot read " + relative);
    const auto split = [](const std::string& line) {
        std::vector<std::string> fields;
        std::string field;
        bool quoted = false;
        for (const char ch : line) {
            if (ch == '"') {
                quoted = !quoted;
            } else if (ch == ',' && !quoted) {
                fields.push_back(field);
                field.clear();
            } else if (ch != '\r') {
                field += ch;
            }
        }
        fields.push_back(field);
        return fields;
    };
    std::string line;
    std::getline(in, line);
    const std::vector<std::string> header = split(line);
    std::vector<ReferenceRow> rows;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        const std::vector<std::string> fields = split(line);
        if (fields.size() != header.size())
            throw std::runtime_error(relative + ": a row of " + std::to_string(fields.size()) +
                                     " fields under " + std::to_string(header.size()) + " columns");
        std::map<std::string, std::string> row;
        for (std::size_t i = 0; i < header.size(); ++i)
            row[header[i]] = fields[i];
        rows.emplace_back(std::move(row));
    }
    return rows;
}

}  // namespace qalix::testing
