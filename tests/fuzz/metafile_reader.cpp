// The bytes of an enhanced metafile, parsed in memory: read whole into its header and the
// records the program draws, or refused whole with a message that names the file.
#include <span>

#include "fuzz/fuzz_support.hpp"
#include "canvas/emf_parser.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qalix;
    try {
        const emf::Picture picture = emf::parseMetafile(std::span(data, size), "input.emf");
        fuzz::require(picture.records.size() + 2 <= picture.header.records,
                      "a picture holds no more records than its header gives");
        fuzz::require(picture.header.bytes == size, "a picture's header gives its size");
    } catch (const MetafileError& e) {
        fuzz::require(
            std::string_view(e.what()).starts_with("Cannot read the metafile \"input.emf\": "),
            "a refused metafile is named");
    }
    return 0;
}
