#include "runtime/GridBagGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <optional>

// The classic grid-bag layout, computed in three steps:
//  1. cells: relative indexes and Remainder spans are resolved in item order
//     (twice: the first pass finds the grid's extent, which Remainder spans
//     need in the second);
//  2. measure: per axis, items are taken in order of increasing span; each
//     adds its weight to the cells it spans (proportionally to their weights,
//     the rest to its last cell) and then its size need the same way;
//  3. arrange: the difference between the area and the measured grid is
//     shared by weight (cells never shrink below zero); whatever is left,
//     all of it when there are no weights, centres the grid, so a grid larger
//     than the area is clipped evenly on both sides.
namespace rt::gridbag {
namespace {

using Px = std::int64_t;

// Grid indexes and spans are clamped to this many rows and columns, so that
// a stray huge index cannot make the layout allocate without bound.
constexpr int kMaxCells = 4096;

// Cell block of one item, 0-based, after relative placement.
struct Cell {
    int x = 0;
    int y = 0;
    int width = 1;
    int height = 1;
};

// Resolves relative grid indexes and Remainder spans in the order items are
// added, as the classic layout does: a relative gridx continues the row after
// the last item placed in it, a relative gridy continues the column below the
// last item placed in it, and a Remainder span ends the row (or column) so
// that the next fully relative item starts a new one.
class CellResolver {
public:
    // Without an extent (first pass) non-positive spans count as one cell.
    explicit CellResolver(std::optional<Size> extent) : extent_(extent) {}

    Cell place(const CellConstraints& c) {
        int x = c.gridx < 0 ? Relative : std::min(c.gridx, kMaxCells - 1);
        int y = c.gridy < 0 ? Relative : std::min(c.gridy, kMaxCells - 1);
        if (x < 0 && y < 0) {
            if (nextRow_ >= 0) y = nextRow_;
            else if (nextColumn_ >= 0) x = nextColumn_;
            else y = 0;
        }
        if (x < 0) {
            x = furthestEnd(rowEnds_, y, span(c.gridheight, y, height()));
        } else if (y < 0) {
            y = furthestEnd(columnEnds_, x, span(c.gridwidth, x, width()));
        }
        x = std::min(x, kMaxCells - 1);
        y = std::min(y, kMaxCells - 1);
        const Cell cell{x, y, std::min(span(c.gridwidth, x, width()), kMaxCells - x),
                        std::min(span(c.gridheight, y, height()), kMaxCells - y)};
        record(cell);
        followRemainders(c, cell);
        return cell;
    }

private:
    int width() const { return extent_ ? extent_->width : -1; }
    int height() const { return extent_ ? extent_->height : -1; }

    static int span(int requested, int start, int extent) {
        if (requested > 0) return std::min(requested, kMaxCells);
        if (extent < 0) return 1;
        return std::max(1, std::max(requested, -kMaxCells) + extent - start);
    }

    static int furthestEnd(const std::vector<int>& ends, int from, int count) {
        int end = 0;
        const int last = std::min<int>(from + count, static_cast<int>(ends.size()));
        for (int i = from; i < last; ++i) end = std::max(end, ends[i]);
        return end;
    }

    static void setEnds(std::vector<int>& ends, int from, int count, int value) {
        if (static_cast<int>(ends.size()) < from + count) ends.resize(from + count, 0);
        std::fill_n(ends.begin() + from, count, value);
    }

    void record(const Cell& cell) {
        setEnds(columnEnds_, cell.x, cell.width, cell.y + cell.height);
        setEnds(rowEnds_, cell.y, cell.height, cell.x + cell.width);
    }

    void followRemainders(const CellConstraints& c, const Cell& cell) {
        if (c.gridwidth == Remainder && c.gridheight == Remainder) nextRow_ = nextColumn_ = -1;
        if (c.gridheight == Remainder && nextRow_ < 0) {
            nextColumn_ = cell.x + cell.width;
        } else if (c.gridwidth == Remainder && nextColumn_ < 0) {
            nextRow_ = cell.y + cell.height;
        }
    }

