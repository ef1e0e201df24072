// A sample file of "Observ" lines: record, observation and X, imported through the Data menu.
#include "fuzz/sample_file_import.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qalix::fuzz::SampleFileImport import(qalix::menu::kImportObserved);
    import.run(data, size);
    return 0;
}
