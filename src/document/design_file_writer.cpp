#include "document/design_file.hpp"

#include <filesystem>
#include <vector>

#include "document/utc_time.hpp"
#include "numeric/number_text.hpp"
#include "program_version.hpp"

namespace qalix {

namespace {

Json typed(const std::string& text) {
    double value = 0.0;
    const bool read = readFree(text, value) == ReadStatus::Ok;
    return {{"text", text}, {"value", read ? Json(value) : Json(nullptr)}};
}

Json typedList(const std::vector<std::string>& texts) {
    Json list = Json::array();
    for (const std::string& t : texts)
        list.push_back(typed(t));
    return list;
}

Json inputsJson(const DesignInputs& in) {
    Json j = Json::object();
    j["design"] = in.design;
    // Written only for two groups: a file without it is a one-sample design.
    if (in.allocation) j["allocation"] = typed(*in.allocation);
    const std::pair<const char*, const std::optional<std::string>*> parameters[] = {
        {"alpha", &in.alpha}, {"power", &in.power}, {"sd", &in.sd}, {"mu", &in.mu}, {"m", &in.m}};
    for (const auto& [name, value] : parameters) {
        if (*value) j[name] = typed(**value);
    }
    if (in.solve) j["solve"] = *in.solve;
    if (in.looks) j["looks"] = typed(*in.looks);
    if (in.groups) j["groups"] = typedList(*in.groups);
    if (in.times) j["times"] = typedList(*in.times);
    if (in.rho) j["rho"] = typed(*in.rho);
    if (in.a) j["a"] = typed(*in.a);
    // Written only when chosen: a file without them is the design at the nominal level.
    if (in.level) j["level"] = *in.level;
    if (in.holdPower) j["holdPower"] = true;
    if (in.means) {
        j["means"] = {{"scale", in.means->onDataScale ? "mu" : "delta"},
                      {"values", typedList(in.means->texts)}};
    }
    return j;
}

}  // namespace

std::string designFileTarget(const std::string& chosen) {
    if (std::filesystem::path(chosen).has_extension()) return chosen;
    return chosen + std::string(kDesignFileExtension);
}

std::string designFileText(const DesignSnapshot& snapshot, std::string_view title,
                           std::string_view notes, const TrialRecord* trial) {
    Json file = Json::object();
    file["format"] = kDesignFileFormat;
    file["version"] = kDesignFileVersion;
    file["program"] = "qalix " + std::string(kProgramVersion);
    file["written"] = utcNow(UtcPrecision::Second);
    file["title"] = title;
    file["notes"] = notes;
    file["inputs"] = inputsJson(snapshot.inputs);
    if (trial != nullptr) {
        Json analysis = {{"looks", trial->looks}};
        if (trial->confidence) analysis["confidence"] = *trial->confidence;
        file["analysis"] = std::move(analysis);
    }
    file["derived"] = snapshotJson(snapshot);
    return file.dump(2) + "\n";
}

std::optional<std::string> resultsDiffer(const DesignFile& file, const Json& now) {
    const auto difference = firstDifference(file.derived, now);
    if (!difference) return std::nullopt;
    return "The results differ from those the design file holds (written by " +
           (file.program.empty() ? std::string("another program") : file.program) + "), first at " +
           *difference + ".";
}

}  // namespace qalix
