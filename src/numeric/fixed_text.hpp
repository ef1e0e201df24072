// Fixed-length, blank-padded text: the keys that steer behaviour ("brownian", "sig", "at",
// ...) are compared as whole padded values, so "fixed" never matches "fixedx".
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace qalix {

template <std::size_t N>
class FixedText {
  public:
    FixedText() { chars_.fill(' '); }
    FixedText(std::string_view text) { assign(text); }  // NOLINT: keys are written as literals

    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    // The text without its padding.
    std::string str() const {
        std::string_view v(chars_.data(), N);
        const auto end = v.find_last_not_of(' ');
        return std::string(end == std::string_view::npos ? std::string_view{}
                                                         : v.substr(0, end + 1));
    }

    friend bool operator==(const FixedText& lhs, std::string_view rhs) {
        return lhs.chars_ == FixedText(rhs).chars_;
    }
    friend bool operator==(const FixedText& lhs, const FixedText& rhs) {
        return lhs.chars_ == rhs.chars_;
    }

  private:
    void assign(std::string_view text) {
        chars_.fill(' ');
        std::copy_n(text.begin(), std::min(text.size(), N), chars_.begin());
    }

    std::array<char, N> chars_{};
};

}  // namespace qalix
