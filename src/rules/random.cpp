// random.cpp: the program's generator and its clock seed.
#include "rules/random.h"

#include <chrono>

namespace rules {

SeededRandom::SeededRandom(std::uint64_t seed) {
    std::seed_seq sequence{static_cast<std::uint32_t>(seed),
                           static_cast<std::uint32_t>(seed >> 32)};
    engine_.seed(sequence);
}

float SeededRandom::next() {
    constexpr float kUnit = 1.0f / 16777216.0f; // 2^-24
    return static_cast<float>(engine_() >> 8) * kUnit;
}

std::uint64_t mixedSeed(std::uint64_t ticks) {
    std::random_device entropy;
    const std::uint64_t mixed = (static_cast<std::uint64_t>(entropy()) << 32) | entropy();
    return ticks ^ mixed;
}

std::uint64_t clockSeed() {
    return mixedSeed(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

} // namespace rules
