#include "cli/cli.hpp"

#include <map>
#include <optional>
#include <string>

#include "cli/characteristics_report.hpp"
#include "cli/design_report.hpp"
#include "cli/options.hpp"
#include "cli/plot_command.hpp"
#include "cli/samples_commands.hpp"
#include "cli/session.hpp"
#include "design/info_times.hpp"
#include "design/panel_ids.hpp"
#include "shell/startup.hpp"

namespace qalix {

namespace {

using namespace panel;

int designButton(const std::string& design) {
    static const std::map<std::string, int, std::less<>> buttons = {
        {std::string(kNormseqName), kNormseqDesign},
        {std::string(kBrownianName), kBrownianDesign},
        {std::string(kFixedName), kFixedDesign}};
    return buttons.at(design);
}

int solveButton(const std::string& item) {
    static const std::map<std::string, int> buttons = {{"m", kSizeButton},
                                                       {"mu", kMuButton},
                                                       {"sd", kSdButton},
                                                       {"power", kPowerButton},
                                                       {"alpha", kAlphaButton}};
    return buttons.at(item);
}

void typeIfGiven(Session& s, int control, const std::optional<std::string>& text) {
    if (text) s.act([&](Driver& ui) { ui.type(control, *text); });
}

// What the panel computes after the parameters are typed. A statistician designing a
// sequential trial on a normal sample starts from its size: without --m or --solve the design
// command computes m first.
std::optional<std::string> solveItem(const CliOptions& o) {
    if (o.solve) return o.solve;
    if (o.command != kFixedCommand && o.design == kNormseqName && !o.m) return "m";
    return std::nullopt;
}

void runFixedSteps(Session& s, const CliOptions& o) {
    s.act([&](Driver& ui) { ui.click(designButton(o.design)); });
    typeIfGiven(s, kAlphaCombo, o.alpha);
    typeIfGiven(s, kPowerCombo, o.power);
    typeIfGiven(s, kSdCombo, o.sd);
    typeIfGiven(s, kMuCombo, o.mu);
    typeIfGiven(s, kSizeCombo, o.m);
    if (const auto item = solveItem(o)) s.act([&](Driver& ui) { ui.click(solveButton(*item)); });
}

// Types looks 1..K-1 of one row of the information-time dialog and updates the others.
void enterLooks(Session& s, const std::array<int, kMaxLooks>& row,
                const std::vector<std::string>& values) {
    const int K = s.program().record().numLooks;
    if (static_cast<int>(values.size()) != K - 1) {
        throw UsageError("give " + std::to_string(K - 1) +
                         " values, one for each look before the last");
    }
    for (std::size_t k = 0; k < values.size(); ++k) {
        s.act([&](Driver& ui) { ui.type(kInfoTimeDialog, row[k], values[k]); });
    }
    s.act([&](Driver& ui) { ui.click(kInfoTimeDialog, infotimes::kUpdateChanges); });
}

void runDesignSteps(Session& s, const CliOptions& o) {
    typeIfGiven(s, kLooksCombo, o.looks);
    const int enter = o.design == kBrownianName ? kInfoTimesButton : kGroupSizesButton;
    s.inModal(kInfoTimeDialog, infotimes::kOk, [&] {
        if (o.groups) enterLooks(s, infotimes::kGroupSize, *o.groups);
        if (o.times) enterLooks(s, infotimes::kTime, *o.times);
    });
    s.act([&](Driver& ui) { ui.click(enter); });
    typeIfGiven(s, kRhoCombo, o.rho);
    s.act([&](Driver& ui) { ui.click(kCoeffButton); });
    if (o.a) {
        typeIfGiven(s, kCoeffCombo, o.a);
        s.act([&](Driver& ui) { ui.click(kRhoButton); });
    }
    s.act([&](Driver& ui) { ui.click(kSequentialDesignButton); });
}

int run(const CliOptions& o, std::ostream& out, std::ostream& err,
        const PictureRenderer& renderer) {
    Session s(renderer);
    s.platform().echoConsole(&err);  // keeps the warning line out of the JSON on out
    s.printNotices(&err);
    try {
        s.platform().onModal(kStartScreenDialog, [&s](Dialog&) {
            s.ui().click(kStartScreenDialog, startscreen::kStart);
        });
        startUp(s.program());
        s.checkMessages();
        runFixedSteps(s, o);
        ReportNode report = ReportNode::object();
        reportFixed(s, report);
        if (o.command != kFixedCommand) {
            runDesignSteps(s, o);
            reportDesign(s, report, o.curves);
        }
        if (o.command == kDesignCommand) reportCharacteristics(s, o, report);
        if (o.command == kSimulateCommand) {
            runSimulate(s, o, report, out);
            return 0;
        }
        if (o.command == kImportCommand) runImport(s, o, report);
        if (o.command == kPlotCommand) {
            runPlot(s, o);
            return 0;
        }
        if (o.json) {
            report.writeJson(out);
        } else {
            report.writeText(out);
        }
        return 0;
    } catch (const MessageShown& shown) {
        err << shown.message.caption << ": " << shown.message.text << '\n';
        return 1;
    } catch (const ControlRefused& refused) {
        err << "qalix: " << refused.what() << '\n';
        return 1;
    }
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const PictureRenderer& renderer) {
    try {
        const CliOptions options = parseOptions(args);
        if (options.help) {
            out << helpText(options.command);
            return 0;
        }
        return run(options, out, err, renderer);
    } catch (const UsageError& e) {
        err << "qalix: " << e.what() << '\n' << kUsage << '\n';
        return 2;
    }
}

}  // namespace qalix
