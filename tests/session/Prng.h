#pragma once
// A small seeded generator of our own (SplitMix64), so a seed replays the same session with any
// standard library.
#include <cstdint>
#include <vector>

namespace rastrix::session {

class Prng {
public:
    explicit Prng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1; n > 0.
    int Below(int n) { return int(Next() % std::uint64_t(n)); }
    // lo .. hi inclusive.
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <class T>
    const T& Pick(const std::vector<T>& items) { return items[std::size_t(Below(int(items.size())))]; }

private:
    std::uint64_t state_;
};

}  // namespace rastrix::session
