#include "app/WordModel.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <system_error>
#include <thread>
#include <utility>

namespace app {

namespace {

// A byte from a hash of the whole text, four characters at a time: words
// that differ differ in it with odds of 255 to 1, whatever they share.
std::uint8_t fingerprint(const rt::String& word) {
    constexpr std::uint64_t Mix = 0x9E3779B97F4A7C15u;
    const auto mixed = [](std::uint64_t hash, std::uint64_t chunk) {
        hash = (hash ^ chunk) * Mix;
        return hash ^ hash >> 29;
    };
    std::uint64_t hash = (word.size() + 1) * Mix;
    const std::size_t whole = word.size() / 4 * 4;
    for (std::size_t k = 0; k < whole; k += 4) {
        std::uint64_t chunk;
        std::memcpy(&chunk, word.data() + k, sizeof chunk);
        hash = mixed(hash, chunk);
    }
    std::uint64_t rest = 0;
    for (std::size_t k = whole; k < word.size(); ++k) {
        rest = rest << 16 | word[k];
    }
    return static_cast<std::uint8_t>(mixed(hash, rest) * Mix >> 56);
}

constexpr std::uint64_t EveryByte = 0x0101010101010101u;

// Of the eight fingerprints at, those equal to the pattern's byte: the high
// bit of each such byte is set, and no other bit.
std::uint64_t equalBytes(const std::uint8_t* at, std::uint64_t pattern) {
    constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7Fu;
    std::uint64_t chunk;
    std::memcpy(&chunk, at, sizeof chunk);
    const std::uint64_t differ = chunk ^ pattern;
    return ~(((differ & Low7) + Low7) | differ) & ~Low7;
}

// Positions whose word may equal the word looked for, compared in batches:
// each word read is most likely a miss of the cache, and a batch's words,
// asked of the memory as they are found, arrive together.
class Candidates {
public:
    Candidates(const WordModel::Words& words, const rt::String& word) : words(words), word(word) {}

