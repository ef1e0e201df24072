// A small streaming JSON writer for the command line's output.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace qalix {

class JsonWriter {
  public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& string(std::string_view text);
    // Shortest text that reads back as the same double; null for NaN and infinities.
    JsonWriter& number(double value);
    JsonWriter& integer(long long value);
    JsonWriter& unsignedInteger(unsigned long long value);
    JsonWriter& null();
    JsonWriter& numbers(const std::vector<double>& values);

  private:
    void separate();

    std::ostream& out_;
    std::vector<bool> first_;  // per open container: nothing written in it yet
    bool afterKey_ = false;
};

}  // namespace qalix
