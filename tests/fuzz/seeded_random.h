#pragma once

// A small generator with a fixed sequence for each seed on every platform and standard library,
// so that a seed printed by a failing run replays the same script anywhere.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace zarb::fuzz {

class SeededRandom {
  public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        // splitmix64
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in 0 .. n-1 (n > 0); the tiny bias of the modulo does not matter here.
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    // Uniform in lowest .. highest, both included.
    long long between(long long lowest, long long highest) {
        return lowest +
               static_cast<long long>(next() % static_cast<std::uint64_t>(highest - lowest + 1));
    }
    // True with the chance of `in` out of `outOf`.
    bool chance(unsigned in, unsigned outOf) { return below(outOf) < in; }

    template <typename T>
    const T& pick(const std::vector<T>& from) {
        return from[below(from.size())];
    }
    std::string_view pick(std::initializer_list<std::string_view> from) {
        return from.begin()[below(from.size())];
    }

    // An index chosen with the given weights.
    std::size_t weighted(std::initializer_list<unsigned> weights) {
        unsigned total = 0;
        for (const unsigned w : weights) {
            total += w;
        }
        auto roll = static_cast<unsigned>(below(total));
        std::size_t index = 0;
        for (const unsigned w : weights) {
            if (roll < w) {
                return index;
            }
            roll -= w;
            ++index;
        }
        return index - 1;
    }

  private:
    std::uint64_t state_;
};

}  // namespace zarb::fuzz
