#pragma once

#include <cstdint>
#include <string_view>

namespace sample {

// SplitMix64: tiny and fully determined by its seed, so every run draws exactly the same pictures.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state_;
};

// Seeds derived from names, so a picture does not change when another one is added to a table.
uint64_t seedOf(std::string_view name);

// Smoothly interpolated value noise on an integer lattice; values in [0, 1].
class Noise {
public:
    explicit Noise(uint64_t seed) : seed_(seed) {}
    double at(double x, double y) const;
    // Sum of octaves, each at twice the frequency and half the weight; normalised to [0, 1].
    double fbm(double x, double y, int octaves) const;

private:
    double lattice(int64_t ix, int64_t iy) const;
    uint64_t seed_;
};

} // namespace sample
