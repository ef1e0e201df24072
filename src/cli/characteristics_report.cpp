#include "cli/characteristics_report.hpp"

#include <array>

#include "characteristics/control_ids.hpp"
#include "design/panel_ids.hpp"

namespace qalix {

namespace {

using namespace oc;

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
    s.act([](Driver& ui) { ui.click(panel::kSignificanceButton); });
    const int K = s.program().record().numLooks;
    const CharacteristicsState& c = s.program().characteristics();
    for (std::size_t i = 0; i < means.texts.size(); ++i) {
        enterMean(s, kSignificanceDialog, kSigDeltaCombo, kSigMuCombo, means, i);
        ReportNode& looks = (*items[i])["looks"] = ReportNode::array();
        for (int k = 1; k <= K; ++k) {
            s.act([&](Driver& ui) { ui.spin(kSignificanceDialog, kStageSpin, k); });
            ReportNode look = ReportNode::object();
            look["look"] = ReportNode::integer(k);
            look["sigAt"] = shown(s, kSignificanceDialog, kSigAtEdit, c.hitting[0]);
            look["sigBy"] = shown(s, kSignificanceDialog, kSigByEdit, c.hitting[1]);
            look["stopAt"] = shown(s, kSignificanceDialog, kStopAtEdit, c.hitting[2]);
            look["stopBy"] = shown(s, kSignificanceDialog, kStopByEdit, c.hitting[3]);
            look["groupSize"] = ReportNode::text(s.ui().text(kSignificanceDialog, kGroupSizeEdit));
            look["cumulative"] =
                ReportNode::text(s.ui().text(kSignificanceDialog, kCumulativeEdit));
            looks.push(std::move(look));
        }
    }
}

void reportExpectedSize(Session& s, const MeanEntry& means, std::vector<ReportNode*>& items) {
    s.act([](Driver& ui) { ui.click(panel::kExpectedSizeButton); });
    constexpr std::array<std::pair<const char*, int>, 8> fields = {{{"EN", kExpectedN},
                                                                    {"ENSig", kExpectedNSig},
                                                                    {"ENFut", kExpectedNFut},
                                                                    {"ET", kExpectedT},
                                                                    {"ETSig", kExpectedTSig},
                                                                    {"ETFut", kExpectedTFut},
                                                                    {"PSig", kProbSig},
                                                                    {"PFut", kProbFut}}};
    const CharacteristicsState& c = s.program().characteristics();
    for (std::size_t i = 0; i < means.texts.size(); ++i) {
        enterMean(s, kExpectedSizeDialog, kSizeDeltaCombo, kSizeMuCombo, means, i);
        ReportNode& expected = (*items[i])["expected"];
        for (std::size_t f = 0; f < fields.size(); ++f) {
            expected[fields[f].first] =
                shown(s, kExpectedSizeDialog, fields[f].second, c.expected[f]);
        }
    }
}

void reportDiscordance(Session& s, const MeanEntry& means, std::vector<ReportNode*>& items) {
    s.act([](Driver& ui) { ui.click(panel::kDiscordanceButton); });
    const CharacteristicsState& c = s.program().characteristics();
    for (std::size_t i = 0; i < means.texts.size(); ++i) {
        enterMean(s, kDiscordanceDialog, kDiscDeltaCombo, kDiscMuCombo, means, i);
        ReportNode& discordance = (*items[i])["discordance"];
        discordance["all"] = shown(s, kDiscordanceDialog, kDiscAll, c.discordance[0]);
        discordance["sig"] = shown(s, kDiscordanceDialog, kDiscSig, c.discordance[1]);
        discordance["fut"] = shown(s, kDiscordanceDialog, kDiscFut, c.discordance[2]);
    }
}

void reportBoundaries(Session& s, ReportNode& report) {
    s.act([](Driver& ui) { ui.click(panel::kBoundaryButton); });
    const CharacteristicsState& c = s.program().characteristics();
    ReportNode& looks = report["boundaries"] = ReportNode::array();
    for (int k = 1; k <= s.program().record().numLooks; ++k) {
        s.act([&](Driver& ui) { ui.spin(kBoundaryDialog, kLookSpin, k); });
        ReportNode look = ReportNode::object();
        look["look"] = ReportNode::integer(k);
        look["n"] = ReportNode::integer(c.partialSize);
        look["infoTime"] = shown(s, kBoundaryDialog, kTimeCombo, c.time);
        look["lowerSum"] = shown(s, kBoundaryDialog, kLowerSum, c.boundary[0]);
        look["upperSum"] = shown(s, kBoundaryDialog, kUpperSum, c.boundary[1]);
        look["lowerStd"] = shown(s, kBoundaryDialog, kLowerStd, c.boundary[2]);
        look["upperStd"] = shown(s, kBoundaryDialog, kUpperStd, c.boundary[3]);
        look["lowerP"] = shown(s, kBoundaryDialog, kLowerP, c.boundary[4]);
        look["upperP"] = shown(s, kBoundaryDialog, kUpperP, c.boundary[5]);
        looks.push(std::move(look));
    }
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
