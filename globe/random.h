#pragma once

#include <cstdint>

// Marsaglia and Zaman's universal random number generator: a lagged
// subtraction generator (lags 97 and 33) on 24-bit fractions, combined with
// an arithmetic sequence modulo 16777213/16777216. Every value it handles is
// a multiple of 2^-24, so its arithmetic is exact in double precision.
class RandomGenerator {
public:
    // The seeds accepted as they are; any pair outside them selects the
    // fallback pair below.
    static constexpr std::int32_t MAX_SEED1 = 31328;
    static constexpr std::int32_t MAX_SEED2 = 30081;
    static constexpr std::int32_t FALLBACK_SEED1 = 1802;
    static constexpr std::int32_t FALLBACK_SEED2 = 9373;

    RandomGenerator(std::int32_t seed1, std::int32_t seed2, bool useTickCount);
    virtual ~RandomGenerator();

    static void SeedFromTickCount(std::int32_t* seed1, std::int32_t* seed2);

    double NextUniform();
    std::int32_t IntInRange(std::int32_t lo, std::int32_t hi);
    double RealInRange(double lo, double hi);

    std::int32_t Seed1() const { return seed1; }
    std::int32_t Seed2() const { return seed2; }
    bool TickSeeded() const { return tickSeeded; }

    static bool SeedsInRange(std::int32_t seed1, std::int32_t seed2)
    {
        return seed1 >= 0 && seed1 <= MAX_SEED1 && seed2 >= 0 && seed2 <= MAX_SEED2;
    }

private:
    void Seed(std::int32_t ij, std::int32_t kl);

    double u[97];
    double c;
    double cd;
    double cm;
    std::int32_t i97;
    std::int32_t j97;
    std::int32_t seed1;
    std::int32_t seed2;
    bool tickSeeded;
};

// The program's one generator, seeded from the tick count during static
// initialisation.
extern RandomGenerator g_random;

std::int32_t RandomInt(std::int32_t lo, std::int32_t hi);
double RandomReal(double lo, double hi);
