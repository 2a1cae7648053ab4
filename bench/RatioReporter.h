#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

// The console table, and after it the ratio of each measured operation to its bare baseline
// measured in the same run. A benchmark's time is its time per iteration, or the median when
// the run is repeated (--benchmark_repetitions).
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                m_times[name] = run.GetAdjustedRealTime();
                m_medians.insert(name);
            } else if (run.run_type == Run::RT_Iteration && !run.error_occurred && !m_medians.count(name)) {
                m_times[name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The time of the benchmark of that name, arguments and options ("/...") aside; 0 when it
    // did not run.
    double timeOf(const std::string &benchmark) const
    {
        for (const auto &[name, time] : m_times) {
            if (name == benchmark || name.rfind(benchmark + '/', 0) == 0
                || (benchmark.back() == '/' && name.rfind(benchmark, 0) == 0))
                return time;
        }
        return 0;
    }

    // "<what>: <ratio>x (target under <target>x)", when both ran.
    void printRatio(const char *what, const std::string &measured, const std::string &baseline,
                    double target = 2.0) const
    {
        const double m = timeOf(measured);
        const double b = timeOf(baseline);
        if (m > 0 && b > 0)
            std::printf("%s: %.2fx (target under %gx)\n", what, m / b, target);
    }

private:
    std::map<std::string, double> m_times;
    std::set<std::string> m_medians;
};
