#include "document/design_tables.hpp"

#include <cmath>
#include <initializer_list>

#include "numeric/number_text.hpp"

namespace qalix {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string number(std::optional<double> value) {
    if (!value || !std::isfinite(*value)) return {};
    return formatFree(*value);
}

std::string whole(std::optional<double> value) {
    return value ? std::to_string(static_cast<long long>(*value)) : std::string();
}

std::string row(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& f : fields)
        line += (line.empty() ? "" : ",") + csvField(f);
    return line + std::string(kLineEnd);
}

}  // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string boundariesCsv(const DesignSnapshot& d) {
    std::string csv = row({"look", "information_time", "group_size", "cumulative_size",
                           "futility_sum", "significance_sum", "futility_brownian",
                           "significance_brownian", "futility_p_value", "significance_p_value"});
    for (std::size_t i = 0; i < d.looks.size() && i < d.boundaries.size(); ++i) {
        const ShownFields& look = d.looks[i].fields;
        const ShownFields& b = d.boundaries[i].fields;
        csv += row({std::to_string(d.looks[i].look), number(look["infoTime"].value),
                    whole(look["groupSize"].value), whole(look["cumulative"].value),
                    number(b["lowerSum"].value), number(b["upperSum"].value),
                    number(b["lowerStd"].value), number(b["upperStd"].value),
                    number(b["lowerP"].value), number(b["upperP"].value)});
    }
    return csv;
}

std::string curvesCsv(const DesignSnapshot& d) {
    std::string csv =
        row({"curve", "theta", "mean", "reject", "accept", "expected_information_time"});
    for (const auto& p : d.powerFunction) {
        csv +=
            row({"power", number(p.theta), number(p.mean), number(p.reject), number(p.accept), ""});
    }
    for (const auto& p : d.expectedInformation)
        csv += row({"expected", number(p.theta), number(p.mean), "", "", number(p.expectedTime)});
    return csv;
}

}  // namespace qalix
