#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace app {

// A tournament tree over an array of keys: answers "where is the smallest key
// in positions [from, to)" in O(log n), ties going to the earliest position,
// and keeps that answer up to date when two keys change places. It lets a
// selection sort find each minimum without scanning the unsorted tail.
class MinTree {
public:
    using Key = std::uint32_t;

    MinTree() = default;
    explicit MinTree(std::vector<Key> keys);

    std::size_t size() const { return keys.size(); }
    // Earliest position of the smallest key in [from, to); from < to <= size().
    std::size_t minIn(std::size_t from, std::size_t to) const;
    // Exchanges the keys at positions i and j.
    void swap(std::size_t i, std::size_t j);

private:
    // The better of two positions: smaller key, then earlier position.
    std::uint32_t better(std::uint32_t a, std::uint32_t b) const;
    void refreshAbove(std::size_t position);

    std::vector<Key> keys;
    // Node k holds the winning position of its two children 2k and 2k + 1;
    // the leaves are nodes size() .. 2 size() - 1, leaf size() + p holding p.
    std::vector<std::uint32_t> nodes;
};

}  // namespace app
