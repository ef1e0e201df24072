#include "cli/output.hpp"

#include "numeric/number_text.hpp"

namespace qalix {

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

}  // namespace qalix
