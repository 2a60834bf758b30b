#include "pictures/generator/noise.h"

#include <cmath>

namespace cratefall::pictures {
namespace {

double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

double mix(double a, double b, double t)
{
    return a + (b - a) * t;
}

} // namespace

std::uint64_t SeededRandom::next()
{
    // splitmix64
    std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

double SeededRandom::unit()
{
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

CloudNoise::CloudNoise(std::uint64_t seed, int cells) : m_cells(cells)
{
    SeededRandom random(seed);
    m_values.resize(static_cast<std::size_t>(cells) * static_cast<std::size_t>(cells));
    for (double& value : m_values)
        value = random.unit();
}

double CloudNoise::lattice(int x, int y) const
{
    const int wx = ((x % m_cells) + m_cells) % m_cells;
    const int wy = ((y % m_cells) + m_cells) % m_cells;
    return m_values[static_cast<std::size_t>(wy * m_cells + wx)];
}

double CloudNoise::at(double x, double y) const
{
    const double gx = x * m_cells;
    const double gy = y * m_cells;
    const int ix = static_cast<int>(std::floor(gx));
    const int iy = static_cast<int>(std::floor(gy));
    const double tx = smooth(gx - ix);
    const double ty = smooth(gy - iy);
    const double top = mix(lattice(ix, iy), lattice(ix + 1, iy), tx);
    const double bottom = mix(lattice(ix, iy + 1), lattice(ix + 1, iy + 1), tx);
    return mix(top, bottom, ty);
}

double CloudNoise::clouds(double x, double y, int octaves) const
{
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * at(x + 0.37 * i, y + 0.71 * i);
        total += weight;
        weight *= 0.5;
        // Turning each finer octave by a 3-4-5 angle keeps the square lattice from showing.
        const double turnedX = 2.0 * (0.8 * x - 0.6 * y);
        y = 2.0 * (0.6 * x + 0.8 * y);
        x = turnedX;
    }
    return sum / total;
}

} // namespace cratefall::pictures
