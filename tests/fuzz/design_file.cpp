// A design file as a user may hand it to the program: read whole, and either refused with a
// message naming the file, or accepted with inputs every one of which the panel can take: one
// number each, the looks in their range and a value for each look before the last.
#include <string>

#include "document/design_file.hpp"
#include "fuzz/fuzz_support.hpp"
#include "numeric/number_text.hpp"

namespace {

using qalix::fuzz::require;

constexpr const char* kName = "fuzzed.qalixdesign";

void requireNumber(const std::optional<std::string>& text) {
    double value = 0.0;
    if (text)
        require(qalix::readFree(*text, value) == qalix::ReadStatus::Ok, "an input is a number");
}

void checkAccepted(const qalix::DesignInputs& in) {
    for (const auto* input : {&in.alpha, &in.power, &in.sd, &in.mu, &in.m, &in.rho, &in.a})
        requireNumber(*input);
    require(in.looks.has_value(), "the number of looks is given");
    int looks = 0;
    require(qalix::readFree(*in.looks, looks) == qalix::ReadStatus::Ok && looks >= 2 && looks <= 16,
            "the looks lie in 2..16");
    for (const auto* list : {&in.groups, &in.times}) {
        if (!*list) continue;
        require(static_cast<int>((*list)->size()) == looks - 1,
                "a value for each look but the last");
        for (const std::string& t : **list)
            requireNumber(t);
    }
    require(in.rho.has_value() != in.a.has_value(), "either rho_max or a");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        checkAccepted(qalix::parseDesignFile(qalix::fuzz::textOf(data, size), kName).inputs);
    } catch (const qalix::DesignFileError& refused) {
        require(std::string(refused.what()).starts_with(std::string("The design file ") + kName),
                "a refusal names the file");
    }
    return 0;
}
