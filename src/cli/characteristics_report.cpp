#include "cli/characteristics_report.hpp"

#include <array>

#include "characteristics/boundary_ids.hpp"
#include "characteristics/discordance_ids.hpp"
#include "characteristics/expected_size_ids.hpp"
#include "characteristics/significance.hpp"
#include "characteristics/significance_ids.hpp"
#include "design/panel_ids.hpp"

namespace qalix {

namespace {

// The true means as the user types them: into the delta combos, or into the mu combos.
struct MeanEntry {
    const std::vector<std::string>& texts;
    bool onDataScale;
};

ReportNode shown(Session& s, int dialog, int control, double value) {
    return ReportNode::shown(s.ui().text(dialog, control), value);
}

void enterMean(Session& s, int dialog, int deltaCombo, int muCombo, const MeanEntry& means,
               std::size_t i) {
    const int combo = means.onDataScale ? muCombo : deltaCombo;
    s.act([&](Driver& ui) { ui.type(dialog, combo, means.texts[i]); });
}

void reportSignificance(Session& s, const MeanEntry& means, std::vector<ReportNode*>& items) {
    using namespace significance;
    const int K = s.program().record().numLooks;
    const HittingProbabilities& p = s.program().characteristics().hitting;
    s.inModal(kSignificanceDialog, kClose, [&] {
        for (std::size_t i = 0; i < means.texts.size(); ++i) {
            enterMean(s, kSignificanceDialog, kDeltaCombo, kMuCombo, means, i);
            ReportNode& looks = (*items[i])["looks"] = ReportNode::array();
            for (int k = 1; k <= K; ++k) {
                s.act([&](Driver& ui) { ui.spin(kSignificanceDialog, kStageSpin, k); });
                ReportNode look = ReportNode::object();
                look["look"] = ReportNode::integer(k);
                look["sigAt"] = shown(s, kSignificanceDialog, kSigAtEdit, p.sigAt);
                look["sigBy"] = shown(s, kSignificanceDialog, kSigByEdit, p.sigBy);
                look["stopAt"] = shown(s, kSignificanceDialog, kStopAtEdit, p.stopAt);
                look["stopBy"] = shown(s, kSignificanceDialog, kStopByEdit, p.stopBy);
                // On information time the group size field is blank: its value is null.
                const LookSizes sizes = sizesAtLook(s.program().record(), k);
                look["groupSize"] = ReportNode::shown(
                    s.ui().text(kSignificanceDialog, kGroupSizeEdit), sizes.group.value_or(0));
                look["cumulative"] = ReportNode::shown(
                    s.ui().text(kSignificanceDialog, kCumulativeEdit), sizes.cumulative);
                looks.push(std::move(look));
            }
        }
    });
    s.act([](Driver& ui) { ui.click(panel::kSignificanceButton); });
}

void reportExpectedSize(Session& s, const MeanEntry& means, std::vector<ReportNode*>& items) {
    using namespace expectedsize;
    const ExpectedSizes& e = s.program().characteristics().expected;
    s.inModal(kExpectedSizeDialog, kClose, [&] {
        for (std::size_t i = 0; i < means.texts.size(); ++i) {
            enterMean(s, kExpectedSizeDialog, kDeltaCombo, kMuCombo, means, i);
            ReportNode& expected = (*items[i])["expected"];
            const auto field = [&](const char* key, int control, double value) {
                expected[key] = shown(s, kExpectedSizeDialog, control, value);
            };
            field("EN", kSizeOverall, e.sizeOverall);
            field("ENSig", kSizeGivenSig, e.sizeGivenSig);
            field("ENFut", kSizeGivenFut, e.sizeGivenFut);
            field("ET", kTimeOverall, e.timeOverall);
            field("ETSig", kTimeGivenSig, e.timeGivenSig);
            field("ETFut", kTimeGivenFut, e.timeGivenFut);
            field("PSig", kProbSig, e.probSig);
            field("PFut", kProbFut, e.probFut);
        }
    });
    s.act([](Driver& ui) { ui.click(panel::kExpectedSizeButton); });
}

void reportDiscordance(Session& s, const MeanEntry& means, std::vector<ReportNode*>& items) {
    using namespace discordance;
    const DiscordanceValues& d = s.program().characteristics().discordance;
    s.inModal(kDiscordanceDialog, kClose, [&] {
        for (std::size_t i = 0; i < means.texts.size(); ++i) {
            enterMean(s, kDiscordanceDialog, kDeltaCombo, kMuCombo, means, i);
            ReportNode& node = (*items[i])["discordance"];
            node["all"] = shown(s, kDiscordanceDialog, kOverall, d.overall);
            node["sig"] = shown(s, kDiscordanceDialog, kAtSignificance, d.atSignificance);
            node["fut"] = shown(s, kDiscordanceDialog, kAtFutility, d.atFutility);
        }
    });
    s.act([](Driver& ui) { ui.click(panel::kDiscordanceButton); });
}

void reportBoundaries(Session& s, ReportNode& report) {
    using namespace boundaries;
    const CharacteristicsState& c = s.program().characteristics();
    ReportNode& looks = report["boundaries"] = ReportNode::array();
    s.inModal(kBoundaryDialog, kClose, [&] {
        for (int k = 1; k <= s.program().record().numLooks; ++k) {
            s.act([&](Driver& ui) { ui.spin(kBoundaryDialog, kLookSpin, k); });
            const BoundaryValues& b = c.boundary;
            ReportNode look = ReportNode::object();
            look["look"] = ReportNode::integer(k);
            look["n"] = ReportNode::integer(c.partialSize);
            look["infoTime"] = shown(s, kBoundaryDialog, kTimeCombo, c.time);
            look["lowerSum"] = shown(s, kBoundaryDialog, kLowerSum, b.lowerSum);
            look["upperSum"] = shown(s, kBoundaryDialog, kUpperSum, b.upperSum);
            look["lowerStd"] = shown(s, kBoundaryDialog, kLowerStd, b.lowerStd);
            look["upperStd"] = shown(s, kBoundaryDialog, kUpperStd, b.upperStd);
            look["lowerP"] = shown(s, kBoundaryDialog, kLowerP, b.lowerP);
            look["upperP"] = shown(s, kBoundaryDialog, kUpperP, b.upperP);
            looks.push(std::move(look));
        }
    });
    s.act([](Driver& ui) { ui.click(panel::kBoundaryButton); });
}

}  // namespace

void reportCharacteristics(Session& s, const CliOptions& o, ReportNode& report) {
    const auto& texts = o.deltas ? *o.deltas : o.means ? *o.means : std::vector<std::string>{};
    if (!texts.empty()) {
        const MeanEntry means{texts, o.means.has_value()};
        ReportNode& items = report["characteristics"] = ReportNode::array();
        for (const std::string& text : texts) {
            ReportNode entry = ReportNode::object();
            entry[means.onDataScale ? "mu" : "delta"] = ReportNode::text(text);
            items.push(std::move(entry));
        }
        std::vector<ReportNode*> byMean;
        for (std::size_t i = 0; i < texts.size(); ++i)
            byMean.push_back(&items.item(i));
        reportSignificance(s, means, byMean);
        reportExpectedSize(s, means, byMean);
        reportDiscordance(s, means, byMean);
    }
    if (o.lookDetails) reportBoundaries(s, report);
}

}  // namespace qalix
