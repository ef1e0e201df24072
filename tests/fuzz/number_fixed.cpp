// A fixed-field number Fw.d: the first two bytes give w and d (signed, so that widths and
// decimals of 0 and below are read too), the rest is the field. What is read is finite, what
// is not read leaves the value, and a field with a point, or read without implied decimals,
// reads as the free-format read of its characters without blanks.
#include <algorithm>
#include <cmath>
#include <string>

#include "fuzz/fuzz_support.hpp"
#include "numeric/number_text.hpp"

namespace {

using qalix::ReadStatus;
using qalix::fuzz::require;

constexpr double kUntouched = 0.125;

// The characters of the field that count: its first w, without blanks.
std::string packedField(std::string_view text, int width) {
    const std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
    std::string packed;
    for (const char c : text.substr(0, std::min(text.size(), w))) {
        if (c != ' ' && c != '\t') packed += c;
    }
    return packed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int width = static_cast<signed char>(data[0]);
    const int decimals = static_cast<signed char>(data[1]);
    const std::string_view field = qalix::fuzz::textOf(data + 2, size - 2);
    double value = kUntouched;
    const ReadStatus status = qalix::readFixed(field, width, decimals, value);
    if (status == ReadStatus::Ok) {
        require(std::isfinite(value), "a fixed field read is finite");
    } else {
        require(value == kUntouched, "a fixed field not read leaves the value");
    }

    const std::string packed = packedField(field, width);
    const bool impliesNothing = decimals <= 0 || packed.find('.') != std::string::npos;
    if (impliesNothing && packed.find_first_of(",/") == std::string::npos) {
        double free = kUntouched;
        const ReadStatus freeStatus = qalix::readFree(packed, free);
        require(freeStatus == status && free == value,
                "a field without implied decimals reads as a free-format number");
    }
    return 0;
}
