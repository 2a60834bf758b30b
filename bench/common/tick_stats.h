#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace cratefall::bench {

// The game's tick period: the PC system timer's 1193182 / 65536 Hz.
inline constexpr double tickPeriodMs = 65536.0 * 1000.0 / 1193182.0;

struct TickSummary {
    int ticks = 0;
    double meanMs = 0;
    double p99Ms = 0;
    double minMs = 0;
    double maxMs = 0;
};

// Gaps between consecutive time stamps, in milliseconds.
std::vector<double> gapsMs(std::span<const std::int64_t> stampsNs);
TickSummary summarise(std::span<const double> gaps);

// How the ticks behaved once a stall of the event loop was over.
struct StallRecovery {
    double firstGapMs = 0; // from the end of the stall to the first tick after it
    double minGapMs = 0;   // the closest two ticks after the stall
    int ticksInFirstSecond = 0;
};

StallRecovery recovery(std::span<const std::int64_t> stampsNs, std::int64_t stallEndNs);

// One "key=value" line per figure, for bench/run to collect.
void printTickReport(std::string_view prefix, const TickSummary& steady,
                     const StallRecovery& afterStall);

} // namespace cratefall::bench
