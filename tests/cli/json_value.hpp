// A small JSON reader for the command line's tests: enough to walk what qalix --json prints.
// Numbers keep the text they were written with, so a test can compare them exactly or read
// them as doubles.
#pragma once

#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qalix::testing {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    std::string text;  // the number as written, the string, or "true"/"false"
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  // in the order written

    bool isNull() const { return kind == Kind::Null; }
    double number() const { return std::strtod(text.c_str(), nullptr); }
    const JsonValue& operator[](std::string_view key) const {
        for (const auto& [name, value] : members) {
            if (name == key) return value;
        }
        throw std::out_of_range("no member " + std::string(key));
    }
    bool has(std::string_view key) const {
        for (const auto& member : members) {
            if (member.first == key) return true;
        }
        return false;
    }
    const JsonValue& operator[](std::size_t i) const { return items.at(i); }
};

class JsonReader {
  public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    // The one value of the text; throws std::runtime_error on anything else.
    JsonValue document() {
        JsonValue v = value();
        skipBlanks();
        if (pos_ != text_.size()) fail("text after the value");
        return v;
    }

  private:
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(what + " at " + std::to_string(pos_));
    }
    void skipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }
    char peek() {
        skipBlanks();
        if (pos_ == text_.size()) fail("end of text");
        return text_[pos_];
    }
    void expect(char c) {
        if (peek() != c) fail(std::string("expected ") + c);
        ++pos_;
    }
    bool literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }
    std::string string() {
        expect('"');
        std::string s;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            if (text_[pos_] == '\\') {
                ++pos_;
                if (pos_ >= text_.size()) fail("escape at end");
                const char e = text_[pos_];
                s += e == 'n' ? '\n' : e == 't' ? '\t' : e;
            } else {
                s += text_[pos_];
            }
            ++pos_;
        }
        expect('"');
        return s;
    }
    JsonValue value() {
        JsonValue v;
        const char c = peek();
        if (c == '{') {
            v.kind = JsonValue::Kind::Object;
            ++pos_;
            if (peek() == '}') return ++pos_, v;
            do {
                std::string key = string();
                expect(':');
                v.members.emplace_back(std::move(key), value());
            } while (peek() == ',' && ++pos_);
            expect('}');
        } else if (c == '[') {
            v.kind = JsonValue::Kind::Array;
            ++pos_;
            if (peek() == ']') return ++pos_, v;
            do {
                v.items.push_back(value());
            } while (peek() == ',' && ++pos_);
            expect(']');
        } else if (c == '"') {
            v.kind = JsonValue::Kind::String;
            v.text = string();
        } else if (literal("null")) {
            v.kind = JsonValue::Kind::Null;
        } else if (literal("true")) {
            v.kind = JsonValue::Kind::Bool;
            v.text = "true";
        } else if (literal("false")) {
            v.kind = JsonValue::Kind::Bool;
            v.text = "false";
        } else {
            const std::size_t start = pos_;
            while (pos_ < text_.size() &&
                   std::string_view("+-.0123456789eE").find(text_[pos_]) != std::string_view::npos)
                ++pos_;
            if (pos_ == start) fail("unexpected character");
            v.kind = JsonValue::Kind::Number;
            v.text = std::string(text_.substr(start, pos_ - start));
        }
        return v;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

inline JsonValue parseJson(std::string_view text) {
    return JsonReader(text).document();
}

}  // namespace qalix::testing
