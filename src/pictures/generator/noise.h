#pragma once

#include <cstdint>
#include <vector>

namespace cratefall::pictures {

// A small seeded generator of our own: the standard distributions differ between library
// versions, and the backdrops must come out the same on every build machine.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    double unit(); // [0, 1)
    double between(double low, double high) { return low + (high - low) * unit(); }

private:
    std::uint64_t m_state;
};

// Smooth value noise on a square lattice that wraps, summed over octaves for a cloudy look.
class CloudNoise {
public:
    CloudNoise(std::uint64_t seed, int cells);
    double at(double x, double y) const; // x, y in [0, 1); result in [0, 1]
    double clouds(double x, double y, int octaves) const;

private:
    double lattice(int x, int y) const;

    int m_cells;
    std::vector<double> m_values;
};

} // namespace cratefall::pictures
