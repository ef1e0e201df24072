// A statistician's script that loops over designs starts qalix once per design: the start-up of
// the command line, from spawning it to its exit, for the quickest command: the fixed-sample
// design's JSON.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The qalix of this build, or another one to compare with (QALIX_CLI=path/to/qalix).
std::string qalixPath() {
    const char* other = std::getenv("QALIX_CLI");
    return other != nullptr ? other : QALIX_CLI_PATH;
}

void runQalix(benchmark::State& state, std::vector<std::string> args) {
    args.insert(args.begin(), qalixPath());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("qalix cannot be started");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("qalix failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&quiet);
}

void BM_FixedJson(benchmark::State& state) {
    runQalix(state, {"fixed", "--json"});
}
BENCHMARK(BM_FixedJson)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
