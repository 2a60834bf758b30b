#pragma once

#include <cstdint>

namespace cratefall::exerciser {

// A small generator of our own (SplitMix64): the same seed gives the same stream on every
// compiler and standard library, which the distributions of <random> do not promise.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, bound); bound > 0.
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
    // Uniform in [low, high].
    int between(int low, int high) { return low + below(high - low + 1); }

private:
    std::uint64_t m_state;
};

} // namespace cratefall::exerciser
