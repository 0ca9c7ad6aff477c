#include "runtime/BorderGeometry.h"

#include <algorithm>

// The arrangement works per axis on three tracks: north, the middle row and
// south down the area; west, centre and east across the middle row. North
// and south span the width, so across they only widen the whole.
namespace rt::border {
namespace {

struct Track {
    int preferred = 0;
    int minimum = 0;
};

using Tracks = std::array<Track, 3>;

const std::optional<Item>& itemAt(const Items& items, BorderPlace place) { return items[placeIndex(place)]; }

Track across(const std::optional<Item>& item) {
    return item ? Track{item->preferred.width, item->minimum.width} : Track{};
}

Track down(const std::optional<Item>& item) {
    return item ? Track{item->preferred.height, item->minimum.height} : Track{};
}

Track tallest(const Items& items, std::initializer_list<BorderPlace> places) {
    Track result;
    for (BorderPlace place : places) {
        const Track t = down(itemAt(items, place));
        result = {std::max(result.preferred, t.preferred), std::max(result.minimum, t.minimum)};
    }
    return result;
}

Tracks rows(const Items& items) {
    return {down(itemAt(items, BorderPlace::North)),
            tallest(items, {BorderPlace::West, BorderPlace::Center, BorderPlace::East}),
            down(itemAt(items, BorderPlace::South))};
}

Tracks columns(const Items& items) {
    return {across(itemAt(items, BorderPlace::West)), across(itemAt(items, BorderPlace::Center)),
            across(itemAt(items, BorderPlace::East))};
}

int total(const Tracks& tracks, int Track::*size) {
    return tracks[0].*size + tracks[1].*size + tracks[2].*size;
}

Size layoutSize(const Items& items, int Track::*size) {
    const int spanning = std::max(across(itemAt(items, BorderPlace::North)).*size,
                                  across(itemAt(items, BorderPlace::South)).*size);
    return {std::max(spanning, total(columns(items), size)), total(rows(items), size)};
}

// Takes up to the wanted amount from a track, not below its minimum, and
// returns what is still wanted.
int shrink(int& size, const Track& track, int wanted) {
    const int taken = std::clamp(wanted, 0, std::max(size - track.minimum, 0));
    size -= taken;
    return wanted - taken;
}

// Sizes of the three tracks along an axis of the given length: the edges at
// their preferred sizes, the middle the rest, down to nothing; when the edges
// do not fit, the far one gives way first, then the near one.
std::array<int, 3> share(const Tracks& tracks, int length) {
    std::array<int, 3> sizes{tracks[0].preferred, 0, tracks[2].preferred};
    sizes[1] = std::max(length - sizes[0] - sizes[2], 0);
    int missing = sizes[0] + sizes[1] + sizes[2] - length;
    missing = shrink(sizes[2], tracks[2], missing);
    shrink(sizes[0], tracks[0], missing);
    return sizes;
}

}  // namespace

Size preferredLayoutSize(const Items& items) { return layoutSize(items, &Track::preferred); }
Size minimumLayoutSize(const Items& items) { return layoutSize(items, &Track::minimum); }

Rects layout(const Items& items, Size area) {
    const std::array<int, 3> height = share(rows(items), area.height);
    const std::array<int, 3> width = share(columns(items), area.width);
    const int middle = height[0], south = height[0] + height[1];
    Rects rects{};
    const auto put = [&](BorderPlace place, Rect r) {
        if (itemAt(items, place)) rects[placeIndex(place)] = r;
    };
    put(BorderPlace::North, {0, 0, area.width, height[0]});
    put(BorderPlace::South, {0, south, area.width, height[2]});
    put(BorderPlace::West, {0, middle, width[0], height[1]});
    put(BorderPlace::Center, {width[0], middle, width[1], height[1]});
    put(BorderPlace::East, {width[0] + width[1], middle, width[2], height[1]});
    return rects;
}

}  // namespace rt::border
