// What the tray program costs while nobody uses it: the CPU time the real
// `vantor` spends polling its corner, watching the settings file and waiting
// for its events, per minute of wall time. Run under Xvfb (see
// scripts/bench-launcher.sh); the pointer rests away from the corner.
// VANTOR_IDLE_SECONDS sets how long each measurement lasts (30 by default),
// VANTOR_BENCH_APPLICATIONS the number of entries (500), VANTOR_PROGRAM
// another program to measure.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "shell/BenchSupport.h"

namespace vantor::bench {
namespace {

// CPU time of every thread of a process so far, in nanoseconds, by thread id
// (the scheduler's own count, far finer than the clock ticks of /proc/<pid>/stat).
std::map<std::string, double> threadNanoseconds(pid_t pid) {
    std::map<std::string, double> threads;
    std::error_code error;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double running = 0;
        if (schedstat >> running) {
            threads[task.path().filename().string()] = running;
        }
    }
    return threads;
}

// What the threads used between two counts; a thread that ended in between
// counts what it had used until the first (its later time is lost: the
// /proc/<pid>/stat figure has it).
double usedNanoseconds(const std::map<std::string, double>& before,
                       const std::map<std::string, double>& after) {
    double used = 0;
    for (const auto& [thread, running] : after) {
        auto earlier = before.find(thread);
        used += running - (earlier != before.end() ? earlier->second : 0);
    }
    return used;
}

// User and system time of a process so far, in milliseconds (/proc/<pid>/stat, in clock ticks).
double statMilliseconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double user = 0, system = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14) {
            user = std::stod(field);
        } else if (index == 15) {
            system = std::stod(field);
            break;
        }
    }
    return (user + system) * 1000.0 / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

int idleSeconds() {
    const char* text = std::getenv("VANTOR_IDLE_SECONDS");
    int seconds = text != nullptr ? std::atoi(text) : 0;
    return seconds > 0 ? seconds : 30;
}

void BM_IdleTray(benchmark::State& state) {
    for (auto _ : state) {
        const char* program = std::getenv("VANTOR_PROGRAM");
        program = program != nullptr ? program : VANTOR_PROGRAM;
        pid_t child = ::fork();
        if (child == 0) {
            ::execl(program, program, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Past the start: the tray set up, the icon theme and fonts warmed.
        std::this_thread::sleep_for(std::chrono::seconds(3));
        auto before = threadNanoseconds(child);
        double statBefore = statMilliseconds(child);
        auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(idleSeconds()));
        double used = usedNanoseconds(before, threadNanoseconds(child));
        double statUsed = statMilliseconds(child) - statBefore;
        double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        int status = 0;
        bool running = ::waitpid(child, &status, WNOHANG) == 0;
        ::kill(child, SIGTERM);
        ::waitpid(child, &status, 0);
        if (!running) {
            state.SkipWithError("vantor exited before the measurement ended");
            return;
        }
        state.SetIterationTime(wall);
        state.counters["cpu_ms_per_minute"] = used / 1e6 * 60 / wall;
        state.counters["stat_cpu_ms_per_minute"] = statUsed * 60 / wall;
    }
}
BENCHMARK(BM_IdleTray)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
}  // namespace vantor::bench

int main(int argc, char** argv) {
    const char* count = std::getenv("VANTOR_BENCH_APPLICATIONS");
    vantor::bench::BenchHome home(count != nullptr ? std::atoi(count) : 500);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
