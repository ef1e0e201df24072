// A sample file of "VarName" lines: record, variable name and SD, imported through the Data
// menu after three records of observations, whose names and SDs it gives.
#include "fuzz/sample_file_import.hpp"

namespace {

constexpr std::string_view kObservations = "1 1 0.5\n1 2 1.5\n2 1 -0.25\n2 2 2\n3 1 1\n3 2 0\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static qalix::fuzz::SampleFileImport import(qalix::menu::kImportVariableNames, kObservations);
    import.run(data, size);
    return 0;
}
