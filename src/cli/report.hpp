// What the command line reports: a tree of texts as the dialogs show them and full-precision
// values, written as JSON or as "path: value" lines.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace qalix {

class ReportNode {
  public:
    enum class Kind { Object, Array, Text, Number, Integer, Unsigned, Null };

    static ReportNode object() { return ReportNode(Kind::Object); }
    static ReportNode array() { return ReportNode(Kind::Array); }
    static ReportNode text(std::string value);
    // Not-a-number and infinities are written as null, in JSON and in text.
    static ReportNode number(double value);
    static ReportNode integer(long long value);
    static ReportNode unsignedInteger(unsigned long long value);
    static ReportNode null() { return ReportNode(Kind::Null); }
    static ReportNode numbers(const std::vector<double>& values);
    // {"text": shown, "value": full precision}. A field that shows no number (blank, or
    // "n/a") has the value null.
    static ReportNode shown(std::string text, double value);
    static ReportNode shown(std::string text, long long value);

    // Object member (created empty on first use) and array element.
    ReportNode& operator[](const std::string& key);
    ReportNode& push(ReportNode item);
    ReportNode& item(std::size_t index) { return items_.at(index); }

    void writeJson(std::ostream& out) const;
    void writeText(std::ostream& out, const std::string& path = {}) const;

  private:
    explicit ReportNode(Kind kind) : kind_(kind) {}
    void write(class JsonWriter& json) const;

    Kind kind_;
    std::vector<std::pair<std::string, ReportNode>> members_;
    std::vector<ReportNode> items_;
    std::string text_;
    double number_ = 0.0;
    long long integer_ = 0;
    unsigned long long unsigned_ = 0;
};

}  // namespace qalix
