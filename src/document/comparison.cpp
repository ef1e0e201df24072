#include "document/comparison.hpp"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "design/fields.hpp"
#include "document/capture.hpp"
#include "document/design_command.hpp"
#include "document/design_inputs.hpp"
#include "document/design_tables.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

// A column: its JSON key, its heading in the text, its CSV name.
struct Column {
    std::string_view key, heading, csv;
};

constexpr std::array<Column, 16> kColumns = {{
    {"looks", "K", "looks"},
    {"a", "a", "a"},
    {"rhoMax", "rho_max", "rho_max"},
    {"maxDiscordance", "discordance", "max_discordance"},
    {"criticalValue", "z", "critical_value"},
    {"actualSigLevel", "level", "actual_level"},
    {"nonbindingLevel", "level NB", "nonbinding_level"},
    {"actualPower", "power", "actual_power"},
    {"maxSize", "N max", "max_size"},
    {"maxSizeRatio", "N max/M", "max_size_ratio"},
    {"expectedSizeNull", "E(N|0)", "expected_size_null"},
    {"expectedSizeAlt", "E(N|alt)", "expected_size_alt"},
    {"expectedTimeNull", "E(T|0)", "expected_time_null"},
    {"expectedTimeAlt", "E(T|alt)", "expected_time_alt"},
    {"earlyStopNull", "P(early|0)", "early_stop_null"},
    {"earlyStopAlt", "P(early|alt)", "early_stop_alt"},
}};
static_assert(kColumns[kDesignColumns - 1].key == "maxSizeRatio");

// The zero as the dialogs' mean lists write it.
constexpr std::string_view kNullMean = "0.0";
// The ratio of the maximum size to the fixed-sample test's M (m rounded up), F6.3.
constexpr int kRatioWidth = 6;
constexpr int kRatioDecimals = 3;
constexpr std::string_view kColumnGap = "  ";
// rho(a; 0), F6.4 as the panel's levels.
constexpr int kRhoWidth = 6;
constexpr int kRhoDecimals = 4;

Shown panelField(const DesignSnapshot& d, std::string_view name, std::string_view valueName) {
    return shownField(trimmed(d.panelText(name).value_or("")), d.value(valueName).value_or(0.0));
}

Shown trimmedField(Shown field) {
    field.text = trimmed(field.text);
    return field;
}

Shown noField(bool whole) {
    return {"", std::nullopt, whole};
}

// The largest size the design takes and its ratio to the fixed-sample test's size M, m
// rounded up (a count of observations, as the design's is); none on information time, where m
// counts grid steps.
void addSizes(const DesignSnapshot& d, ShownFields& row) {
    if (isBrownianKey(d.design) || d.looks.empty()) {
        row.add("maxSize", noField(true));
        row.add("maxSizeRatio", noField(false));
        return;
    }
    const Shown maxSize = trimmedField(d.looks.back().fields["cumulative"]);
    // With the power held the size grew from the fixed-sample M: the ratio is to that one.
    const bool held = d.heldPower && d.heldPower->quantity == "m";
    const double m = roundedUp(held ? d.heldPower->from : d.value("m").value_or(0.0), kRoundUp5);
    const double ratio = maxSize.value && m > 0.0 ? *maxSize.value / m : 0.0;
    row.add("maxSize", maxSize);
    row.add("maxSizeRatio",
            ratio > 0.0 ? shownField(trimmed(formatF(ratio, kRatioWidth, kRatioDecimals)), ratio)
                        : noField(false));
}

// The expected sizes and times and the probability of a stop before the last look, at each
// of the two means.
void addCharacteristics(const DesignSnapshot& d, ShownFields& row) {
    const DesignSnapshot::AtMean& null = d.characteristics.at(0);
    const DesignSnapshot::AtMean& alt = d.characteristics.at(1);
    row.add("expectedSizeNull", trimmedField(null.expected["EN"]));
    row.add("expectedSizeAlt", trimmedField(alt.expected["EN"]));
    row.add("expectedTimeNull", trimmedField(null.expected["ET"]));
    row.add("expectedTimeAlt", trimmedField(alt.expected["ET"]));
    // "Probability of Stopping ... by k" at the look before the last.
    const std::size_t beforeLast = null.looks.size() - 2;
    row.add("earlyStopNull", trimmedField(null.looks.at(beforeLast).fields["stopBy"]));
    row.add("earlyStopAlt", trimmedField(alt.looks.at(beforeLast).fields["stopBy"]));
}

}  // namespace

std::vector<std::vector<std::string>> comparisonCells(const std::vector<ComparisonRow>& rows) {
    std::vector<std::string> headings = {"#"};
    for (const Column& c : kColumns)
        headings.emplace_back(c.heading);
    std::vector<std::vector<std::string>> cells = {std::move(headings)};
    for (const ComparisonRow& r : rows) {
        std::vector<std::string> line = {std::to_string(r.candidate)};
        for (const Column& c : kColumns)
            line.push_back(r.fields[c.key].text);
        cells.push_back(std::move(line));
    }
    return cells;
}

