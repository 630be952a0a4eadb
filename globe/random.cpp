#include "globe/random.h"

#include "globe/int_truncation.h"
#include "platform/tick_count.h"


RandomGenerator g_random(0, 0, true);

RandomGenerator::RandomGenerator(std::int32_t seed1, std::int32_t seed2, bool useTickCount)
    : seed1(seed1)
    , seed2(seed2)
{
    if (useTickCount)
        SeedFromTickCount(&this->seed1, &this->seed2);
    Seed(this->seed1, this->seed2);
    tickSeeded = useTickCount;
}

RandomGenerator::~RandomGenerator() = default;

void RandomGenerator::SeedFromTickCount(std::int32_t* seed1, std::int32_t* seed2)
{
    *seed1 = static_cast<std::int32_t>(ReadTickCount() % 31328u);
    *seed2 = static_cast<std::int32_t>(ReadTickCount() % 30081u);
}

void RandomGenerator::Seed(std::int32_t ij, std::int32_t kl)
{
    if (!SeedsInRange(ij, kl)) {
        ij = FALLBACK_SEED1;
        kl = FALLBACK_SEED2;
    }

    std::int32_t i = (ij / 177) % 177 + 2;
    std::int32_t j = ij % 177 + 2;
    std::int32_t k = (kl / 169) % 178 + 1;
    std::int32_t l = kl % 169;

    for (double& entry : u) {
        double s = 0.0;
        double t = 0.5;
        for (int bit = 0; bit < 24; ++bit) {
            std::int32_t const m = ((i * j % 179) * k) % 179;
            i = j;
            j = k;
            k = m;
            l = (53 * l + 1) % 169;
            if ((l * m) % 64 >= 32)
                s += t;
            t *= 0.5;
        }
        entry = s;
    }

    c = 362436.0 / 16777216.0;
    cd = 7654321.0 / 16777216.0;
    cm = 16777213.0 / 16777216.0;
    i97 = 97;
    j97 = 33;
}

double RandomGenerator::NextUniform()
{
    double uni = u[i97 - 1] - u[j97 - 1];
    if (uni <= 0.0)
        uni += 1.0;
    u[i97 - 1] = uni;

    if (--i97 == 0)
        i97 = 97;
    if (--j97 == 0)
        j97 = 97;

    c -= cd;
    if (c < 0.0)
        c += cm;

    uni -= c;
    if (uni < 0.0)
        uni += 1.0;
    return uni;
}

std::int32_t RandomGenerator::IntInRange(std::int32_t lo, std::int32_t hi)
{
    double const uni = NextUniform();
    // hi - lo + 1 and the final sum wrap modulo 2^32 instead of overflowing;
    // for every range that fits in 32 bits the result is the plain one.
    auto const span = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(hi) - static_cast<std::uint32_t>(lo) + 1u);
    std::int32_t const offset = TruncateToInt32(static_cast<double>(span) * uni);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(offset) + static_cast<std::uint32_t>(lo));
}

double RandomGenerator::RealInRange(double lo, double hi)
{
    double const uni = NextUniform();
    double const span = hi - lo;
    double const scaled = uni * span;
    return lo + scaled;
}

std::int32_t RandomInt(std::int32_t lo, std::int32_t hi)
{
    return g_random.IntInRange(lo, hi);
}

double RandomReal(double lo, double hi)
{
    return g_random.RealInRange(lo, hi);
}
