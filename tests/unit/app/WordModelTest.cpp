#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/WordModel.h"
#include "tests/unit/app/ReferenceSort.h"

using app::WordModel;
using Words = WordModel::Words;

namespace {

WordModel modelWith(const Words& words) {
    WordModel model;
    model.setList(words);
    return model;
}

Words referenceAlpha(const Words& words) {
    return referenceSelectionSort(words, [](const rt::String& a, const rt::String& b) { return a < b; });
}

Words referenceLength(const Words& words) {
    return referenceSelectionSort(words,
                                  [](const rt::String& a, const rt::String& b) { return a.size() < b.size(); });
}

// Words over a small alphabet, so that repeats, equal lengths and long
// common prefixes are frequent; the alphabet mixes cases, a character above
// ASCII and the character of code zero.
Words randomWords(std::mt19937& random, std::size_t count) {
    static const rt::String alphabet(u"aAb \u00e9\0", 6);
    std::uniform_int_distribution<std::size_t> length(0, 11);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    Words words(count);
    for (auto& word : words) {
        for (std::size_t k = length(random); k > 0; --k) {
            word.push_back(alphabet[letter(random)]);
        }
    }
    return words;
}

}  // namespace

TEST(WordModel, StartsEmptyWithNoCurrentWord) {
    WordModel model;
    EXPECT_EQ(model.size(), 0u);
    EXPECT_FALSE(model.getCurrentWord().has_value());
}

TEST(WordModel, AddRefusesExactDuplicatesAndMakesTheNewWordCurrent) {
    WordModel model;
    EXPECT_FALSE(model.add(u"cat").has_value());
    EXPECT_EQ(model.add(u"cat"), rt::String(u"Word is already in the list."));
    EXPECT_EQ(model.getWords(), Words({u"cat"}));
    EXPECT_FALSE(model.add(u"Cat").has_value());
    EXPECT_EQ(model.getCurrentWord(), rt::String(u"Cat"));
    EXPECT_EQ(model.getWords(), Words({u"cat", u"Cat"}));
}

TEST(WordModel, AddRefusesAWordHoldingALineBreak) {
    WordModel model;
    model.add(u"cat");
    for (const char16_t* word : {u"one\ntwo", u"one\rtwo", u"one\r\n", u"\n"}) {
        EXPECT_EQ(model.add(word), rt::String(WordModel::LineBreakMessage));
    }
    EXPECT_EQ(model.getWords(), Words({u"cat"}));
    EXPECT_EQ(model.getCurrentWord(), u"cat");
}

TEST(WordModel, AddAfterSortKeepsTheNewWordCurrentAndSortKeepsIt) {
    WordModel model = modelWith({u"pear", u"apple"});
    model.alphaSort();
    model.add(u"fig");
    model.alphaSort();
    EXPECT_EQ(model.getWords(), Words({u"apple", u"fig", u"pear"}));
    EXPECT_EQ(model.getCurrentWord(), rt::String(u"fig"));
}

TEST(WordModel, SetListKeepsRepeatsButAddStillRefusesThem) {
    WordModel model = modelWith({u"x", u"x"});
    EXPECT_EQ(model.size(), 2u);
    EXPECT_TRUE(model.add(u"x").has_value());
    EXPECT_EQ(model.size(), 2u);
}

TEST(WordModel, RemoveMakesTheNeighbourCurrent) {
    WordModel model = modelWith({u"a", u"b", u"c", u"d"});
    EXPECT_EQ(model.remove(2), 1u);
    EXPECT_EQ(model.getWords(), Words({u"a", u"b", u"d"}));
    EXPECT_EQ(model.getCurrentWord(), rt::String(u"b"));

    model = modelWith({u"a", u"b", u"c", u"d"});
    EXPECT_EQ(model.remove(0), 0u);
    EXPECT_EQ(model.getWords(), Words({u"b", u"c", u"d"}));
    EXPECT_EQ(model.getCurrentWord(), rt::String(u"b"));

    EXPECT_EQ(model.remove(2), 1u);
    EXPECT_EQ(model.getCurrentWord(), rt::String(u"c"));
}

TEST(WordModel, RemovingTheOnlyWordLeavesNoCurrentWord) {
    WordModel model;
    model.add(u"solo");
    EXPECT_EQ(model.remove(0), std::nullopt);
    EXPECT_EQ(model.size(), 0u);
    EXPECT_FALSE(model.getCurrentWord().has_value());
}

