#include "cli/file_roles.hpp"

#include <string>
#include <vector>

#include "document/design_file.hpp"
#include "io/files.hpp"

namespace qalix {

namespace {

// A file and the option that names it, as the messages say it.
struct NamedFile {
    std::string option;
    std::string path;
};

std::vector<NamedFile> inputs(const CliOptions& o) {
    std::vector<NamedFile> files;
    if (o.inputs.openDesign) files.push_back({"--open", *o.inputs.openDesign});
    for (const std::string& path : o.comparison.files)
        files.push_back({"--open", path});
    for (const ImportFile& f : o.samples.files)
        files.push_back({"the sample file", f.path});
    if (o.analysis.observFile) files.push_back({"--observ", *o.analysis.observFile});
    return files;
}

std::vector<NamedFile> outputs(const OutputOptions& o) {
    std::vector<NamedFile> files;
    if (o.saveDesign) files.push_back({"--save-design", designFileTarget(*o.saveDesign)});
    if (o.csv) files.push_back({"--csv", *o.csv});
    if (o.curvesCsv) files.push_back({"--curves-csv", *o.curvesCsv});
    if (o.out) files.push_back({"--out", *o.out});
    return files;
}

}  // namespace

void refuseClashingFiles(const CliOptions& o) {
    const std::vector<NamedFile> read = inputs(o);
    const std::vector<NamedFile> written = outputs(o.output);
    for (std::size_t i = 0; i < written.size(); ++i) {
        for (const NamedFile& in : read) {
            if (io::sameFile(written[i].path, in.path)) {
                throw UsageError(written[i].option + " would write over " + in.option + " " +
                                 in.path + ", which this command reads: give the output a " +
                                 "file of its own");
            }
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (io::sameFile(written[i].path, written[j].path)) {
                throw UsageError(written[j].option + " and " + written[i].option +
                                 " name the same file " + written[i].path +
                                 ": give each output a file of its own");
            }
        }
    }
}

}  // namespace qalix
