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
    explicit MinTree(const std::vector<Key>& keys);

    // Earliest position of the smallest key in [from, to); from < to <= size.
    std::size_t minIn(std::size_t from, std::size_t to) const;
    // Exchanges the keys at positions i and j.
    void swap(std::size_t i, std::size_t j);

private:
    // A node holds key << 32 | position of the winner below it, so the plain
    // minimum of two nodes is the smaller key and, on ties, the earlier
    // position. Leaves are nodes n .. 2n - 1, leaf n + p for position p;
    // node k above them is the minimum of nodes 2k and 2k + 1.
    static std::uint64_t entry(Key key, std::size_t position) {
        return static_cast<std::uint64_t>(key) << 32 | position;
    }
    void refreshAbove(std::size_t position);

    std::size_t count = 0;
    std::vector<std::uint64_t> nodes;
};

}  // namespace app
