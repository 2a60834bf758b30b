#pragma once

#include <optional>
#include <sys/types.h>

namespace cratefall::bench {

struct MemoryUse {
    long long rssKb = 0;     // VmRSS from /proc/PID/status
    long long privateKb = 0; // Private_Clean + Private_Dirty from /proc/PID/smaps_rollup
    // Private_Dirty alone: pages the program wrote. Private_Clean also holds library pages that
    // no other running process happens to map, so it moves with what else runs on the machine.
    long long privateDirtyKb = 0;
};

std::optional<MemoryUse> memoryOf(pid_t pid);

// User plus system CPU time of every thread of the process, in seconds.
std::optional<double> cpuSecondsOf(pid_t pid);

// Time on a CPU of every thread, from /proc/PID/task/*/schedstat: nanoseconds rather than the
// 10 ms clock ticks of /proc/PID/stat, so small shares can be told apart.
std::optional<double> runSecondsOf(pid_t pid);

} // namespace cratefall::bench
