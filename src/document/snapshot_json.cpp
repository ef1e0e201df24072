#include "document/snapshot_json.hpp"

#include <cmath>
#include <string>

#include "design/level_choice.hpp"

namespace qalix {

namespace {

// A full value as JSON: null for one that is not a number.
Json number(double value) {
    return std::isfinite(value) ? Json(value) : Json(nullptr);
}

Json fieldsJson(const ShownFields& fields, Json object = Json::object()) {
    for (const auto& [name, field] : fields.fields)
        object[name] = shownJson(field);
    return object;
}

Json looksJson(const std::vector<DesignSnapshot::Look>& looks) {
    Json array = Json::array();
    for (const auto& look : looks)
        array.push_back(fieldsJson(look.fields, Json{{"look", look.look}}));
    return array;
}

Json valuesJson(const DesignSnapshot& d) {
    Json values = Json::object();
    for (const auto& [name, value] : d.values)
        values[name] = number(value);
    if (!d.sequential) return values;
    Json iterates = Json::array();
    for (double a : d.searchIterates)
        iterates.push_back(number(a));
    values["searchIterates"] = std::move(iterates);
    return values;
}

Json curvesJson(const DesignSnapshot& d, Json& out) {
    Json power = Json::array();
    for (const auto& p : d.powerFunction)
        power.push_back({{"theta", number(p.theta)},
                         {"reject", number(p.reject)},
                         {"accept", number(p.accept)}});
    Json expected = Json::array();
    for (const auto& p : d.expectedInformation)
        expected.push_back({{"theta", number(p.theta)}, {"expectedTime", number(p.expectedTime)}});
    out["powerFunction"] = std::move(power);
    out["expectedInformation"] = std::move(expected);
    return out;
}

Json characteristicsJson(const DesignSnapshot& d) {
    Json array = Json::array();
    for (const auto& m : d.characteristics) {
        Json entry = Json::object();
        entry[m.onDataScale ? "mu" : "delta"] = m.text;
        entry["looks"] = looksJson(m.looks);
        entry["expected"] = fieldsJson(m.expected);
        entry["discordance"] = fieldsJson(m.discordance);
        array.push_back(std::move(entry));
    }
    return array;
}

Json boundariesJson(const DesignSnapshot& d) {
    Json array = Json::array();
    for (const auto& b : d.boundaries)
        array.push_back(fieldsJson(b.fields, Json{{"look", b.look}, {"n", b.n}}));
    return array;
}

}  // namespace

Json shownJson(const Shown& field) {
    Json value = nullptr;
    if (field.value) {
        value = field.whole ? Json(static_cast<long long>(*field.value)) : number(*field.value);
    }
    return {{"text", field.text}, {"value", std::move(value)}};
}

Json snapshotJson(const DesignSnapshot& d) {
    Json out = Json::object();
    out["design"] = d.design;
    if (d.allocation) out["allocation"] = number(*d.allocation);
    Json panel = Json::object();
    for (const auto& [name, text] : d.panelTexts)
        panel[name] = text;
    out["panel"] = std::move(panel);
    out["values"] = valuesJson(d);
    if (!d.sequential) return out;
    if (d.criticalValue) out["criticalValue"] = shownJson(*d.criticalValue);
    if (d.nonbindingLevel) out["nonbindingLevel"] = shownJson(*d.nonbindingLevel);
    out["level"] = d.inputs.level.value_or(std::string(kNominalLevel));
    if (d.heldPower) {
        const auto& [quantity, from, to] = *d.heldPower;
        out["heldPower"] = {{"quantity", quantity},
                            {"from", number(from)},
                            {"to", number(to)},
                            {"ratio", number(to / from)}};
    }
    out["looks"] = looksJson(d.looks);
    if (d.curves) curvesJson(d, out);
    if (!d.characteristics.empty()) out["characteristics"] = characteristicsJson(d);
    if (!d.boundaries.empty()) out["boundaries"] = boundariesJson(d);
    return out;
}

}  // namespace qalix
