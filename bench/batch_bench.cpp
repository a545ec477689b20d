// Many orders priced at once: dalvex-cli calc on 1,000 sample sketches in one process, on one thread and on
// two sharing one catalogue, against 1,000 separate dalvex-cli calc processes, one file each. The sketches
// are copies of the sample sketches make_sample_sketches writes (one per system), all in one folder.
#include <benchmark/benchmark.h>

#if !defined(_WIN32)
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace dalvex::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kOrders = 1000;

fs::path programFolder() {
    return fs::path(DALVEX_BINARY_DIR);
}

// Runs a program of the build folder to its end with its output thrown away; false when it failed.
bool runProgram(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The thousand sketch files, made once.
const std::vector<std::string>& orders() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> made;
        const fs::path folder = fs::temp_directory_path() / ("dalvex-batch-" + std::to_string(getpid()));
        fs::create_directories(folder / "samples");
        if (!runProgram({(programFolder() / "make_sample_sketches").string(), (folder / "samples").string()}))
            return made;
        std::vector<fs::path> samples;
        for (const auto& entry : fs::directory_iterator(folder / "samples"))
            if (entry.path().extension() == ".dlx") samples.push_back(entry.path());
        if (samples.empty()) return made;
        for (int i = 0; i < kOrders; ++i) {
            const fs::path copy = folder / ("order-" + std::to_string(i) + ".dlx");
            fs::copy_file(samples[static_cast<size_t>(i) % samples.size()], copy,
                          fs::copy_options::overwrite_existing);
            made.push_back(copy.string());
        }
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(fs::temp_directory_path() / ("dalvex-batch-" + std::to_string(getpid())), ec);
        });
        return made;
    }();
    return files;
}

// Times each iteration of `iteration` by the wall clock (the work is in child processes).
template <class Iteration> void timed(benchmark::State& state, Iteration iteration) {
    if (orders().size() != kOrders) {
        state.SkipWithError("the sample sketches could not be made");
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!iteration()) {
            state.SkipWithError("dalvex-cli failed");
            return;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["orders"] = kOrders;
}

void BM_CalcManyFiles(benchmark::State& state) {
    std::vector<std::string> args{(programFolder() / "dalvex-cli").string(), "calc", "--jobs",
                                  std::to_string(state.range(0))};
    timed(state, [&] {
        std::vector<std::string> all = args;
        all.insert(all.end(), orders().begin(), orders().end());
        return runProgram(all);
    });
}
BENCHMARK(BM_CalcManyFiles)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_CalcSeparateProcesses(benchmark::State& state) {
    const std::string cli = (programFolder() / "dalvex-cli").string();
    timed(state, [&] {
        for (const std::string& order : orders())
            if (!runProgram({cli, "calc", order})) return false;
        return true;
    });
}
BENCHMARK(BM_CalcSeparateProcesses)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace dalvex::bench
#endif
