#include "report/report_content.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "canvas/svg_canvas.hpp"
#include "design/design_record.hpp"
#include "design/panel_ids.hpp"
#include "design/trial_scale.hpp"
#include "document/capture.hpp"
#include "document/design_command.hpp"
#include "document/design_inputs.hpp"
#include "document/utc_time.hpp"
#include "graphics/plot_ids.hpp"
#include "numeric/normal.hpp"
#include "numeric/number_text.hpp"
#include "platform/headless/session.hpp"
#include "shell/frame_window.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

using Pictures = std::map<std::string, std::string>;

// Pictures drawn on an SVG canvas and kept by the name they were saved under.
PictureRenderer svgCapture(Pictures& pictures) {
    return [&pictures](const std::string& path, int width, int height,
                       const std::function<void(Canvas&)>& draw, std::string&) {
        SvgCanvas canvas(width, height);
        draw(canvas);
        pictures[path] = canvas.svg();
        return true;
    };
}

// The range of means every report shows (0, a quarter, a half, three quarters, once and one
// and a half times the alternative), then the design's own means (a design file's) and the
// means asked for; on the data scale with normal outcomes, on the Brownian scale on
// information time.
constexpr std::array kRangeFractions = {0.0, 0.25, 0.5, 0.75, 1.0, 1.5};

// A fraction of the alternative to twelve significant digits: 0.75 * 0.3 is the mean 0.225 a
// reader expects, not the 0.22499999999999998 of its binary product.
std::string fractionText(double alternative, double fraction) {
    if (fraction == 0.0) return "0";
    char text[32];
    std::snprintf(text, sizeof text, "%.12g", alternative * fraction);
    return formatFree(std::strtod(text, nullptr));
}

MeanList reportMeans(const DesignRecord& r, const std::optional<MeanList>& designMeans,
                     const std::vector<std::string>& extra) {
    const bool onDataScale = !isBrownian(r);
    const double alternative = onDataScale ? r.altMean : r.altDelta;
    MeanList range{onDataScale, {}};
    for (const double fraction : kRangeFractions)
        range.texts.push_back(fractionText(alternative, fraction));
    MeanList means = withDesignMeans(range, designMeans, r);
    means.texts.insert(means.texts.end(), extra.begin(), extra.end());
    return means;
}

// The design entered as the user enters it, with the report's means.
DesignInputs enterDesign(Session& s, const ReportRequest& request) {
    const AfterAction after = [&s] { s.checkMessages(); };
    DesignInputs inputs = request.inputs;
    enterFixedDesign(s.program(), inputs, after);
    enterSequentialDesign(s.program(), inputs, after);
    inputs.means = reportMeans(s.program().record(), request.inputs.means, request.extraMeans);
    return inputs;
}

// The power of the fixed-sample test on the trial's M observations at each mean: the one the
// sequential design is weighed against. 1 - Phi(z - delta), with the program's own normal
// distribution function and critical value.
std::vector<double> fixedSamplePowers(const DesignRecord& r, const MeanList& means) {
    std::vector<double> powers;
    for (const std::string& text : means.texts) {
        double mean = 0.0;
        readFree(text, mean);
        const double delta = means.onDataScale ? deltaOfMu(r, mean) : mean;
        powers.push_back(1.0 - HNM(static_cast<double>(r.zAlpha) - delta));
    }
    return powers;
}

std::string plotSvg(Session& s, const Pictures& pictures, int command, const std::string& name) {
    FrameWindow& frame = s.program().frame();
    frame.setClientRect({0, 0, kDefaultClientWidth, kDefaultClientHeight});
    s.act([](Driver& ui) { ui.click(panel::kGraphicWindow); });
    s.inModal(kPlotDialog, kIdCancel, [] {});
    s.act([&](Driver&) { frame.command(command); });
    s.platform().answerSaveFile({DialogOutcome::Accepted, name, 0});
    s.act([&](Driver&) { frame.command(menu::kSaveAs); });
    const auto picture = pictures.find(name);
    return picture == pictures.end() ? std::string() : picture->second;
}

