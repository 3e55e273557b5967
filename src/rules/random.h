// random.h: the source of the secret's randomness, handed in so that tests can script it.
#pragma once

#include <cstdint>
#include <random>

namespace rules {

// Yields single-precision values r with 0 <= r < 1.
class UnitRandom {
public:
    virtual ~UnitRandom() = default;
    virtual float next() = 0;
};

// A Mersenne Twister whose top 24 bits become the float's mantissa: every value is an
// exact multiple of 2^-24 below 1. (std::generate_canonical<float> may round up to 1.0.)
class SeededRandom final : public UnitRandom {
public:
    explicit SeededRandom(std::uint64_t seed);
    float next() override;

private:
    std::mt19937 engine_;
};

// Clock ticks mixed with the operating system's entropy, so that two games opened within
// the same clock tick still get different seeds.
std::uint64_t mixedSeed(std::uint64_t ticks);

// mixedSeed of the system clock now.
std::uint64_t clockSeed();

} // namespace rules
