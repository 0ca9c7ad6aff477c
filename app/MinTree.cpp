#include "app/MinTree.h"

#include <algorithm>

namespace app {

MinTree::MinTree(const std::vector<Key>& keys) : count(keys.size()), nodes(2 * keys.size()) {
    for (std::size_t p = 0; p < count; ++p) {
        nodes[count + p] = entry(keys[p], p);
    }
    for (std::size_t k = count; k-- > 1;) {
        nodes[k] = std::min(nodes[2 * k], nodes[2 * k + 1]);
    }
}

std::size_t MinTree::minIn(std::size_t from, std::size_t to) const {
    std::uint64_t best = nodes[from + count];
    for (std::size_t lo = from + count, hi = to + count; lo < hi; lo /= 2, hi /= 2) {
        if (lo % 2 == 1) {
            best = std::min(best, nodes[lo++]);
        }
        if (hi % 2 == 1) {
            best = std::min(best, nodes[--hi]);
        }
    }
    return static_cast<std::uint32_t>(best);
}

void MinTree::swap(std::size_t i, std::size_t j) {
    const std::uint64_t keyBits = ~std::uint64_t{0xffffffff};
    const std::uint64_t keyOfI = nodes[count + i] & keyBits;
    nodes[count + i] = (nodes[count + j] & keyBits) | i;
    nodes[count + j] = keyOfI | j;
    refreshAbove(i);
    refreshAbove(j);
}

void MinTree::refreshAbove(std::size_t position) {
    for (std::size_t k = (position + count) / 2; k >= 1; k /= 2) {
        nodes[k] = std::min(nodes[2 * k], nodes[2 * k + 1]);
    }
}

}  // namespace app
