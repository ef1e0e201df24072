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

// One sample: the boundaries on the sum scale. Two groups: each group's cumulative size, and the
// boundaries on the scale of the difference of the means.
TableRows boundaryRows(const DesignSnapshot& d) {
    const bool two = d.allocation.has_value();
    std::vector<std::string> header = {"look", "information_time", "group_size", "cumulative_size"};
    if (two) header.insert(header.end(), {"control_size", "treatment_size"});
    const std::string scale = two ? "difference" : "sum";
    header.insert(header.end(),
                  {"futility_" + scale, "significance_" + scale, "futility_brownian",
                   "significance_brownian", "futility_p_value", "significance_p_value"});
    TableRows rows = {header};
    const std::string lower = two ? "lowerDifference" : "lowerSum";
    const std::string upper = two ? "upperDifference" : "upperSum";
    for (std::size_t i = 0; i < d.looks.size() && i < d.boundaries.size(); ++i) {
        const ShownFields& look = d.looks[i].fields;
        const ShownFields& b = d.boundaries[i].fields;
        std::vector<std::string> row = {
            std::to_string(d.looks[i].look), csvNumber(look["infoTime"].value),
            csvWhole(look["groupSize"].value), csvWhole(look["cumulative"].value)};
        if (two)
            row.insert(row.end(), {csvWhole(look["controlSize"].value),
                                   csvWhole(look["treatmentSize"].value)});
        row.insert(row.end(), {csvNumber(b[lower].value), csvNumber(b[upper].value),
                               csvNumber(b["lowerStd"].value), csvNumber(b["upperStd"].value),
                               csvNumber(b["lowerP"].value), csvNumber(b["upperP"].value)});
        rows.push_back(std::move(row));
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
