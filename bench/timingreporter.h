#pragma once
// A console reporter that also keeps the mean real time of every benchmark,
// so a benchmark program can print ratios between its cases at the end.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace orbelle::bench {

class TimingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    /// Mean real time of a benchmark in its display unit; 0 when it did not run.
    double time(const std::string& name) const {
        const auto it = m_times.find(name);
        return it == m_times.end() ? 0.0 : it->second;
    }

  private:
    std::map<std::string, double> m_times;
};

} // namespace orbelle::bench
