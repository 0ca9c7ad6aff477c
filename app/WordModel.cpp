#include "app/WordModel.h"

#include <algorithm>
#include <utility>

namespace app {

namespace {

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

// Dense alphabetical rank of every word: equal words share a rank, and a
// word's rank is below another's exactly when it sorts before it. One
// O(n log n) sort of positions instead of a comparison per pair.
std::vector<MinTree::Key> alphabeticalRanks(const WordModel::Words& words) {
    // The first eight characters, packed: a smaller pair means an earlier
    // word; only equal pairs need the full comparison.
    struct Entry {
        std::uint64_t head;
        std::uint64_t next;
        std::uint32_t position;
    };
    std::vector<Entry> entries(words.size());
    for (std::size_t p = 0; p < words.size(); ++p) {
        entries[p] = {packed(words[p], 0), packed(words[p], 4), static_cast<std::uint32_t>(p)};
    }
    const auto before = [&words](const Entry& a, const Entry& b) {
        if (a.head != b.head) {
            return a.head < b.head;
        }
        if (a.next != b.next) {
            return a.next < b.next;
        }
        return words[a.position] < words[b.position];
    };
    std::sort(entries.begin(), entries.end(), before);
    std::vector<MinTree::Key> ranks(words.size());
    MinTree::Key rank = 0;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        if (k > 0 && before(entries[k - 1], entries[k])) {
            ++rank;
        }
        ranks[entries[k].position] = rank;
    }
    return ranks;
}

std::vector<MinTree::Key> lengths(const WordModel::Words& words) {
    std::vector<MinTree::Key> keys(words.size());
    std::transform(words.begin(), words.end(), keys.begin(),
                   [](const rt::String& word) { return static_cast<MinTree::Key>(word.size()); });
    return keys;
}

}  // namespace

std::optional<rt::String> WordModel::add(const rt::String& word) {
    if (word.find_first_of(u"\r\n") != rt::String::npos) {
        return rt::String(LineBreakMessage);
    }
    if (std::find(words.begin(), words.end(), word) != words.end()) {
        return rt::String(DuplicateMessage);
    }
    words.push_back(word);
    currentWord = word;
    return std::nullopt;
}

void WordModel::alphaSort() {
    order = MinTree(alphabeticalRanks(words));
    selectionSort(&WordModel::findFirst);
}

void WordModel::lengthSort() {
    order = MinTree(lengths(words));
    selectionSort(&WordModel::findShort);
}

void WordModel::selectionSort(std::size_t (WordModel::*find)(std::size_t) const) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::size_t m = (this->*find)(i);
        if (m != i) {
            swap(i, m);
        }
    }
    order = MinTree();
}

std::size_t WordModel::findFirst(std::size_t start) const { return order.minIn(start, words.size()); }

std::size_t WordModel::findShort(std::size_t start) const { return order.minIn(start, words.size()); }

void WordModel::swap(std::size_t i, std::size_t j) {
    std::swap(words[i], words[j]);
    order.swap(i, j);
}

void WordModel::remove(std::size_t index) {
    words.erase(words.begin() + static_cast<std::ptrdiff_t>(index));
    if (words.empty()) {
        currentWord.reset();
    } else {
        currentWord = words[index == 0 ? 0 : index - 1];
    }
}

}  // namespace app