TEST(WordModel, SortsFollowTheSelectionSortExamples) {
    WordModel model = modelWith({u"bb", u"aa", u"c"});
    model.lengthSort();
    EXPECT_EQ(model.getWords(), Words({u"c", u"aa", u"bb"}));

    model = modelWith({u"pear", u"apple", u"fig"});
    model.alphaSort();
    EXPECT_EQ(model.getWords(), Words({u"apple", u"fig", u"pear"}));
}

TEST(WordModel, AlphabeticalOrderIsCodeOrderWithoutCaseFoldingAndPrefixFirst) {
    WordModel model = modelWith({u"apple", u"Zebra", u"app", u"\u00e9t\u00e9", u"Apple"});
    model.alphaSort();
    EXPECT_EQ(model.getWords(), Words({u"Apple", u"Zebra", u"app", u"apple", u"\u00e9t\u00e9"}));
}

TEST(WordModel, SortingEmptyAndSingleListsChangesNothing) {
    WordModel model;
    model.alphaSort();
    model.lengthSort();
    EXPECT_EQ(model.size(), 0u);
    model.add(u"one");
    model.alphaSort();
    model.lengthSort();
    EXPECT_EQ(model.getWords(), Words({u"one"}));
    EXPECT_EQ(model.getCurrentWord(), rt::String(u"one"));
}

TEST(WordModel, BothSortsMatchThePlainSelectionSortOnRandomLists) {
    std::mt19937 random(20261207);
    for (std::size_t round = 0; round < 400; ++round) {
        const Words words = randomWords(random, round % 97);
        WordModel byAlpha = modelWith(words);
        byAlpha.alphaSort();
        ASSERT_EQ(byAlpha.getWords(), referenceAlpha(words)) << "round " << round;
        WordModel byLength = modelWith(words);
        byLength.lengthSort();
        ASSERT_EQ(byLength.getWords(), referenceLength(words)) << "round " << round;
    }
}

TEST(WordModel, SortingTwiceAndMixingSortsStaysConsistent) {
    std::mt19937 random(7);
    const Words words = randomWords(random, 500);
    WordModel model = modelWith(words);
    model.lengthSort();
    model.alphaSort();
    EXPECT_EQ(model.getWords(), referenceAlpha(referenceLength(words)));
    model.lengthSort();
    EXPECT_EQ(model.getWords(), referenceLength(referenceAlpha(referenceLength(words))));
}

// Long runs of displaced words: many lengths, each held by several words,
// some far longer than the list is long.
TEST(WordModel, LengthSortMatchesThePlainSelectionSortWithManyLengths) {
    std::mt19937 random(31);
    std::uniform_int_distribution<std::size_t> length(0, 400);
    Words words(3000);
    for (std::size_t k = 0; k < words.size(); ++k) {
        words[k] = rt::String(k % 7 == 0 ? 5000 + k % 3 : length(random), static_cast<char16_t>(u'a' + k % 26));
    }
    WordModel model = modelWith(words);
    model.lengthSort();
    EXPECT_EQ(model.getWords(), referenceLength(words));
}

// Lengths up to the list's own length are counted, each word's turn taken
// from a set of positions: hundreds of lengths, the longest as long as the
// list, in no order, and words of one length spread over the whole list.
TEST(WordModel, LengthSortMatchesThePlainSelectionSortWithLengthsUpToTheListLength) {
    std::mt19937 random(43);
    Words words(2000);
    std::uniform_int_distribution<std::size_t> length(0, words.size());
    for (std::size_t k = 0; k < words.size(); ++k) {
        words[k] = rt::String(k % 5 == 0 ? k % 3 : length(random), static_cast<char16_t>(u'a' + k % 26));
    }
    words[words.size() / 2] = rt::String(words.size(), u'z');
    WordModel model = modelWith(words);
    model.lengthSort();
    EXPECT_EQ(model.getWords(), referenceLength(words));
}

namespace {

// Whether Add takes each probe exactly when the list lacks it, tried on a
// copy so that the list itself stays as it is.
void expectAddRefusesExactlyTheWordsInTheList(const WordModel& model, const Words& probes) {
    for (const auto& probe : probes) {
        WordModel copy = model;
        const bool inList = std::find(model.getWords().begin(), model.getWords().end(), probe) !=
                            model.getWords().end();
        ASSERT_EQ(copy.add(probe).has_value(), inList) << rt::toUtf8(probe);
    }
}

}  // namespace

