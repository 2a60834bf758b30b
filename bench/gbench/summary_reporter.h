#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>

namespace cratefall::bench {

// The console output as usual, then every aggregate (median, spread) and its counters as
// "gb.NAME.FIGURE=value" lines for bench/run to collect. Times are CPU times: the benchmarks run
// on one thread, and on a machine shared with builds the wall clock mostly measures the others.
class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    // Plain text: a reporter of our own does not see the --benchmark_color flag.
    SummaryReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::map<std::string, double> m_figures;
};

} // namespace cratefall::bench