    void add(std::size_t position) {
        __builtin_prefetch(&words[position]);
        positions[count++] = position;
    }
    bool full() const { return count >= Batch; }
    // The first candidate holding the word; the batch is emptied.
    std::optional<std::size_t> match() {
        const std::size_t taken = std::exchange(count, 0);
        for (std::size_t k = 0; k < taken; ++k) {
            if (words[positions[k]] == word) {
                return positions[k];
            }
        }
        return std::nullopt;
    }

private:
    static constexpr std::size_t Batch = 16;
    const WordModel::Words& words;
    const rt::String& word;
    // Eight fingerprints are added at once after a check for a full batch.
    std::array<std::size_t, Batch + 8> positions{};
    std::size_t count = 0;
};

std::vector<std::uint8_t> fingerprintsOf(const WordModel::Words& words) {
    std::vector<std::uint8_t> prints;
    prints.reserve(words.capacity());
    for (const auto& word : words) {
        prints.push_back(fingerprint(word));
    }
    return prints;
}

// Lists this long take tens of milliseconds to free, word by word.
constexpr std::size_t FreedAside = std::size_t{1} << 16;

// Frees a long list on a thread of its own, so that whoever replaced it
// goes on at once; a short one, or one no thread can be started for, here.
void release(WordModel::Words old) {
    if (old.size() < FreedAside) {
        return;
    }
    try {
        std::thread([doomed = std::move(old)]() mutable { WordModel::Words().swap(doomed); }).detach();
    } catch (const std::system_error&) {
        // No thread: the list goes when old does, here.
    }
}

// Four characters of the word from position first, packed into a number so
// that comparing numbers compares those characters in code order (missing
// ones count as zero).
std::uint64_t packed(const rt::String& word, std::size_t first) {
    std::uint64_t key = 0;
    for (std::size_t k = first; k < first + 4; ++k) {
        key = key << 16 | (k < word.size() ? word[k] : 0u);
    }
    return key;
}

// A word in the alphabetical sort: characters 1 to 4 and 5 to 8, packed,
// and its position. Character 0 is the bucket's.
struct SortEntry {
    std::uint64_t head;
    std::uint64_t next;
    std::uint32_t position;
};
using SortEntries = std::vector<SortEntry>;

// Sorts entries by head, keeping the order of equal heads: one pass per
// byte of the head, from the lowest, leaving out the bytes all entries
// share (the high bytes of ASCII characters, for one). The byte counts of
// all passes are taken in one reading.
void radixSortByHead(SortEntry* entries, std::size_t count, SortEntries& scratch) {
    std::array<std::array<std::uint32_t, 256>, 8> counts{};
    for (std::size_t k = 0; k < count; ++k) {
        for (std::size_t byte = 0; byte < 8; ++byte) {
            ++counts[byte][entries[k].head >> (8 * byte) & 0xFF];
        }
    }
    scratch.resize(std::max(scratch.size(), count));
    SortEntry* from = entries;
    SortEntry* to = scratch.data();
    for (std::size_t byte = 0; byte < 8; ++byte) {
        auto& starts = counts[byte];
        if (starts[entries[0].head >> (8 * byte) & 0xFF] == count) {
            continue;
        }
        std::exclusive_scan(starts.begin(), starts.end(), starts.begin(), 0u);
        for (std::size_t k = 0; k < count; ++k) {
            to[starts[from[k].head >> (8 * byte) & 0xFF]++] = from[k];
        }
        std::swap(from, to);
    }
    if (from != entries) {
        std::copy(from, from + count, entries);
    }
}

// The positions of the words in ascending alphabetical order. The words are
// first distributed by their first character (one counting pass), then each
// such bucket, small enough to stay in the cache, is sorted by the next
// four characters, packed, with a radix sort; only the words that share
// those are compared, by the four after them and then in full.
std::vector<std::uint32_t> alphabeticalOrder(const WordModel::Words& words) {
    constexpr std::size_t Buckets = std::size_t{1} << 16;
    std::vector<std::uint32_t> bucketStart(Buckets + 1, 0);
    for (const auto& word : words) {
        ++bucketStart[(word.empty() ? 0u : word[0]) + 1u];
    }
    std::partial_sum(bucketStart.begin(), bucketStart.end(), bucketStart.begin());
    SortEntries entries(words.size());
    std::vector<std::uint32_t> next(bucketStart.begin(), bucketStart.end() - 1);
    for (std::size_t p = 0; p < words.size(); ++p) {
        const std::uint32_t bucket = words[p].empty() ? 0u : words[p][0];
        entries[next[bucket]++] = {packed(words[p], 1), packed(words[p], 5), static_cast<std::uint32_t>(p)};
    }
    const auto before = [&words](const SortEntry& a, const SortEntry& b) {
        if (a.head != b.head) {
            return a.head < b.head;
        }
        if (a.next != b.next) {
            return a.next < b.next;
        }
        return words[a.position] < words[b.position];
    };
    SortEntries scratch;
    for (std::size_t bucket = 0; bucket < Buckets; ++bucket) {
        SortEntry* const first = entries.data() + bucketStart[bucket];
        SortEntry* const last = entries.data() + bucketStart[bucket + 1];
        if (last - first < 2) {
            continue;
        }
        radixSortByHead(first, static_cast<std::size_t>(last - first), scratch);
        for (SortEntry* run = first; run != last;) {
            SortEntry* const runEnd =
                std::find_if(run + 1, last, [run](const SortEntry& e) { return e.head != run->head; });
            std::sort(run, runEnd, before);
            run = runEnd;
        }
    }
    std::vector<std::uint32_t> order(entries.size());
    std::transform(entries.begin(), entries.end(), order.begin(), [](const SortEntry& e) { return e.position; });
    return order;
}

// Puts the item at position order[k] at position k. Moving the items into a
// new list in order is faster than following the permutation's cycles in
// place: the writes are sequential. The reads jump about the list, so each
// is asked of the memory some moves ahead (a third less time for a million
// words). The new list keeps the old one's spare room, so that the next Add
// does not have to move every item.
template <class Item>
void permute(std::vector<Item>& items, const std::vector<std::uint32_t>& order) {
    constexpr std::size_t Ahead = 16;
    std::vector<Item> placed;
    placed.reserve(items.capacity());
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + Ahead < order.size()) {
            __builtin_prefetch(&items[order[k + Ahead]]);
        }
        placed.push_back(std::move(items[order[k]]));
    }
    items.swap(placed);
}

