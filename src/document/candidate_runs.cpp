#include "document/candidate_runs.hpp"

#include <algorithm>
#include <numeric>
#include <sstream>

#include "document/design_inputs.hpp"
#include "document/parallel_runs.hpp"
#include "platform/headless/session.hpp"
#include "numeric/number_text.hpp"

namespace qalix {

namespace {

CandidateOutcome compute(std::size_t index, const DesignInputs& inputs, bool curves) {
    CandidateOutcome outcome;
    std::ostringstream messages;
    Session s;
    s.platform().echoConsole(&messages);
    s.printNotices(&messages);
    try {
        s.start();
        outcome.row = comparisonRow(index + 1, comparedSnapshot(s, inputs, curves));
    } catch (const MessageShown& shown) {
        messages << shown.message.caption << ": " << shown.message.text << '\n';
    } catch (const ControlRefused& refused) {
        messages << "qalix: " << refused.what() << '\n';
    } catch (const InputError& e) {  // a number of looks the caller could not check
        messages << "qalix: " << e.what() << '\n';
    }
    outcome.messages = messages.str();
    return outcome;
}

// The candidates with the most looks first: the costliest start first, so that the threads
// end together instead of one computing the last 16-look design alone.
std::vector<std::size_t> costliestFirst(const std::vector<DesignInputs>& candidates) {
    std::vector<std::size_t> order(candidates.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto looks = [&candidates](std::size_t i) {
        double k = 0.0;
        const auto& text = candidates[i].looks;
        return text && readFree(*text, k) == ReadStatus::Ok ? k : 0.0;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&looks](std::size_t a, std::size_t b) { return looks(a) > looks(b); });
    return order;
}

}  // namespace

std::vector<CandidateOutcome> computeCandidates(const std::vector<DesignInputs>& candidates,
                                                unsigned threads, bool curves) {
    std::vector<CandidateOutcome> outcomes(candidates.size());
    const std::vector<std::size_t> order = costliestFirst(candidates);
    runInParallel(candidates.size(), threads, [&](std::size_t j) {
        const std::size_t i = order[j];
        outcomes[i] = compute(i, candidates[i], curves);
    });
    return outcomes;
}

}  // namespace qalix