// Thousands of words, so that many share the byte Add looks at first; the
// list is changed by every operation that moves or drops words.
TEST(WordModel, AddFindsRepeatsAfterSortsRemovalsAndAdds) {
    std::mt19937 random(11);
    const Words words = randomWords(random, 3000);
    Words probes = randomWords(random, 150);
    probes.insert(probes.end(), words.begin(), words.begin() + 150);
    WordModel model = modelWith(words);
    expectAddRefusesExactlyTheWordsInTheList(model, probes);
    model.alphaSort();
    expectAddRefusesExactlyTheWordsInTheList(model, probes);
    model.lengthSort();
    model.remove(0);
    model.remove(model.size() / 2);
    model.remove(model.size() - 1);
    expectAddRefusesExactlyTheWordsInTheList(model, probes);
    ASSERT_FALSE(model.add(u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9").has_value());
    model.alphaSort();
    probes.push_back(u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9");
    expectAddRefusesExactlyTheWordsInTheList(model, probes);
}

// A long list replaced is freed aside; the model goes on with the new one.
TEST(WordModel, ReplacingLongListsKeepsOnlyTheNewOne) {
    WordModel model;
    for (int round = 0; round < 4; ++round) {
        Words words(100000);
        for (std::size_t k = 0; k < words.size(); ++k) {
            words[k] = u"word number " + rt::decimalText(static_cast<std::int64_t>(k * 4 + round));
        }
        model.setList(words);
        EXPECT_EQ(model.getWords(), words);
    }
    EXPECT_TRUE(model.add(u"word number 399999").has_value());
    EXPECT_FALSE(model.add(u"word number 399998").has_value());
    model.setList({});
    EXPECT_FALSE(model.add(u"word number 399999").has_value());
}

TEST(WordModel, IndexOfGivesTheFirstPositionOfAWordAmongThousands) {
    std::mt19937 random(5);
    const Words words = randomWords(random, 3000);
    const WordModel model = modelWith(words);
    for (std::size_t k = 0; k < words.size(); k += 7) {
        const auto first = static_cast<std::size_t>(std::find(words.begin(), words.end(), words[k]) - words.begin());
        ASSERT_EQ(model.indexOf(words[k]), first) << k;
    }
    EXPECT_EQ(model.indexOf(u"not among them, too long to be drawn"), std::nullopt);
    EXPECT_EQ(WordModel().indexOf(u""), std::nullopt);
}

// Lists of every length up to a few times eight fingerprints, so that words
// sit at each place of the eight compared at once and in the shorter rest;
// each word is found where it is, and a word not there is not.
TEST(WordModel, IndexOfFindsEveryPositionOfShortLists) {
    for (std::size_t size = 1; size <= 40; ++size) {
        Words words(size);
        for (std::size_t k = 0; k < size; ++k) {
            words[k] = u"w" + rt::decimalText(static_cast<std::int64_t>(k));
        }
        const WordModel model = modelWith(words);
        for (std::size_t k = 0; k < size; ++k) {
            ASSERT_EQ(model.indexOf(words[k]), k) << size;
        }
        EXPECT_EQ(model.indexOf(u"w" + rt::decimalText(static_cast<std::int64_t>(size))), std::nullopt) << size;
    }
}

// Tens of thousands of different words: about eighty share each byte, so
// a word far down the list is found after many words with its byte were
// compared and found different; a repeat further on is never the answer.
TEST(WordModel, IndexOfFindsWordsBehindManyThatShareTheirByte) {
    Words words(20000);
    for (std::size_t k = 0; k < words.size(); ++k) {
        words[k] = u"word " + rt::decimalText(static_cast<std::int64_t>(k));
    }
    words.push_back(words[19000]);
    const WordModel model = modelWith(words);
    for (std::size_t k = 0; k < 20000; k += 97) {
        ASSERT_EQ(model.indexOf(words[k]), k);
    }
    EXPECT_EQ(model.indexOf(words[19999]), 19999u);
    EXPECT_EQ(model.indexOf(words[19000]), 19000u);
    EXPECT_EQ(model.indexOf(u"word 20000"), std::nullopt);
}
