#include "cli/json_writer.hpp"

#include <cmath>
#include <cstdio>

#include "numeric/number_text.hpp"

namespace qalix {

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ << ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ << '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    first_.pop_back();
    out_ << '}';
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ << '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    first_.pop_back();
    out_ << ']';
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    string(name);
    out_ << ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
    separate();
    out_ << '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out_ << "\\\"";
                break;
            case '\\':
                out_ << "\\\\";
                break;
            case '\n':
                out_ << "\\n";
                break;
            case '\t':
                out_ << "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
                    out_ << buffer;
                } else {
                    out_ << c;
                }
        }
    }
    out_ << '"';
    return *this;
}

JsonWriter& JsonWriter::number(double value) {
    if (!std::isfinite(value)) return null();
    separate();
    out_ << formatFree(value);
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    out_ << "null";
    return *this;
}

JsonWriter& JsonWriter::integer(long long value) {
    separate();
    out_ << value;
    return *this;
}

JsonWriter& JsonWriter::unsignedInteger(unsigned long long value) {
    separate();
    out_ << value;
    return *this;
}

JsonWriter& JsonWriter::numbers(const std::vector<double>& values) {
    beginArray();
    for (double v : values)
        number(v);
    return endArray();
}

}  // namespace qalix
