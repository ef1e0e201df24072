#include "document/design_tables.hpp"

#include <cmath>

#include "numeric/number_text.hpp"

namespace qalix {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string csvNumber(std::optional<double> value) {
    if (!value || !std::isfinite(*value)) return {};
    return formatFree(*value);
}

std::string csvWhole(std::optional<double> value) {
    return value ? std::to_string(static_cast<long long>(*value)) : std::string();
}

std::string csvRow(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& f : fields)
        line += (line.empty() ? "" : ",") + csvField(f);
    return line + std::string(kLineEnd);
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

TableRows boundaryRows(const DesignSnapshot& d) {
    TableRows rows = {{"look", "information_time", "group_size", "cumulative_size", "futility_sum",
                       "significance_sum", "futility_brownian", "significance_brownian",
                       "futility_p_value", "significance_p_value"}};
    for (std::size_t i = 0; i < d.looks.size() && i < d.boundaries.size(); ++i) {
        const ShownFields& look = d.looks[i].fields;
        const ShownFields& b = d.boundaries[i].fields;
        rows.push_back({std::to_string(d.looks[i].look), csvNumber(look["infoTime"].value),
                        csvWhole(look["groupSize"].value), csvWhole(look["cumulative"].value),
                        csvNumber(b["lowerSum"].value), csvNumber(b["upperSum"].value),
                        csvNumber(b["lowerStd"].value), csvNumber(b["upperStd"].value),
                        csvNumber(b["lowerP"].value), csvNumber(b["upperP"].value)});
    }
    return rows;
}

TableRows curveRows(const DesignSnapshot& d) {
    TableRows rows = {{"curve", "theta", "mean", "reject", "accept", "expected_information_time"}};
    for (const auto& p : d.powerFunction) {
        rows.push_back({"power", csvNumber(p.theta), csvNumber(p.mean), csvNumber(p.reject),
                        csvNumber(p.accept), ""});
    }
    for (const auto& p : d.expectedInformation)
        rows.push_back(
            {"expected", csvNumber(p.theta), csvNumber(p.mean), "", "", csvNumber(p.expectedTime)});
    return rows;
}

std::string csvOf(const TableRows& rows) {
    std::string csv;
    for (const auto& row : rows)
        csv += csvRow(row);
    return csv;
}

std::string boundariesCsv(const DesignSnapshot& d) {
    return csvOf(boundaryRows(d));
}

std::string curvesCsv(const DesignSnapshot& d) {
    return csvOf(curveRows(d));
}

}  // namespace qalix
