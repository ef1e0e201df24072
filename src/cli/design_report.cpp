#include "cli/design_report.hpp"

#include "design/info_times.hpp"
#include "design/panel_ids.hpp"
#include "design/sequential_design.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

using namespace panel;

// The value of record of a text control, read back as the program reads it.
double parsed(const std::string& text) {
    double value = 0.0;
    readFree(text, value);
    return value;
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
    for (int k = 1; k <= program.record().numLooks; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        ReportNode look = ReportNode::object();
        look["look"] = ReportNode::integer(k);
        look["infoTime"] = ReportNode::text(ui.text(kInfoTimeDialog, infotimes::kTime[i]));
        look["groupSize"] = ReportNode::text(ui.text(kInfoTimeDialog, infotimes::kGroupSize[i]));
        look["cumulative"] = ReportNode::text(ui.text(kInfoTimeDialog, infotimes::kCumulative[i]));
        looks.push(std::move(look));
    }

    ReportNode& values = report["values"];
    values["a"] = ReportNode::number(parsed(ui.text(kCoeffCombo)));
    values["rhoMax"] = ReportNode::number(program.record().rhoMax);
    values["maxDiscordance"] = ReportNode::number(seq.maxDiscordance);
    values["actualSigLevel"] = ReportNode::number(seq.actualLevel);
    values["actualPower"] = ReportNode::number(seq.actualPower);
    values["searchIterates"] = ReportNode::numbers(seq.searchIterates);
    if (curves) {
        report["powerFunction"] = ReportNode::numbers(powerFunction(program));
        report["expectedInformation"] = ReportNode::numbers(expectedInformation(program));
    }
}

}  // namespace qalix
