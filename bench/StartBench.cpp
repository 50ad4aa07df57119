#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char **environ;

// The time from starting a program to its first window painted, for the
// program and for a bare Qt main window, run in turn so that both see the
// same load. VARNETH_START_BEFORE may name another build of the program to
// compare with. Run it under a display (xvfb-run); without one the offscreen
// platform is used.
namespace {

std::string BinFolder()
{
    return std::filesystem::canonical("/proc/self/exe").parent_path().string();
}

// Seconds until the program, told to exit after its first paint, has ended.
double TimeToFirstPaint(const std::string &program)
{
    const auto start = std::chrono::steady_clock::now();
    char *const argv[] = {const_cast<char *>(program.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void BM_FirstWindow(benchmark::State &state)
{
    setenv("VARNETH_EXIT_AFTER_FIRST_PAINT", "1", 1);
    if (!std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    struct TProgram {
        const char *name;
        std::string path;
        std::vector<double> times;
    };
    std::vector<TProgram> programs = {{"bare_ms", BinFolder() + "/bare_window", {}},
                                      {"varneth_ms", BinFolder() + "/varneth", {}}};
    if (const char *before = std::getenv("VARNETH_START_BEFORE"))
        programs.push_back({"before_ms", before, {}});
    for (auto _ : state) {
        for (TProgram &program : programs) {
            const double seconds = TimeToFirstPaint(program.path);
            if (seconds < 0) {
                state.SkipWithError(("did not start: " + program.path).c_str());
                return;
            }
            program.times.push_back(seconds);
        }
    }
    const double bare = Median(programs[0].times);
    for (const TProgram &program : programs) {
        const double median = Median(program.times);
        state.counters[program.name] = median * 1000;
        if (&program != &programs[0])
            state.counters[std::string(program.name, std::string(program.name).size() - 3) +
                           "_ratio"] = median / bare;
    }
}

} // namespace

BENCHMARK(BM_FirstWindow)->Iterations(15)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
