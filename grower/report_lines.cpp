#include "grower/report_lines.h"

#include <charconv>

namespace {

// The last byte stays the terminating NUL.
template <typename... Format>
std::size_t Convert(char* text, std::size_t length, std::size_t capacity, Format... format)
{
    auto const result = std::to_chars(text + length, text + capacity - 1, format...);
    return result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - text) : length;
}

}

ReportLine& ReportLine::Add(char const* text)
{
    for (; *text && m_length + 1 < sizeof m_text; ++text)
        m_text[m_length++] = *text;
    return *this;
}

ReportLine& ReportLine::AddInteger(long long value)
{
    m_length = Convert(m_text, m_length, sizeof m_text, value);
    return *this;
}

ReportLine& ReportLine::AddDecimal(double value)
{
    m_length = Convert(m_text, m_length, sizeof m_text, value, std::chars_format::general, 17);
    return *this;
}

ReportLine ResultLine(std::int32_t seed1, std::int32_t seed2, std::int32_t passes, double meanRadius,
    double maxRadius)
{
    ReportLine line;
    line.Add("seeds=").AddInteger(seed1).Add(",").AddInteger(seed2).Add(" passes=").AddInteger(passes);
    line.Add(" mean_radius=").AddDecimal(meanRadius).Add(" max_radius=").AddDecimal(maxRadius).Add("\n");
    return line;
}

ReportLine TimingsLine(long long growMs, long long renderMs, long long encodeMs)
{
    ReportLine line;
    line.Add("grow_ms=").AddInteger(growMs).Add(" render_ms=").AddInteger(renderMs);
    line.Add(" encode_ms=").AddInteger(encodeMs).Add("\n");
    return line;
}
