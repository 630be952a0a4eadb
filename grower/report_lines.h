// The lines the grower prints for programs to read: the result on stdout and
// the timings on stderr. Their text is the same in every locale and after
// anything (Qt's start-up among them) has adopted the user's locale. They
// are made without allocating: the outputs are in place when they are
// printed, and memory running out then must not fail the run.
#pragma once

#include <cstddef>
#include <cstdint>

// One line of text in a buffer of its own, long enough for either line.
class ReportLine {
public:
    ReportLine& Add(char const* text);
    ReportLine& AddInteger(long long value);
    // As printf's %.17g writes it in the C locale, whatever the locale:
    // enough digits to read back as the very same double.
    ReportLine& AddDecimal(double value);

    char const* Text() const { return m_text; }

private:
    char m_text[256] {};
    std::size_t m_length = 0;
};

// "seeds=S1,S2 passes=P mean_radius=M max_radius=X\n".
ReportLine ResultLine(std::int32_t seed1, std::int32_t seed2, std::int32_t passes, double meanRadius,
    double maxRadius);

// "grow_ms=G render_ms=R encode_ms=E\n".
ReportLine TimingsLine(long long growMs, long long renderMs, long long encodeMs);
