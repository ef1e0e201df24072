#include "cli/report.hpp"

#include "numeric/number_text.hpp"

namespace qalix {

void writeJson(const Json& report, std::ostream& out) {
    out << report.dump() << '\n';
}

void writeText(const Json& report, std::ostream& out, const std::string& path) {
    if (report.is_object()) {
        for (const auto& [name, node] : report.items())
            writeText(node, out, path.empty() ? name : path + "." + name);
    } else if (report.is_array()) {
        for (std::size_t i = 0; i < report.size(); ++i)
            writeText(report[i], out, path + "[" + std::to_string(i + 1) + "]");
    } else if (report.is_string()) {
        out << path << ": " << report.get<std::string>() << '\n';
    } else if (report.is_number_float()) {
        out << path << ": " << formatFree(report.get<double>()) << '\n';
    } else {
        out << path << ": " << report.dump() << '\n';  // whole numbers and null
    }
}

}  // namespace qalix
