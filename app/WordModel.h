#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/Text.h"

namespace app {

// The player's word list and the current word (the word the next game uses).
//
// Order of the alphabetical sort: plain 16-bit character code order, the
// string type's own ordering; upper and lower case are not folded ("Zebra"
// comes before "apple"), and the list shows the words exactly as stored.
//
// Both sorts give exactly the order of a selection sort: position i receives
// the smallest word of positions i .. size - 1, the earliest one on ties, by
// a swap. They are not stable (bb, aa, c sorted by length gives c, aa, bb).
// They get there in O(n log n) rather than O(n^2): alphabetically, words
// that compare equal are the same text, so plain ascending order is that
// order; by length, the selection sort's swaps are replayed length by length
// with the positions of each length kept in a heap.
class WordModel {
public:
    using Words = std::vector<rt::String>;

    WordModel() = default;

    // Appends word and makes it current. Refuses a word that holds a line
    // break (CR or LF), which a word-list file cannot store, and a word
    // already in the list (exact comparison): returns the reason and changes
    // nothing. Returns nothing on success.
    std::optional<rt::String> add(const rt::String& word);
    void alphaSort();
    const std::optional<rt::String>& getCurrentWord() const { return currentWord; }
    // The position of the first word equal to word, if any. Only the words
    // whose byte from the hash matches word's are compared in full.
    std::optional<std::size_t> indexOf(const rt::String& word) const;
    const Words& getWords() const { return words; }
    void lengthSort();
    // Removes the word at index (< size()) and makes its neighbour current:
    // the word before it, or for index 0 the word after it. Removing the only
    // word leaves no current word. Returns the position of the new current
    // word, if any.
    std::optional<std::size_t> remove(std::size_t index);
    void setCurrentIndex(std::size_t index) { currentWord = words.at(index); }
    // Unchecked: any text, or none.
    void setCurrentWord(std::optional<rt::String> word) { currentWord = std::move(word); }
    // Replaces the whole list, repeats included; the current word is kept.
    // A long old list is freed by a thread of its own, after this returns.
    void setList(Words list);
    std::size_t size() const { return words.size(); }

    static constexpr char16_t DuplicateMessage[] = u"Word is already in the list.";
    static constexpr char16_t LineBreakMessage[] =
        u"A word cannot hold a line break: a word list stores one word per line.";

private:
    // Puts the word at position order[k] at position k.
    void reorder(const std::vector<std::uint32_t>& order);

    Words words;
    // One byte per word, at the word's position, taken from a hash of its
    // text: Add compares only the words whose byte matches its word's
    // (about one in 256), so a check against a million words reads 1 MB
    // instead of every word.
    std::vector<std::uint8_t> fingerprints;
    std::optional<rt::String> currentWord;
};

}  // namespace app
