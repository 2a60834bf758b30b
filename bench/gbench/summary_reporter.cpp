#include "gbench/summary_reporter.h"

#include <iostream>

namespace cratefall::bench {

void SummaryReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Aggregate || run.error_occurred)
            continue;
        std::string name = "gb." + run.run_name.function_name;
        if (!run.run_name.args.empty())
            name += "." + run.run_name.args;
        const std::string prefix = name + "." + run.aggregate_name;
        if (run.aggregate_unit == benchmark::kPercentage) {
            m_figures[prefix + "_percent"] = 100.0 * run.cpu_accumulated_time;
            continue;
        }
        m_figures[prefix + "_" + benchmark::GetTimeUnitString(run.time_unit)] =
            run.GetAdjustedCPUTime();
        for (const auto& [counter, value] : run.counters)
            m_figures[prefix + "." + counter] = value.value;
    }
}

void SummaryReporter::Finalize()
{
    ConsoleReporter::Finalize();
    for (const auto& [key, value] : m_figures)
        std::cout << key << '=' << value << '\n';
}

} // namespace cratefall::bench