DesignSnapshot comparedSnapshot(Session& s, DesignInputs inputs, bool curves) {
    const AfterAction after = [&s] { s.checkMessages(); };
    enterFixedDesign(s.program(), inputs, after);
    enterSequentialDesign(s.program(), inputs, after);
    // The alternative as the dialogs offer it when they open, in full.
    const DesignRecord& r = s.program().record();
    const bool brownian = isBrownian(r);
    const MeanList compared{
        !brownian, {std::string(kNullMean), formatFree(brownian ? r.altDelta : r.altMean)}};
    // A design file's own means are computed too, so that a file the design command refuses is
    // refused here alike; the row and its command keep to the two compared.
    inputs.means = withDesignMeans(compared, inputs.means, r);
    DesignSnapshot snapshot = captureSnapshot(s, inputs, CaptureParts{.curves = curves});
    snapshot.characteristics.resize(compared.texts.size());
    snapshot.inputs.means = compared;
    snapshot.inputs = completeInputs(snapshot);
    return snapshot;
}

ComparisonRow comparisonRow(std::size_t candidate, const DesignSnapshot& d) {
    ComparisonRow row;
    row.candidate = candidate;
    row.design = d.design;
    const MeanList& means = *d.inputs.means;
    row.alternative = shownField(means.texts.at(1), d.characteristics.at(1).onDataScale
                                                        ? d.value("mu").value_or(0.0)
                                                        : d.value("altDelta").value_or(0.0));
    row.fields.add("looks", shownWhole(trimmed(d.panelText("looks").value_or("")),
                                       static_cast<long long>(d.looks.size())));
    row.fields.add("a", panelField(d, "a", "a"));
    const std::optional<double> rho = d.value("achievedRho");
    row.fields.add("rhoMax", rho ? shownField(trimmed(formatF(*rho, kRhoWidth, kRhoDecimals)), *rho)
                                 : noField(false));
    row.fields.add("maxDiscordance", panelField(d, "maxDiscordance", "maxDiscordance"));
    row.fields.add("criticalValue",
                   d.criticalValue ? trimmedField(*d.criticalValue) : noField(false));
    row.fields.add("actualSigLevel", panelField(d, "actualSigLevel", "actualSigLevel"));
    row.fields.add("nonbindingLevel",
                   d.nonbindingLevel ? trimmedField(*d.nonbindingLevel) : noField(false));
    row.fields.add("actualPower", panelField(d, "actualPower", "actualPower"));
    addSizes(d, row.fields);
    addCharacteristics(d, row.fields);
    const bool brownian = isBrownianKey(d.design);
    for (const auto& [name, key] :
         std::vector<std::pair<std::string, std::string>>{{"alpha", "alpha"},
                                                          {"power", "power"},
                                                          {brownian ? "delta_a" : "mu_a", "mu"},
                                                          {"sigma", "sd"}}) {
        if (brownian && key == "sd") continue;
        row.fixedInputs.emplace_back(name, trimmed(d.panelText(key).value_or("")));
    }
    row.command = designCommand(d.inputs);
    if (d.curves) {
        row.curves.onDataScale = !isBrownianKey(d.design);
        if (row.curves.onDataScale && !d.looks.empty())
            row.curves.maxSize = d.looks.back().fields["cumulative"].value.value_or(0.0);
        row.curves.power = d.powerFunction;
        row.curves.expected = d.expectedInformation;
    }
    return row;
}

std::string comparisonText(const std::vector<ComparisonRow>& rows) {
    const std::vector<std::vector<std::string>> cells = comparisonCells(rows);
    std::vector<std::size_t> widths(cells.front().size(), 0);
    for (const auto& line : cells) {
        for (std::size_t i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line[i].size());
    }
    std::string text;
    for (std::size_t r = 0; r < cells.size(); ++r) {
        for (std::size_t i = 0; i < cells[r].size(); ++i)
            text += formatA(cells[r][i], static_cast<int>(widths[i])) + std::string(kColumnGap);
        text += (r == 0 ? std::string("command") : rows[r - 1].command) + '\n';
    }
    return text;
}

Json comparisonJson(const std::vector<ComparisonRow>& rows) {
    Json array = Json::array();
    for (const ComparisonRow& r : rows) {
        Json row = {{"candidate", r.candidate},
                    {"design", r.design},
                    {"alternative", shownJson(r.alternative)}};
        for (const Column& c : kColumns)
            row[std::string(c.key)] = shownJson(r.fields[c.key]);
        row["command"] = r.command;
        array.push_back(std::move(row));
    }
    return array;
}

std::string comparisonCsv(const std::vector<ComparisonRow>& rows) {
    std::vector<std::string> header = {"candidate", "design", "alternative"};
    for (const Column& c : kColumns)
        header.emplace_back(c.csv);
    header.emplace_back("command");
    std::string csv = csvRow(header);
    for (const ComparisonRow& r : rows) {
        std::vector<std::string> line = {std::to_string(r.candidate), r.design,
                                         csvNumber(r.alternative.value)};
        for (const Column& c : kColumns) {
            const Shown& field = r.fields[c.key];
            line.push_back(field.whole ? csvWhole(field.value) : csvNumber(field.value));
        }
        line.push_back(r.command);
        csv += csvRow(line);
    }
    return csv;
}

}  // namespace qalix
