#include "game/exact_sum.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <numeric>
#include <vector>

namespace zarb {

float exactSingleSum(std::initializer_list<float> terms) {
    if (std::any_of(terms.begin(), terms.end(), [](float term) { return !std::isfinite(term); })) {
        return static_cast<float>(std::accumulate(terms.begin(), terms.end(), 0.0));
    }
    // The sum kept as parts that share no digit, smallest first: each addition's rounding error
    // is itself a double (two-sum), kept as a part of its own.
    // Two buffers of at most one part a term, swapped after each term: a hit allocates twice.
    std::vector<double> parts;
    std::vector<double> kept;
    parts.reserve(terms.size());
    kept.reserve(terms.size());
    for (double x : terms) {
        kept.clear();
        for (const double y : parts) {
            const double high = x + y;
            const double yTaken = high - x;
            const double error = (x - (high - yTaken)) + (y - yTaken);
            if (error != 0) {
                kept.push_back(error);
            }
            x = high;
        }
        kept.push_back(x);
        parts.swap(kept);
    }
    // Folded from the largest part down until an addition is inexact: the sum then lies
    // strictly between `sum` and its neighbour on the side of `rest`.
    double sum = parts.back();
    double rest = 0;
    for (std::size_t i = parts.size() - 1; i > 0 && rest == 0; --i) {
        const double before = sum;
        sum = before + parts[i - 1];
        rest = parts[i - 1] - (sum - before);
    }
    // Rounded to odd in double, then to nearest in single precision: with more than two digits
    // to spare, that is the exact sum rounded once.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &sum, sizeof bits);
    if (rest != 0 && (bits & 1) == 0) {
        sum = std::nextafter(sum, std::copysign(std::numeric_limits<double>::infinity(), rest));
    }
    return static_cast<float>(sum);
}

}  // namespace zarb
