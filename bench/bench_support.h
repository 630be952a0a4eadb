// What the benchmark programs share: a main that prints, after the usual
// table, each measurement's time over its baseline's from the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// One line of the summary: `measured`'s time over `baseline`'s, both named
// by their benchmark functions.
struct Ratio {
    std::string label;
    std::string measured;
    std::string baseline;
};

// The console table, then the ratios. On a busy machine the CPU-time ratio
// is the steadier one.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::vector<Ratio> ratios)
        : m_ratios(std::move(ratios))
    {
    }

    void ReportRuns(std::vector<Run> const& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (Run const& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_times[run.run_name.function_name] = { run.GetAdjustedRealTime(), run.GetAdjustedCPUTime() };
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (Ratio const& ratio : m_ratios) {
            auto const measured = m_times.find(ratio.measured);
            auto const baseline = m_times.find(ratio.baseline);
            if (measured == m_times.end() || baseline == m_times.end() || baseline->second.real <= 0
                || baseline->second.cpu <= 0)
                continue;
            std::printf("ratio %s: %.2f (CPU time), %.2f (real time)\n", ratio.label.c_str(),
                measured->second.cpu / baseline->second.cpu, measured->second.real / baseline->second.real);
        }
    }

private:
    struct Times {
        double real;
        double cpu;
    };
    std::vector<Ratio> m_ratios;
    std::map<std::string, Times> m_times;
};

// The body of a benchmark program's main: runs what is registered and
// prints the ratios.
inline int RunBenchmarks(int argc, char** argv, std::vector<Ratio> ratios)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter(std::move(ratios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
