#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// "\r<label>: P%" on stderr as work goes on, rewritten only when the whole
// percentage changes, and ended with a newline by Finish. Silent when off.
class ProgressLine {
public:
    ProgressLine(bool enabled, std::string label)
        : enabled(enabled)
        , label(std::move(label))
    {
    }

    void Update(std::uint64_t done, std::uint64_t total)
    {
        if (!enabled || total == 0)
            return;
        int const percent = static_cast<int>(done * 100 / total);
        if (percent == shown)
            return;
        shown = percent;
        std::fprintf(stderr, "\r%s: %d%%", label.c_str(), percent);
    }

    void Finish()
    {
        if (enabled && shown >= 0)
            std::fputc('\n', stderr);
        shown = -1;
    }

private:
    bool enabled;
    std::string label;
    int shown = -1;
};
