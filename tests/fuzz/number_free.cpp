// A free-format number as a control or a sample line holds it, read as a double, a float and
// an int. What is read is finite, what is not read leaves the value as it was, the three
// reads agree, and a double read is written back by the free-format write as itself.
#include <cmath>

#include "fuzz/fuzz_support.hpp"
#include "numeric/number_text.hpp"

namespace {

using qalix::ReadStatus;
using qalix::fuzz::require;

constexpr double kUntouched = 0.125;

void checkDouble(ReadStatus status, double value) {
    if (status != ReadStatus::Ok) {
        require(value == kUntouched, "a double not read leaves the value");
        return;
    }
    require(std::isfinite(value), "a double read is finite");
    double again = kUntouched;
    require(qalix::readFree(qalix::formatFree(value), again) == ReadStatus::Ok && again == value,
            "a double read is written back as itself");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = qalix::fuzz::textOf(data, size);
    double d = kUntouched;
    const ReadStatus doubleStatus = qalix::readFree(text, d);
    checkDouble(doubleStatus, d);

    float f = static_cast<float>(kUntouched);
    const ReadStatus floatStatus = qalix::readFree(text, f);
    if (floatStatus == ReadStatus::Ok) {
        require(std::isfinite(f), "a float read is finite");
        require(doubleStatus == ReadStatus::Ok && f == static_cast<float>(d),
                "a float read is the double read, rounded");
    } else {
        require(f == static_cast<float>(kUntouched), "a float not read leaves the value");
        require(floatStatus == doubleStatus || doubleStatus == ReadStatus::Ok,
                "a float is missing exactly when a double is");
    }

    int i = -7;
    const ReadStatus intStatus = qalix::readFree(text, i);
    if (intStatus == ReadStatus::Ok) {
        require(doubleStatus == ReadStatus::Ok && static_cast<double>(i) == d,
                "an int read is the double read");
    } else {
        require(i == -7, "an int not read leaves the value");
    }
    if (intStatus == ReadStatus::NoNumber || doubleStatus == ReadStatus::NoNumber)
        require(intStatus == doubleStatus, "an int and a double are missing from the same text");

    static_cast<void>(qalix::hasDecimalComma(text));
    return 0;
}
