#pragma once

#include <cstdint>
#include <optional>
#include <random>

// The program's one random-number generator. The interpreter reseeds it from the clock
// before each assignment; a fixed seed (for repeatable runs) makes that reseeding a no-op.
class RandomSource {
public:
    RandomSource();

    // A uniform number in [0, 1).
    double next();
    void reseedFromClock();
    void setFixedSeed(std::uint64_t seed);

private:
    std::mt19937_64 m_engine;
    std::optional<std::uint64_t> m_pendingSeed;
    bool m_fixed = false;
};
