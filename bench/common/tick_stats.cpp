#include "common/tick_stats.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <numeric>

namespace cratefall::bench {

std::vector<double> gapsMs(std::span<const std::int64_t> stampsNs)
{
    std::vector<double> gaps;
    for (std::size_t i = 1; i < stampsNs.size(); ++i)
        gaps.push_back(double(stampsNs[i] - stampsNs[i - 1]) / 1e6);
    return gaps;
}

TickSummary summarise(std::span<const double> gaps)
{
    TickSummary summary;
    summary.ticks = int(gaps.size()) + 1;
    if (gaps.empty())
        return summary;
    std::vector<double> sorted(gaps.begin(), gaps.end());
    std::ranges::sort(sorted);
    summary.meanMs = std::accumulate(sorted.begin(), sorted.end(), 0.0) / double(sorted.size());
    const auto p99 = std::size_t(std::ceil(0.99 * double(sorted.size()))) - 1;
    summary.p99Ms = sorted[std::min(p99, sorted.size() - 1)];
    summary.minMs = sorted.front();
    summary.maxMs = sorted.back();
    return summary;
}

StallRecovery recovery(std::span<const std::int64_t> stampsNs, std::int64_t stallEndNs)
{
    StallRecovery result;
    const auto first =
        std::ranges::find_if(stampsNs, [&](std::int64_t t) { return t >= stallEndNs; });
    if (first == stampsNs.end())
        return result;
    result.firstGapMs = double(*first - stallEndNs) / 1e6;
    const std::span<const std::int64_t> after(first, stampsNs.end());
    const std::vector<double> gaps = gapsMs(after);
    result.minGapMs = gaps.empty() ? 0 : *std::ranges::min_element(gaps);
    result.ticksInFirstSecond = int(std::ranges::count_if(
        after, [&](std::int64_t t) { return t - stallEndNs < 1'000'000'000; }));
    return result;
}

void printTickReport(std::string_view prefix, const TickSummary& steady,
                     const StallRecovery& afterStall)
{
    std::cout << prefix << ".ticks=" << steady.ticks << '\n'
              << prefix << ".mean_ms=" << steady.meanMs << '\n'
              << prefix << ".p99_ms=" << steady.p99Ms << '\n'
              << prefix << ".min_ms=" << steady.minMs << '\n'
              << prefix << ".max_ms=" << steady.maxMs << '\n'
              << prefix << ".stall_first_gap_ms=" << afterStall.firstGapMs << '\n'
              << prefix << ".stall_min_gap_ms=" << afterStall.minGapMs << '\n'
              << prefix << ".stall_ticks_1s=" << afterStall.ticksInFirstSecond << '\n';
}

} // namespace cratefall::bench
