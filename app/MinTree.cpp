#include "app/MinTree.h"

#include <utility>

namespace app {

MinTree::MinTree(std::vector<Key> keyList) : keys(std::move(keyList)), nodes(2 * keys.size()) {
    const std::size_t n = keys.size();
    for (std::size_t p = 0; p < n; ++p) {
        nodes[n + p] = static_cast<std::uint32_t>(p);
    }
    for (std::size_t k = n; k-- > 1;) {
        nodes[k] = better(nodes[2 * k], nodes[2 * k + 1]);
    }
}

std::uint32_t MinTree::better(std::uint32_t a, std::uint32_t b) const {
    if (keys[a] != keys[b]) {
        return keys[a] < keys[b] ? a : b;
    }
    return a < b ? a : b;
}

std::size_t MinTree::minIn(std::size_t from, std::size_t to) const {
    const std::size_t n = keys.size();
    std::uint32_t best = static_cast<std::uint32_t>(from);
    for (std::size_t lo = from + n, hi = to + n; lo < hi; lo /= 2, hi /= 2) {
        if (lo % 2 == 1) {
            best = better(best, nodes[lo++]);
        }
        if (hi % 2 == 1) {
            best = better(best, nodes[--hi]);
        }
    }
    return best;
}

void MinTree::swap(std::size_t i, std::size_t j) {
    std::swap(keys[i], keys[j]);
    refreshAbove(i);
    refreshAbove(j);
}

void MinTree::refreshAbove(std::size_t position) {
    for (std::size_t k = (position + keys.size()) / 2; k >= 1; k /= 2) {
        nodes[k] = better(nodes[2 * k], nodes[2 * k + 1]);
    }
}

}  // namespace app