// Decimals a probability is shown with: those after its point.
int shownDecimals(const std::string& text) {
    const auto point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

struct Probability {
    std::string where;
    const Shown* shown;
};

void probabilitiesAt(const DesignSnapshot& d, std::vector<Probability>& out) {
    for (const auto& at : d.characteristics) {
        const std::string mean = (at.onDataScale ? "mu = " : "delta = ") + at.text;
        for (const auto& look : at.looks) {
            for (const auto& [name, field] : look.fields.fields) {
                if (name == "groupSize" || name == "cumulative") continue;
                out.push_back(
                    {"look " + std::to_string(look.look) + ", " + name + ", " + mean, &field});
            }
        }
        for (const char* name : {"PSig", "PFut"})
            out.push_back({std::string(name) + ", " + mean, &at.expected[name]});
        for (const auto& [name, field] : at.discordance.fields)
            out.push_back({"discordance " + name + ", " + mean, &field});
    }
}

std::vector<Probability> probabilities(const DesignSnapshot& d) {
    std::vector<Probability> out;
    probabilitiesAt(d, out);
    return out;
}

double panelValue(const DesignSnapshot& d, std::string_view name) {
    for (const auto& [key, value] : d.values) {
        if (key == name) return value;
    }
    return std::nan("");
}

std::string panelText(const DesignSnapshot& d, std::string_view name) {
    for (const auto& [key, text] : d.panelTexts) {
        if (key == name) return text;
    }
    return {};
}

void compare(AccuracyCheck& check, const std::string& where, const std::string& text, double was,
             double now) {
    const double difference = std::abs(now - was);
    check.largest = std::max(check.largest, difference);
    if (difference > 0.5 * std::pow(10.0, -shownDecimals(text)))
        check.marked.push_back({where, text, difference, true});
}

AccuracyCheck checkOnFinerGrid(const ReportRequest& request, const DesignInputs& inputs,
                               const DesignSnapshot& shown) {
    AccuracyCheck check;
    check.gridIntervals = kMaxGridIntervals;
    try {
        Session fine;
        fine.start();
        fine.program().record().gridIntervals = kMaxGridIntervals;
        const AfterAction after = [&fine] { fine.checkMessages(); };
        enterFixedDesign(fine.program(), request.inputs, after);
        enterSequentialDesign(fine.program(), request.inputs, after);
        const DesignSnapshot finer = captureSnapshot(fine, inputs, {});
        for (const char* name : {"maxDiscordance", "actualSigLevel", "actualPower"})
            compare(check, name, panelText(shown, name), panelValue(shown, name),
                    panelValue(finer, name));
        const auto was = probabilities(shown);
        const auto now = probabilities(finer);
        for (std::size_t i = 0; i < was.size() && i < now.size(); ++i) {
            if (!was[i].shown->value || !now[i].shown->value) continue;
            compare(check, was[i].where, was[i].shown->text, *was[i].shown->value,
                    *now[i].shown->value);
        }
        check.computed = true;
    } catch (const MessageShown& shownMessage) {
        check.reason = shownMessage.message.text;
    }
    return check;
}

}  // namespace

ReportContent computeReport(const ReportRequest& request) {
    Pictures pictures;
    Session s(svgCapture(pictures));
    s.start();
    ReportContent report;
    report.request = request;
    const DesignInputs inputs = enterDesign(s, request);
    report.snapshot =
        captureSnapshot(s, inputs, {.sequential = true, .boundaries = true, .curves = true});
    report.rangeMeans = kRangeFractions.size();
    report.fixedSamplePower = fixedSamplePowers(s.program().record(), *inputs.means);
    report.maximumSize = maximumSize(s.program().record());
    report.snapshot.inputs = completeInputs(report.snapshot);
    report.command = designCommand(report.snapshot.inputs);
    report.date = utcNow(UtcPrecision::Day);
    report.plots = {plotSvg(s, pictures, menu::kPlotBoundary, "boundary.svg"),
                    plotSvg(s, pictures, menu::kPlotPower, "power.svg"),
                    plotSvg(s, pictures, menu::kPlotExpectedSize, "expected.svg")};
    report.accuracy = checkOnFinerGrid(request, inputs, report.snapshot);
    return report;
}

}  // namespace qalix