    std::optional<Size> extent_;
    int nextRow_ = -1;
    int nextColumn_ = -1;
    std::vector<int> rowEnds_;     // per row: the column after its last item
    std::vector<int> columnEnds_;  // per column: the row below its last item
};

std::vector<Cell> resolveCells(const std::vector<Item>& items) {
    Size extent{0, 0};
    CellResolver first(std::nullopt);
    for (const Item& item : items) {
        const Cell cell = first.place(item.constraints);
        extent.width = std::max(extent.width, cell.x + cell.width);
        extent.height = std::max(extent.height, cell.y + cell.height);
    }
    CellResolver second(extent);
    std::vector<Cell> cells;
    cells.reserve(items.size());
    for (const Item& item : items) cells.push_back(second.place(item.constraints));
    return cells;
}

// What one item asks of one axis.
struct Demand {
    int start;
    int length;
    double weight;
    Px need;  // size plus insets
};

struct Axis {
    std::vector<Px> sizes;
    std::vector<double> weights;
};

// Negative, infinite and absurd weights would break the proportional sharing.
double usableWeight(double weight) {
    return std::isfinite(weight) && weight > 0.0 ? std::min(weight, 1e12) : 0.0;
}

// Adds amount over cells [start, end) in proportion to their weights; what
// the rounding leaves, all of it when the cells carry no weight, goes to the
// last cell. weights may be the same vector as cells.
template <typename T>
void spread(std::vector<T>& cells, const std::vector<double>& weights, int start, int end,
            T amount) {
    double total = std::accumulate(weights.begin() + start, weights.begin() + end, 0.0);
    for (int k = start; total > 0.0 && k < end; ++k) {
        const double weight = weights[k];
        const T share = static_cast<T>(weight * static_cast<double>(amount) / total);
        cells[k] += share;
        amount -= share;
        total -= weight;
    }
    cells[end - 1] += amount;
}

Axis measureAxis(std::vector<Demand> demands, int extent) {
    std::stable_sort(demands.begin(), demands.end(),
                     [](const Demand& a, const Demand& b) { return a.length < b.length; });
    Axis axis{std::vector<Px>(extent, 0), std::vector<double>(extent, 0.0)};
    for (const Demand& d : demands) {
        const int end = d.start + d.length;
        const double weight = std::accumulate(axis.weights.begin() + d.start,
                                              axis.weights.begin() + end, 0.0);
        if (d.weight > weight) spread(axis.weights, axis.weights, d.start, end, d.weight - weight);
        const Px need = d.need - std::accumulate(axis.sizes.begin() + d.start,
                                                 axis.sizes.begin() + end, Px{0});
        if (need > 0) spread(axis.sizes, axis.weights, d.start, end, need);
    }
    return axis;
}

struct Grid {
    Axis columns;
    Axis rows;
};

Px sizeFor(int size, int insetBefore, int insetAfter) {
    return Px{std::max(size, 0)} + insetBefore + insetAfter;
}

Grid measure(const std::vector<Item>& items, const std::vector<Cell>& cells, bool minimum) {
    std::vector<Demand> across;
    std::vector<Demand> down;
    Size extent{0, 0};
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CellConstraints& c = items[i].constraints;
        const Size size = minimum ? items[i].minimum : items[i].preferred;
        const Cell& cell = cells[i];
        across.push_back({cell.x, cell.width, usableWeight(c.weightx),
                          sizeFor(size.width, c.insets.left, c.insets.right)});
        down.push_back({cell.y, cell.height, usableWeight(c.weighty),
                        sizeFor(size.height, c.insets.top, c.insets.bottom)});
        extent.width = std::max(extent.width, cell.x + cell.width);
        extent.height = std::max(extent.height, cell.y + cell.height);
    }
    return {measureAxis(std::move(across), extent.width),
            measureAxis(std::move(down), extent.height)};
}

Px total(const Axis& axis) {
    return std::accumulate(axis.sizes.begin(), axis.sizes.end(), Px{0});
}

int clampToInt(Px value) {
    return static_cast<int>(std::clamp<Px>(value, std::numeric_limits<int>::min(),
                                           std::numeric_limits<int>::max()));
}

Size layoutSize(const std::vector<Item>& items, bool minimum) {
    const Grid grid = measure(items, resolveCells(items), minimum);
    return {clampToInt(total(grid.columns)), clampToInt(total(grid.rows))};
}

// Grid lines of one axis inside an area of the given length: the space the
// measured sizes leave (or lack) is shared by weight, a cell never shrinking
// below zero; the rest centres the grid.
std::vector<Px> gridLines(Axis axis, int area) {
    Px used = total(axis);
    const Px difference = area - used;
    const double weight = std::accumulate(axis.weights.begin(), axis.weights.end(), 0.0);
    if (difference != 0 && weight > 0.0) {
        for (std::size_t i = 0; i < axis.sizes.size(); ++i) {
            const Px share =
                static_cast<Px>(static_cast<double>(difference) * axis.weights[i] / weight);
            const Px size = std::max<Px>(axis.sizes[i] + share, 0);
            used += size - axis.sizes[i];
            axis.sizes[i] = size;
        }
    }
    std::vector<Px> lines{(area - used) / 2};
    lines.reserve(axis.sizes.size() + 1);
    for (const Px size : axis.sizes) lines.push_back(lines.back() + size);
    return lines;
}

enum class Align { Start, Centre, End };

struct Segment {
    Px begin;
    Px length;
};

// Places an item along one axis of its cell block: the insets shrink the
// block; without stretching the item keeps its wanted length (capped to the
// block) and is aligned inside the block.
Segment fit(Segment block, int insetBefore, int insetAfter, int wanted, bool stretch,
            Align align) {
    block.begin += insetBefore;
    block.length -= Px{insetBefore} + insetAfter;
    const Px length = std::max(wanted, 0);
    if (stretch || block.length <= length) return block;
    const Px room = block.length - length;
    block.length = length;
    if (align == Align::Centre) block.begin += room / 2;
    if (align == Align::End) block.begin += room;
    return block;
}

struct Alignment {
    Align horizontal;
    Align vertical;
};

Alignment alignmentOf(Anchor anchor) {
    switch (anchor) {
        case Anchor::North: return {Align::Centre, Align::Start};
        case Anchor::NorthEast: return {Align::End, Align::Start};
        case Anchor::East: return {Align::End, Align::Centre};
        case Anchor::SouthEast: return {Align::End, Align::End};
        case Anchor::South: return {Align::Centre, Align::End};
        case Anchor::SouthWest: return {Align::Start, Align::End};
        case Anchor::West: return {Align::Start, Align::Centre};
        case Anchor::NorthWest: return {Align::Start, Align::Start};
        case Anchor::Center: break;
    }
    return {Align::Centre, Align::Centre};
}

Rect placeItem(const CellConstraints& c, Size wanted, const Cell& cell,
               const std::vector<Px>& columns, const std::vector<Px>& rows) {
    const Alignment align = alignmentOf(c.anchor);
    const bool across = c.fill == Fill::Horizontal || c.fill == Fill::Both;
    const bool down = c.fill == Fill::Vertical || c.fill == Fill::Both;
    const Segment h = fit({columns[cell.x], columns[cell.x + cell.width] - columns[cell.x]},
                          c.insets.left, c.insets.right, wanted.width, across, align.horizontal);
    const Segment v = fit({rows[cell.y], rows[cell.y + cell.height] - rows[cell.y]},
                          c.insets.top, c.insets.bottom, wanted.height, down, align.vertical);
    // An item squeezed to nothing is parked at the origin, as the classic
    // layout does, rather than given a negative size.
    if (h.length <= 0 || v.length <= 0) return Rect{};
    return {clampToInt(h.begin), clampToInt(v.begin), clampToInt(h.length), clampToInt(v.length)};
}

}  // namespace

Size preferredLayoutSize(const std::vector<Item>& items) { return layoutSize(items, false); }

Size minimumLayoutSize(const std::vector<Item>& items) { return layoutSize(items, true); }

std::vector<Rect> layout(const std::vector<Item>& items, Size area) {
    const std::vector<Cell> cells = resolveCells(items);
    Grid grid = measure(items, cells, false);
    const bool minimum =
        area.width < total(grid.columns) || area.height < total(grid.rows);
    if (minimum) grid = measure(items, cells, true);
    const std::vector<Px> columns = gridLines(std::move(grid.columns), area.width);
    const std::vector<Px> rows = gridLines(std::move(grid.rows), area.height);
    std::vector<Rect> rects;
    rects.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Size wanted = minimum ? items[i].minimum : items[i].preferred;
        rects.push_back(placeItem(items[i].constraints, wanted, cells[i], columns, rows));
    }
    return rects;
}

}  // namespace rt::gridbag
