// A sample file of "Simu" lines: set, observation, X, t, sigma, delta and mu, imported through the
// Data menu.
#include "fuzz/sample_file_import.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qalix::fuzz::SampleFileImport import(qalix::menu::kImportSimulated);
    import.run(data, size);
    return 0;
}
