// Starts a program on the X display and measures it from the outside.
//   cratefall_bench_harness startup CAPTION -- PROGRAM [ARGS...]
//       start-up time to the MapNotify of the window with that caption
//   cratefall_bench_harness resources CAPTION SETTLE_MS CPU_MS EXIT_WAIT_MS -- PROGRAM [ARGS...]
//       memory SETTLE_MS after the window is mapped, then the CPU share over the next CPU_MS;
//       then up to EXIT_WAIT_MS for the program to leave by itself before it is stopped
// Prints "key=value" lines for bench/run.
#include "harness/launch.h"
#include "harness/proc_stats.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace cratefall::bench;
using std::chrono::milliseconds;

constexpr milliseconds mapTimeout(20'000);
constexpr milliseconds stopGrace(3'000);

int usage()
{
    std::cerr << "usage: cratefall_bench_harness startup CAPTION -- PROGRAM [ARGS...]\n"
                 "       cratefall_bench_harness resources CAPTION SETTLE_MS CPU_MS EXIT_WAIT_MS"
                 " -- PROGRAM [ARGS...]\n";
    return 2;
}

int startup(const std::string& caption, const std::vector<std::string>& command)
{
    const auto launched = launchAndWaitForMap(caption, command, ChildOutput::Discard, mapTimeout);
    if (!launched) {
        std::cerr << "no window \"" << caption << "\" was mapped\n";
        return 1;
    }
    stopProgram(launched->pid, stopGrace);
    std::cout << "startup_ms=" << launched->mappedMs << '\n';
    return 0;
}

int resources(const std::string& caption, const std::vector<std::string>& numbers,
              const std::vector<std::string>& command)
{
    const milliseconds settle(std::stoll(numbers.at(0)));
    const milliseconds cpuWindow(std::stoll(numbers.at(1)));
    const milliseconds exitWait(std::stoll(numbers.at(2)));
    const auto launched = launchAndWaitForMap(caption, command, ChildOutput::Inherit, mapTimeout);
    if (!launched) {
        std::cerr << "no window \"" << caption << "\" was mapped\n";
        return 1;
    }
    std::this_thread::sleep_for(settle);
    const auto memory = memoryOf(launched->pid);
    const auto before = cpuSecondsOf(launched->pid);
    const auto runBefore = runSecondsOf(launched->pid);
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(cpuWindow);
    const auto after = cpuSecondsOf(launched->pid);
    const auto runAfter = runSecondsOf(launched->pid);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    std::cout.flush();
    if (!waitForExit(launched->pid, exitWait))
        stopProgram(launched->pid, stopGrace);
    if (!memory || !before || !after || !runBefore || !runAfter) {
        std::cerr << "the program left before it was measured\n";
        return 1;
    }
    std::cout << "rss_kb=" << memory->rssKb << '\n'
              << "private_kb=" << memory->privateKb << '\n'
              << "private_dirty_kb=" << memory->privateDirtyKb << '\n'
              << "cpu_percent=" << 100.0 * (*after - *before) / wall.count() << '\n'
              << "run_percent=" << 100.0 * (*runAfter - *runBefore) / wall.count() << '\n';
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto dashes = std::ranges::find(args, std::string("--"));
    if (args.size() < 2 || dashes == args.end() || dashes + 1 == args.end())
        return usage();
    const std::vector<std::string> command(dashes + 1, args.end());
    const std::vector<std::string> numbers(args.begin() + 2, dashes);
    if (args[0] == "startup" && numbers.empty())
        return startup(args[1], command);
    if (args[0] == "resources" && numbers.size() == 3)
        return resources(args[1], numbers, command);
    return usage();
}
