// The command line's arguments, the input split at its NUL bytes: read into options, or
// refused with a usage error that says what is wrong.
#include <string>
#include <vector>

#include "cli/options.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

std::vector<std::string> arguments(std::string_view input) {
    std::vector<std::string> args;
    if (input.empty()) return args;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = input.find('\0', start);
        args.emplace_back(input.substr(start, end - start));
        if (end == std::string_view::npos) return args;
        start = end + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qalix;
    try {
        const CliOptions options = parseOptions(arguments(fuzz::textOf(data, size)));
        fuzz::require(options.help || !options.command.empty(), "options name their command");
    } catch (const UsageError& e) {
        fuzz::require(e.what()[0] != '\0', "a usage error says what is wrong");
    }
    return 0;
}