// The positions of the words grouped by length, shortest first, ascending
// within each group, and where each group starts (one more entry marks the
// end).
struct LengthGroups {
    std::vector<std::uint32_t> positions;
    std::vector<std::uint32_t> starts;
    std::vector<std::uint32_t> groupAt;  // group of the word at each position
};

// Sorting (length, position) pairs: for words longer than the list is long,
// where a table by length would be larger than the list.
LengthGroups groupsOfSortedLengths(const WordModel::Words& words) {
    const std::size_t n = words.size();
    std::vector<std::uint64_t> keys(n);
    for (std::size_t p = 0; p < n; ++p) {
        keys[p] = static_cast<std::uint64_t>(words[p].size()) << 32 | p;
    }
    std::sort(keys.begin(), keys.end());
    LengthGroups groups{std::vector<std::uint32_t>(n), {}, std::vector<std::uint32_t>(n)};
    for (std::size_t k = 0; k < n; ++k) {
        const auto position = static_cast<std::uint32_t>(keys[k]);
        if (k == 0 || keys[k] >> 32 != keys[k - 1] >> 32) {
            groups.starts.push_back(static_cast<std::uint32_t>(k));
        }
        groups.positions[k] = position;
        groups.groupAt[position] = static_cast<std::uint32_t>(groups.starts.size() - 1);
    }
    groups.starts.push_back(static_cast<std::uint32_t>(n));
    return groups;
}

// Counting: one pass counts the words of each length, noting each word's
// length where its group goes, and one places them.
LengthGroups groupsByLength(const WordModel::Words& words) {
    const std::size_t n = words.size();
    LengthGroups groups{std::vector<std::uint32_t>(n), {}, std::vector<std::uint32_t>(n)};
    std::vector<std::uint32_t> next(2, 0);
    for (std::size_t p = 0; p < n; ++p) {
        const std::size_t length = words[p].size();
        if (length > n) {
            return groupsOfSortedLengths(words);
        }
        if (length + 2 > next.size()) {
            next.resize(length + 2, 0);
        }
        ++next[length + 1];
        groups.groupAt[p] = static_cast<std::uint32_t>(length);
    }
    const std::size_t longest = next.size() - 2;
    std::vector<std::uint32_t> groupOfLength(longest + 1);
    for (std::size_t length = 0; length <= longest; ++length) {
        next[length + 1] += next[length];
        if (next[length + 1] != next[length]) {
            groupOfLength[length] = static_cast<std::uint32_t>(groups.starts.size());
            groups.starts.push_back(next[length]);
        }
    }
    groups.starts.push_back(static_cast<std::uint32_t>(n));
    for (std::size_t p = 0; p < n; ++p) {
        const std::uint32_t length = groups.groupAt[p];
        groups.positions[next[length]++] = static_cast<std::uint32_t>(p);
        groups.groupAt[p] = groupOfLength[length];
    }
    return groups;
}

// Positions below a bound as bits, taken back in ascending order without
// sorting them; taking them all leaves the set empty for its next use.
class PositionSet {
public:
    explicit PositionSet(std::size_t bound) : bits((bound + 63) / 64) {}

    void insert(std::uint32_t position) {
        bits[position / 64] |= std::uint64_t{1} << (position % 64);
        lowest = std::min(lowest, position / 64);
        highest = std::max(highest, position / 64 + 1);
    }
    // Calls take with each position, in ascending order, and empties the set.
    template <class Take>
    void takeAll(Take take) {
        for (std::uint32_t block = lowest; block < highest; ++block) {
            for (std::uint64_t held = std::exchange(bits[block], 0); held != 0; held &= held - 1) {
                take(block * 64 + static_cast<std::uint32_t>(std::countr_zero(held)));
            }
        }
        lowest = UINT32_MAX;
        highest = 0;
    }

private:
    std::vector<std::uint64_t> bits;
    // The blocks from lowest to before highest may hold positions.
    std::uint32_t lowest = UINT32_MAX;
    std::uint32_t highest = 0;
};

}  // namespace

