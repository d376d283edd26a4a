// The program as a whole process: its start-up and its peak memory against
// the program's form alone, and against an empty main window to show what the
// form costs; then what loading the largest exam adds to the program's peak.
// Each run is a fresh process; this harness links no Qt, so that the
// children's peak resident size is theirs and not its own.

#include "examtext.h"
#include "ratioreporter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

std::string programFolder()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    std::string exe(path, std::size_t(length));
    return exe.substr(0, exe.rfind('/'));
}

struct ChildRun
{
    double secondsToFirstTurn = 0;
    double peakMegabytes = 0;
};

long long monotonicNanoseconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Where the started programs' diagnostics go; shown only when one fails.
std::string childErrors;

// Starts program with the arguments, reads the time it reports at the first
// turn of its event loop and waits for it to end. An empty string on success,
// else what went wrong.
std::string runChild(const std::string &program, const std::vector<std::string> &arguments,
                     ChildRun &run)
{
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0)
        return std::strerror(errno);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, childErrors.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);

    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid;
    const long long start = monotonicNanoseconds();
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    if (spawned != 0) {
        close(channel[0]);
        return program + ": " + std::strerror(spawned);
    }

    std::string output;
    char buffer[256];
    ssize_t got;
    while ((got = read(channel[0], buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        output.append(buffer, std::size_t(got));
    }
    close(channel[0]);

    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return program + " failed: " + readFile(childErrors);
    const long long firstTurn = std::atoll(output.c_str());
    if (firstTurn <= start)
        return program + " reported no time";
    run.secondsToFirstTurn = double(firstTurn - start) / 1e9;
    run.peakMegabytes = double(usage.ru_maxrss) * 1024.0 / 1e6; // ru_maxrss is in KiB
    return {};
}

void startProcess(benchmark::State &state, std::string program, std::vector<std::string> arguments)
{
    ChildRun run;
    for (auto _ : state) {
        const std::string error = runChild(program, arguments, run);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.SetIterationTime(run.secondsToFirstTurn);
    }
    state.counters["peak_MB"] = run.peakMegabytes;
}

} // namespace

int main(int argc, char *argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    // Each repetition is one process of one of the programs; repetitions run
    // in random order, so both programs see the same spells of a busy
    // machine. On this kind of virtual machine a start takes either its own
    // time or, in spells of the host, some 45 % more CPU time; the median of
    // either side fell on one or the other at random, so start-up compares
    // the fastest runs. The peaks vary by less than 1 %: they are medians.
    std::vector<char *> arguments{argv[0]};
    char repetitions[] = "--benchmark_repetitions=21";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_display_aggregates_only=true";
    arguments.insert(arguments.end(), {repetitions, interleaving, aggregates});
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    arguments.push_back(nullptr);
    int count = int(arguments.size()) - 1;
    benchmark::Initialize(&count, arguments.data());

    std::string folderTemplate =
        (std::filesystem::temp_directory_path() / "tavik-bench-XXXXXX").string();
    if (!mkdtemp(&folderTemplate[0])) {
        std::cerr << "no temporary folder\n";
        return 1;
    }
    const std::string folder = folderTemplate;
    const std::string exam = folder + "/largest.txt";
    childErrors = folder + "/errors.txt";
    if (!writeFile(exam, examFile(largestChoices, largestTexts, largestTextBytes))) {
        std::cerr << "cannot write the exam\n";
        return 1;
    }

    const std::string programs = programFolder();
    const std::string real = programs + "/tavik_start_window";
    const auto process = [](const char *name, std::string program, std::vector<std::string> args) {
        benchmark::RegisterBenchmark(name, startProcess, program, args)
            ->Iterations(1)
            ->UseManualTime()
            ->ComputeStatistics("min", [](const std::vector<double> &values) {
                return *std::min_element(values.begin(), values.end());
            })
            ->Unit(benchmark::kMillisecond);
    };
    process("startup/tavik", real, {});
    process("startup/form_alone", programs + "/tavik_start_form", {});
    process("startup/empty_window", programs + "/tavik_start_empty", {});
    process("loaded/tavik", real, {exam});

    const auto time = Comparison::FastestRealTime;
    const auto peak = Comparison::CounterExcess;
    RatioReporter reporter(
        {
            {"start-up against the form alone", "startup/tavik", "startup/form_alone", time, 1.10},
            {"start-up against an empty window", "startup/tavik", "startup/empty_window", time, 0},
            {"memory after start-up against the form alone", "startup/tavik", "startup/form_alone",
             peak, 1, "peak_MB", "MB"},
            {"memory after start-up against an empty window", "startup/tavik",
             "startup/empty_window", peak, 0, "peak_MB", "MB"},
            {"memory of loading the largest exam, over the started program", "loaded/tavik",
             "startup/tavik", peak, 0, "peak_MB", "MB"},
        },
        consoleOptions(STDOUT_FILENO));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::remove(exam.c_str());
    std::remove(childErrors.c_str());
    rmdir(folder.c_str());
    return 0;
}
