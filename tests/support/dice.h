#pragma once

#include <cstdint>

namespace VariedWorkplace {

// A small fixed-sequence generator (splitmix64), the same on every platform.
class Dice final {
public:
    explicit Dice(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from lo to hi, both included.
    int between(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    bool chance(int percent) { return between(1, 100) <= percent; }

private:
    std::uint64_t state_;
};

} // namespace VariedWorkplace
