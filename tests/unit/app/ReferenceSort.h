#pragma once

// The plain selection sort, written out as the reference the word model's
// fast sorts must match exactly: position i receives the smallest word of
// i .. n - 1, strictly smaller replaces the candidate (the earliest wins
// ties), swap when it moved.

#include <cstddef>
#include <utility>

template <class Words, class Before>
Words referenceSelectionSort(Words words, Before before) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::size_t m = i;
        for (std::size_t j = i + 1; j < words.size(); ++j) {
            if (before(words[j], words[m])) {
                m = j;
            }
        }
        if (m != i) {
            std::swap(words[i], words[m]);
        }
    }
    return words;
}
