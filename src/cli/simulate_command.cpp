// qalix simulate: sample paths simulated for the sets given on a sequential design, written as
// "Save Simulation" writes them.
#include "cli/command_session.hpp"
#include "cli/commands.hpp"
#include "cli/output.hpp"
#include "cli/sample_steps.hpp"
#include "design/panel_ids.hpp"
#include "samples/sample_files.hpp"
#include "ui/menu_ids.hpp"

namespace qalix {

namespace {

// The sets simulated, as the simulation table holds them, and their "Simu" lines.
void addSets(Session& s, Json& output, const std::string& lines) {
    const DesignRecord& r = s.program().record();
    const SamplesState& state = s.program().samples();
    Json& simulation = output["simulation"];
    simulation["seed"] = state.lastSeed;
    Json& sets = simulation["sets"] = Json::array();
    for (int set = 1; set <= r.simRecordCount; ++set) {
        const auto i = static_cast<std::size_t>(set - 1);
        sets.push_back({{"set", set},
                        {"mu", r.simMean[i]},
                        {"delta", r.simDelta[i]},
                        {"n", r.simSize[i]},
                        {"observations", state.drawn[i]}});
    }
    Json& texts = simulation["lines"] = Json::array();
    std::size_t start = 0;
    for (std::size_t end = lines.find('\n'); end != std::string::npos;
         start = end + 1, end = lines.find('\n', start)) {
        texts.push_back(lines.substr(start, end - start));
    }
}

// Writes the "Simu" lines to --out, as "Save Simulation" does, or to out; or the output with
// the sets and lines, as JSON.
void simulateAndWrite(Session& s, const CliOptions& o, Json& output, std::ostream& out) {
    simulateSets(s, o.samples, isBrownianKey(o.inputs.design));
    const auto lines = simulationText(s.program().record(), s.program().samples());
    if (o.output.out) {
        // What "Save Simulation" does in the text window, for the file chosen.
        s.act([](Driver& ui) { ui.click(panel::kTextWindow); });
        s.platform().answerSaveFile({DialogOutcome::Accepted, *o.output.out, 0});
        s.act([&](Driver&) { s.program().frame().command(menu::kSaveSimulation); });
    }
    if (o.output.json) {
        addSets(s, output, lines.value_or(""));
        writeJson(output, out);
    } else if (!o.output.out) {
        out << lines.value_or("");
    }
}

}  // namespace

int runSimulate(const CliOptions& o, const CommandContext& c) {
    return inSession(c, [&](Session& s) {
        Json output = outputOf(sequentialDesign(s, o.inputs), o.output);
        simulateAndWrite(s, o, output, c.out);
        return 0;
    });
}

}  // namespace qalix
