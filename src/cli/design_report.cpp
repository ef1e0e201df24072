#include "cli/design_report.hpp"

#include <initializer_list>
#include <vector>

#include "design/info_times.hpp"
#include "design/panel_ids.hpp"
#include "design/sequential_design.hpp"

namespace qalix {

namespace {

using namespace panel;

// The per-look fields of the information-time dialog with the values behind them: the times
// the engine integrates over, and the group and cumulative sizes of the record.
ReportNode lookFields(Session& s, int k) {
    const DesignRecord& r = s.program().record();
    const Driver& ui = s.ui();
    const auto i = static_cast<std::size_t>(k - 1);
    ReportNode look = ReportNode::object();
    look["look"] = ReportNode::integer(k);
    look["infoTime"] =
        ReportNode::shown(ui.text(kInfoTimeDialog, infotimes::kTime[i]), r.engineTime[i]);
    look["groupSize"] = ReportNode::shown(ui.text(kInfoTimeDialog, infotimes::kGroupSize[i]),
                                          static_cast<long long>(r.groupSize[i]));
    look["cumulative"] = ReportNode::shown(ui.text(kInfoTimeDialog, infotimes::kCumulative[i]),
                                           static_cast<long long>(r.cumSize[i]));
    return look;
}

// Each point of a curve with its true mean theta; the values hold keys.size() entries per
// point, in the order of the keys.
ReportNode curve(const std::vector<double>& means, const std::vector<double>& values,
                 std::initializer_list<const char*> keys) {
    ReportNode points = ReportNode::array();
    for (std::size_t i = 0; i < means.size(); ++i) {
        ReportNode point = ReportNode::object();
        point["theta"] = ReportNode::number(means[i]);
        std::size_t j = i * keys.size();
        for (const char* key : keys)
            point[key] = ReportNode::number(values[j++]);
        points.push(std::move(point));
    }
    return points;
}

}  // namespace

void reportFixed(Session& s, ReportNode& report) {
    const DesignRecord& r = s.program().record();
    const Driver& ui = s.ui();
    report["design"] = ReportNode::text(r.designKind.str());
    ReportNode& panelTexts = report["panel"];
    panelTexts["alpha"] = ReportNode::text(ui.text(kAlphaCombo));
    panelTexts["power"] = ReportNode::text(ui.text(kPowerCombo));
    panelTexts["sd"] = ReportNode::text(ui.text(kSdCombo));
    panelTexts["mu"] = ReportNode::text(ui.text(kMuCombo));
    panelTexts["m"] = ReportNode::text(ui.text(kSizeCombo));
    ReportNode& values = report["values"];
    values["alpha"] = ReportNode::number(r.alpha);
    values["power"] = ReportNode::number(r.power);
    values["sd"] = ReportNode::number(r.stdDev);
    values["mu"] = ReportNode::number(r.altMean);
    values["m"] = ReportNode::number(r.sampleSize);
    values["altDelta"] = ReportNode::number(r.altDelta);
}

void reportDesign(Session& s, ReportNode& report, bool curves) {
    Program& program = s.program();
    const Driver& ui = s.ui();
    const SequentialState& seq = program.sequential();
    ReportNode& panelTexts = report["panel"];
    panelTexts["looks"] = ReportNode::text(ui.text(kLooksCombo));
    panelTexts["rho"] = ReportNode::text(ui.text(kRhoCombo));
    panelTexts["a"] = ReportNode::text(ui.text(kCoeffCombo));
    panelTexts["maxDiscordance"] = ReportNode::text(ui.text(kDiscordanceEdit));
    panelTexts["actualSigLevel"] = ReportNode::text(ui.text(kActualSigEdit));
    panelTexts["actualPower"] = ReportNode::text(ui.text(kActualPowerEdit));

    ReportNode& looks = report["looks"] = ReportNode::array();
    for (int k = 1; k <= program.record().numLooks; ++k)
        looks.push(lookFields(s, k));

    // The values the program used: a blank coefficient combo leaves the last a read.
    ReportNode& values = report["values"];
    values["a"] = ReportNode::number(seq.coefficient);
    values["achievedRho"] = ReportNode::number(seq.achievedRho);
    values["rhoMax"] = ReportNode::number(program.record().rhoMax);
    values["maxDiscordance"] = ReportNode::number(seq.maxDiscordance);
    values["actualSigLevel"] = ReportNode::number(seq.actualLevel);
    values["actualPower"] = ReportNode::number(seq.actualPower);
    values["searchIterates"] = ReportNode::numbers(seq.searchIterates);
    if (curves) {
        std::vector<double> means;
        const std::vector<double> power = powerFunction(program, &means);
        report["powerFunction"] = curve(means, power, {"reject", "accept"});
        const std::vector<double> expected = expectedInformation(program, &means);
        report["expectedInformation"] = curve(means, expected, {"expectedTime"});
    }
}

}  // namespace qalix
