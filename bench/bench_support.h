// What the benchmark programs share: a colour bitmap in a memory DC to draw
// on, and a main that prints, after the usual table, each measurement's time
// over its baseline's from the same run.
#pragma once

#include <benchmark/benchmark.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// A colour bitmap of the given size, compatible with the display, selected
// into a memory DC.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height)
    {
        HDC const screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_original = SelectObject(dc, m_bitmap);
    }
    ~MemoryCanvas()
    {
        SelectObject(dc, m_original);
        DeleteObject(m_bitmap);
        DeleteDC(dc);
    }
    MemoryCanvas(MemoryCanvas const&) = delete;
    MemoryCanvas& operator=(MemoryCanvas const&) = delete;

    HDC dc;

private:
    HBITMAP m_bitmap;
    HGDIOBJ m_original;
};

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
