#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

// The time from starting a program to its first window painted, for the
// program and for a bare Qt main window, run in turn so that both see the
// same load: the wall-clock time, and the processor time, which a busy
// machine disturbs less. VARNETH_START_BEFORE may name another build of the program to
// compare with. Run it under a display (xvfb-run); without one the offscreen
// platform is used.
namespace {

std::string BinFolder()
{
    return std::filesystem::canonical("/proc/self/exe").parent_path().string();
}

struct TRun {
    double wall = -1; // seconds until the program has ended
    double cpu = -1;  // seconds of processor time it took, its own and the system's
};

// One run of the program, told to exit after its first paint.
TRun TimeToFirstPaint(const std::string &program)
{
    const auto start = std::chrono::steady_clock::now();
    char *const argv[] = {const_cast<char *>(program.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return {};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
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
        std::vector<double> cpu;
    };
    std::vector<TProgram> programs = {{"bare", BinFolder() + "/bare_window", {}, {}},
                                      {"varneth", BinFolder() + "/varneth", {}, {}}};
    if (const char *before = std::getenv("VARNETH_START_BEFORE"))
        programs.push_back({"before", before, {}, {}});
    for (auto _ : state) {
        for (TProgram &program : programs) {
            const TRun run = TimeToFirstPaint(program.path);
            if (run.wall < 0) {
                state.SkipWithError(("did not start: " + program.path).c_str());
                return;
            }
            program.times.push_back(run.wall);
            program.cpu.push_back(run.cpu);
        }
    }
    // Medians, in milliseconds, and each program's over the bare window's.
    const double bare = Median(programs[0].times), bareCpu = Median(programs[0].cpu);
    for (const TProgram &program : programs) {
        const std::string name = program.name;
        state.counters[name + "_ms"] = Median(program.times) * 1000;
        state.counters[name + "_cpu_ms"] = Median(program.cpu) * 1000;
        if (&program != &programs[0]) {
            state.counters[name + "_ratio"] = Median(program.times) / bare;
            state.counters[name + "_cpu_ratio"] = Median(program.cpu) / bareCpu;
        }
    }
}

} // namespace

BENCHMARK(BM_FirstWindow)->Iterations(15)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
