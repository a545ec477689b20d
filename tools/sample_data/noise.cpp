#include "noise.h"

#include <cmath>

namespace sample {

namespace {

uint64_t mix64(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

uint64_t Rng::next() {
    return mix64(state_ += 0x9E3779B97F4A7C15ull);
}

uint64_t seedOf(std::string_view name) {
    uint64_t h = 0xCBF29CE484222325ull; // FNV-1a
    for (char c : name) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001B3ull;
    }
    return mix64(h);
}

double Noise::lattice(int64_t ix, int64_t iy) const {
    uint64_t h = mix64(seed_ ^ mix64(static_cast<uint64_t>(ix) * 0x9E3779B97F4A7C15ull +
                                     static_cast<uint64_t>(iy) * 0xC2B2AE3D27D4EB4Full));
    return static_cast<double>(h >> 11) * 0x1.0p-53;
}

double Noise::at(double x, double y) const {
    double fx = std::floor(x);
    double fy = std::floor(y);
    auto ix = static_cast<int64_t>(fx);
    auto iy = static_cast<int64_t>(fy);
    double tx = smooth(x - fx);
    double ty = smooth(y - fy);
    double a = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * tx;
    double b = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * tx;
    return a + (b - a) * ty;
}

double Noise::fbm(double x, double y, int octaves) const {
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        // Offsetting each octave keeps the lattice points of the octaves from lining up.
        sum += weight * at(x + 17.3 * i, y - 11.9 * i);
        total += weight;
        weight *= 0.5;
        x *= 2.0;
        y *= 2.0;
    }
    return total > 0.0 ? sum / total : 0.0;
}

} // namespace sample
