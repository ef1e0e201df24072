#include "cli/output.hpp"

#include "io/files.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

Json outputOf(DesignSnapshot snapshot, const OutputOptions& o) {
    if (!o.lookDetails) snapshot.boundaries.clear();
    if (!o.curves) {
        snapshot.curves = false;
        snapshot.powerFunction.clear();
        snapshot.expectedInformation.clear();
    }
    return snapshotJson(snapshot);
}

void writeJson(const Json& output, std::ostream& out) {
    out << output.dump() << '\n';
}

void writeText(const Json& output, std::ostream& out, const std::string& path) {
    if (output.is_object()) {
        for (const auto& [name, node] : output.items())
            writeText(node, out, path.empty() ? name : path + "." + name);
    } else if (output.is_array()) {
        for (std::size_t i = 0; i < output.size(); ++i)
            writeText(output[i], out, path + "[" + std::to_string(i + 1) + "]");
    } else if (output.is_string()) {
        out << path << ": " << output.get<std::string>() << '\n';
    } else if (output.is_number_float()) {
        out << path << ": " << formatFree(output.get<double>()) << '\n';
    } else {
        out << path << ": " << output.dump() << '\n';  // whole numbers and null
    }
}

void printOutput(const Json& output, const OutputOptions& o, std::ostream& out) {
    if (o.json) {
        writeJson(output, out);
    } else {
        writeText(output, out);
    }
}

bool saveText(const std::optional<std::string>& path, const std::string& text, std::ostream& err) {
    if (!path) return true;
    if (const auto failed = io::saveFile(*path, text)) {
        err << "Error: Cannot save the file " << failed->describe() << '\n';
        return false;
    }
    return true;
}

bool writeDocument(const std::string& path, const std::string& html, bool letter,
                   const DocumentRenderer& documents, std::string_view what, std::ostream& err) {
    if (io::lowercaseExtension(path) == ".pdf") {
        std::string reason =
            "this qalix was built without the desktop libraries that write PDF; "
            "write the " +
            std::string(what) + " as FILE.html instead";
        if (!documents || !documents(path, html, letter, reason)) {
            err << "Error: Cannot write the " << what << " " << path << ": " << reason << '\n';
            return false;
        }
        return true;
    }
    if (const auto failed = io::saveFile(path, html)) {
        err << "Error: Cannot save the file " << failed->describe() << '\n';
        return false;
    }
    return true;
}

}  // namespace qalix
