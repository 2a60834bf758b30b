#include "harness/proc_stats.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace cratefall::bench {
namespace {

std::string procPath(pid_t pid, const char* file)
{
    return "/proc/" + std::to_string(pid) + "/" + file;
}

// The value in kB of a "Key:   1234 kB" line, or nothing if the key is absent.
std::optional<long long> kbField(const std::string& path, const std::string& key)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key + ":", 0) == 0)
            return std::stoll(line.substr(key.size() + 1));
    }
    return std::nullopt;
}

} // namespace

std::optional<MemoryUse> memoryOf(pid_t pid)
{
    const auto rss = kbField(procPath(pid, "status"), "VmRSS");
    const std::string rollup = procPath(pid, "smaps_rollup");
    const auto clean = kbField(rollup, "Private_Clean");
    const auto dirty = kbField(rollup, "Private_Dirty");
    if (!rss || !clean || !dirty)
        return std::nullopt;
    return MemoryUse{*rss, *clean + *dirty, *dirty};
}

std::optional<double> cpuSecondsOf(pid_t pid)
{
    std::ifstream in(procPath(pid, "stat"));
    std::string stat;
    if (!std::getline(in, stat))
        return std::nullopt;
    // The command name may hold spaces and parentheses: the fields start after the last ')'.
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(stat.substr(close + 2));
    std::string skip;
    for (int field = 3; field < 14; ++field)
        fields >> skip;
    long long utime = 0;
    long long stime = 0;
    if (!(fields >> utime >> stime))
        return std::nullopt;
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

std::optional<double> runSecondsOf(pid_t pid)
{
    std::error_code error;
    std::filesystem::directory_iterator tasks(procPath(pid, "task"), error);
    if (error)
        return std::nullopt;
    long long nanoseconds = 0;
    for (const auto& task : tasks) {
        std::ifstream in(task.path() / "schedstat");
        long long onCpu = 0;
        if (in >> onCpu)
            nanoseconds += onCpu;
    }
    return double(nanoseconds) / 1e9;
}

} // namespace cratefall::bench
