// The word list's two sorts against the plain selection sort they stand
// for (the unit tests' reference); the current word stays the same word,
// and Add still refuses exactly the words in the sorted list.
// Input: the words, separated by zero bytes; a byte from F0 on joins the
// next byte into one character, so any 16-bit code can occur.

#include <algorithm>
#include <vector>

#include "app/WordModel.h"
#include "tests/unit/app/ReferenceSort.h"

namespace {

using Words = app::WordModel::Words;

Words wordsOf(const std::uint8_t* data, std::size_t size) {
    Words words(1);
    for (std::size_t i = 0; i < size && words.size() <= 300; ++i) {
        if (data[i] == 0) {
            words.emplace_back();
        } else if (data[i] >= 0xF0 && i + 1 < size) {
            words.back() += static_cast<char16_t>(data[i] << 8 | data[i + 1]);
            ++i;
        } else {
            words.back() += static_cast<char16_t>(data[i]);
        }
    }
    return words;
}

bool holdsLineBreak(const rt::String& word) { return word.find_first_of(u"\r\n") != rt::String::npos; }

// Every word of the list is refused as a repeat; a word longer than all of
// them is taken, and refused when added again.
void checkAdd(app::WordModel& model, const Words& words) {
    rt::String longer(1, u'x');
    for (const auto& word : words) {
        if (!holdsLineBreak(word) && model.add(word) != rt::String(app::WordModel::DuplicateMessage)) __builtin_trap();
        if (word.size() >= longer.size()) longer = word + u'x';
    }
    if (holdsLineBreak(longer)) return;
    if (model.add(longer) || !model.add(longer)) __builtin_trap();
}

template <typename Sort, typename Before>
void check(const Words& words, Sort sort, Before before) {
    app::WordModel model;
    model.setList(words);
    if (!words.empty()) model.setCurrentIndex(words.size() / 2);
    const auto current = model.getCurrentWord();
    (model.*sort)();
    if (model.getWords() != referenceSelectionSort(words, before) || model.getCurrentWord() != current) __builtin_trap();
    checkAdd(model, words);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Words words = wordsOf(data, size);
    check(words, &app::WordModel::alphaSort, [](const rt::String& a, const rt::String& b) { return a < b; });
    check(words, &app::WordModel::lengthSort,
          [](const rt::String& a, const rt::String& b) { return a.size() < b.size(); });
    return 0;
}
