// qalix compare of nine candidates (K 4, 8 and 16 by three rho_max), one by one and on two
// threads, in-process as the command line runs it. Each candidate starts a program of its own
// and searches its coefficient, so the two runs should differ by the share of cores: the goal
// is two threads at most 0.6 of one by one on two cores. The ratio is printed after the runs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.hpp"

namespace {

void BM_CompareNineCandidates(benchmark::State& state) {
    const std::vector<std::string> args = {"compare",
                                           "--looks",
                                           "4;8;16",
                                           "--rho",
                                           "0.005;0.01;0.05",
                                           "--jobs",
                                           std::to_string(state.range(0))};
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (qalix::runCli(args, out, err) != 0) {
            state.SkipWithError("qalix compare failed");
            break;
        }
        benchmark::DoNotOptimize(out.str());
    }
}
BENCHMARK(BM_CompareNineCandidates)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// The console report, and the wall time of each run kept to compare them after.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                milliseconds_[run.run_name.args] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatio() const {
        const auto one = milliseconds_.find("jobs:1");
        const auto two = milliseconds_.find("jobs:2");
        if (one == milliseconds_.end() || two == milliseconds_.end() || one->second <= 0.0) return;
        std::printf("one by one %.1f ms, two threads %.1f ms: ratio %.2f (goal at most 0.60)\n",
                    one->second, two->second, two->second / one->second);
    }

  private:
    std::map<std::string, double> milliseconds_;  // by the arguments, "jobs:1"
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    benchmark::Shutdown();
    return 0;
}
