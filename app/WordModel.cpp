#include "app/WordModel.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace app {

namespace {

// Dense alphabetical rank of every word: equal words share a rank, and a
// word's rank is below another's exactly when it sorts before it. One
// O(n log n) sort of positions instead of a comparison per pair.
std::vector<MinTree::Key> alphabeticalRanks(const WordModel::Words& words) {
    std::vector<std::uint32_t> byWord(words.size());
    std::iota(byWord.begin(), byWord.end(), 0u);
    std::sort(byWord.begin(), byWord.end(),
              [&words](std::uint32_t a, std::uint32_t b) { return words[a] < words[b]; });
    std::vector<MinTree::Key> ranks(words.size());
    MinTree::Key rank = 0;
    for (std::size_t k = 0; k < byWord.size(); ++k) {
        if (k > 0 && words[byWord[k - 1]] != words[byWord[k]]) {
            ++rank;
        }
        ranks[byWord[k]] = rank;
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
