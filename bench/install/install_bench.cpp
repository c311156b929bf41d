// CPU time of one whole scripted installation: the installer program run headless under the
// demo script on a fresh machine, measured as the CPU its process used (user and system).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

double children_cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The demo script without its screenshots, which would measure the PNG writer instead.
void write_script_without_shots(const fs::path& to) {
    std::ifstream in(DEMO_SCRIPT);
    std::ofstream out(to);
    std::string line;
    while (std::getline(in, line)) {
        std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line.compare(first, 5, "shot ") == 0) continue;
        out << line << '\n';
    }
}

// Runs the installer once; answers its exit status, or -1 if it did not end normally.
int run_installer(const fs::path& machine, const fs::path& script, const fs::path& output) {
    std::vector<std::string> settings = {"WINSIM_PREFIX=" + machine.string(), "WINSIM_DISPLAY=headless",
                                         "WINSIM_CLOCK=virtual", "WINSIM_SCRIPT=" + script.string()};
    std::vector<char*> env;
    for (std::string& s : settings) env.push_back(s.data());
    for (char** e = environ; *e; ++e) {
        std::string name(*e, std::string(*e).find('=') + 1);
        if (name.rfind("WINSIM_", 0) != 0 && name != "DISPLAY=" && name != "WAYLAND_DISPLAY=") env.push_back(*e);
    }
    env.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    char program[] = TARROWIN_PROGRAM;
    char* argv[] = {program, nullptr};
    pid_t pid;
    int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

void BM_ScriptedInstallation(benchmark::State& state) {
    fs::path folder = fs::temp_directory_path() / ("tarrowin-install-bench-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::path script = folder / "demo.script";
    write_script_without_shots(script);
    fs::path machine = folder / "machine";
    double total_cpu = 0;

    for (auto _ : state) {
        fs::remove_all(machine);
        double before = children_cpu_seconds();
        int status = run_installer(machine, script, folder / "output.txt");
        double cpu = children_cpu_seconds() - before;
        // The installer always ends with exit code 1; anything else means the run went wrong.
        if (status != 1) {
            state.SkipWithError(("the installer ended with status " + std::to_string(status) + ", see " +
                                 (folder / "output.txt").string()).c_str());
            return;
        }
        state.SetIterationTime(cpu);
        total_cpu += cpu;
    }
    state.counters["child_cpu_ms"] =
        benchmark::Counter(total_cpu * 1000, benchmark::Counter::kAvgIterations);
    fs::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_ScriptedInstallation)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
