#pragma once

// Quantiles of measured times, for the benchmarks' medians and spreads:
// linear between the two nearest ranks. The values must not be empty.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace bench {

inline double quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double at = q * static_cast<double>(values.size() - 1);
    const auto low = static_cast<std::size_t>(at);
    const std::size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (values[high] - values[low]) * (at - static_cast<double>(low));
}

inline double median(const std::vector<double>& values) { return quantile(values, 0.5); }

}  // namespace bench
