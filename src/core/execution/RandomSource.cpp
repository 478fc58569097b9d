#include "core/execution/RandomSource.h"

#include <chrono>

RandomSource::RandomSource() {
    reseedFromClock();
}

double RandomSource::next() {
    if (m_pendingSeed) {
        m_engine.seed(*m_pendingSeed);
        m_pendingSeed.reset();
    }
    // 53 random bits make a double in [0, 1) that never reaches 1.
    return double(m_engine() >> 11) * 0x1.0p-53;
}

void RandomSource::reseedFromClock() {
    if (m_fixed)
        return;
    static std::uint64_t reseeds = 0;
    // Seeding fills the whole engine state; most reseeds (one per assignment) are never
    // followed by a draw, so the seed waits until a number is drawn.
    m_pendingSeed = std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) +
                    0x9E3779B97F4A7C15ull * ++reseeds;
}

void RandomSource::setFixedSeed(std::uint64_t seed) {
    m_fixed = true;
    m_pendingSeed.reset();
    m_engine.seed(seed);
}