std::optional<rt::String> WordModel::add(const rt::String& word) {
    if (word.find_first_of(u"\r\n") != rt::String::npos) {
        return rt::String(LineBreakMessage);
    }
    if (indexOf(word)) {
        return rt::String(DuplicateMessage);
    }
    words.push_back(word);
    fingerprints.push_back(fingerprint(word));
    currentWord = word;
    return std::nullopt;
}

// Eight fingerprints at a time: the C library's memchr goes byte by byte
// in some (msvcrt under Wine took 1.4 ms for a million words, this 0.2 ms).
std::optional<std::size_t> WordModel::indexOf(const rt::String& word) const {
    const std::uint8_t print = fingerprint(word);
    const std::uint64_t pattern = EveryByte * print;
    const std::size_t whole = fingerprints.size() / 8 * 8;
    Candidates candidates(words, word);
    for (std::size_t p = 0; p < whole; p += 8) {
        for (std::uint64_t found = equalBytes(fingerprints.data() + p, pattern); found != 0; found &= found - 1) {
            candidates.add(p + static_cast<std::size_t>(std::countr_zero(found)) / 8);
        }
        if (candidates.full()) {
            if (const auto position = candidates.match()) {
                return position;
            }
        }
    }
    for (std::size_t p = whole; p < fingerprints.size(); ++p) {
        if (fingerprints[p] == print) {
            candidates.add(p);
        }
    }
    return candidates.match();
}

void WordModel::setList(Words list) {
    fingerprints = fingerprintsOf(list);
    release(std::exchange(words, std::move(list)));
}

void WordModel::reorder(const std::vector<std::uint32_t>& order) {
    permute(words, order);
    permute(fingerprints, order);
}

void WordModel::alphaSort() { reorder(alphabeticalOrder(words)); }

// The selection sort replayed on positions: while the words of the
// shortest remaining length are placed, each one at position i comes from
// the earliest remaining position m of that length, and the word it
// displaces moves from i to m. A length's positions at its turn are thus its
// original positions and those its words were moved to, less those that
// meanwhile hold a word of another length; a set of bits gives them in
// ascending order. The exchanges are made on word numbers; the words
// themselves move once, at the end.
void WordModel::lengthSort() {
    LengthGroups groups = groupsByLength(words);
    std::vector<std::vector<std::uint32_t>> movedTo(groups.starts.size() - 1);
    std::vector<std::uint32_t> origin(words.size());
    std::iota(origin.begin(), origin.end(), 0u);
    PositionSet turn(words.size());
    std::uint32_t i = 0;
    for (std::uint32_t group = 0; group + 1 < groups.starts.size(); ++group) {
        const auto holdingGroup = [&groups, &turn, group](std::uint32_t p) {
            if (groups.groupAt[p] == group) {
                turn.insert(p);
            }
        };
        std::for_each(groups.positions.begin() + groups.starts[group],
                      groups.positions.begin() + groups.starts[group + 1], holdingGroup);
        std::for_each(movedTo[group].begin(), movedTo[group].end(), holdingGroup);
        std::vector<std::uint32_t>().swap(movedTo[group]);
        turn.takeAll([&](std::uint32_t m) {
            if (m != i) {
                movedTo[groups.groupAt[i]].push_back(m);
                std::swap(groups.groupAt[i], groups.groupAt[m]);
                std::swap(origin[i], origin[m]);
            }
            ++i;
        });
    }
    reorder(origin);
}

std::optional<std::size_t> WordModel::remove(std::size_t index) {
    words.erase(words.begin() + static_cast<std::ptrdiff_t>(index));
    fingerprints.erase(fingerprints.begin() + static_cast<std::ptrdiff_t>(index));
    if (words.empty()) {
        currentWord.reset();
        return std::nullopt;
    }
    const std::size_t neighbour = index == 0 ? 0 : index - 1;
    currentWord = words[neighbour];
    return neighbour;
}

}  // namespace app
