#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "runtime/Text.h"

namespace {

using rt::String;

TEST(Text, TrimRemovesControlAndBlankCharactersAtBothEnds) {
    EXPECT_EQ(rt::trim(u"  a b \t\n"), u"a b");
    EXPECT_EQ(rt::trim(u"\x01\x1f word\r"), u"word");
    EXPECT_EQ(rt::trim(u" \t \n"), u"");
    EXPECT_EQ(rt::trim(u""), u"");
    EXPECT_EQ(rt::trim(u"x"), u"x");
    // A no-break space and DEL are above U+0020 and stay.
    EXPECT_EQ(rt::trim(u"\u00a0x\u007f"), u"\u00a0x\u007f");
    EXPECT_EQ(rt::trim(String(u"\0a\0", 3)), u"a");
}

TEST(Text, EqualsIgnoreCaseFoldsAsciiAndLatinLetters) {
    EXPECT_TRUE(rt::equalsIgnoreCase(u"Metal", u"METAL"));
    EXPECT_TRUE(rt::equalsIgnoreCase(u"\u00c4RGER", u"\u00e4rger"));
    EXPECT_TRUE(rt::equalsIgnoreCase(u"\u00de", u"\u00fe"));
    EXPECT_TRUE(rt::equalsIgnoreCase(u"", u""));
    EXPECT_FALSE(rt::equalsIgnoreCase(u"Metal", u"Metals"));
    EXPECT_FALSE(rt::equalsIgnoreCase(u"Metal", u"Medal"));
    // Only letters fold: these pairs differ by 32 as well.
    EXPECT_FALSE(rt::equalsIgnoreCase(u"@", u"`"));
    EXPECT_FALSE(rt::equalsIgnoreCase(u"[", u"{"));
    EXPECT_FALSE(rt::equalsIgnoreCase(u"\u00d7", u"\u00f7"));
}

TEST(Text, DecimalText) {
    EXPECT_EQ(rt::decimalText(0), u"0");
    EXPECT_EQ(rt::decimalText(-42), u"-42");
    EXPECT_EQ(rt::decimalText(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
    EXPECT_EQ(rt::decimalText(std::numeric_limits<std::int64_t>::max()), u"9223372036854775807");
}

TEST(Text, Utf8RoundTripIncludingSurrogatePairs) {
    const String text = u"h\u00e9llo \u20ac \U0001F600 \U0010FFFF";
    const std::string utf8 = rt::toUtf8(text);
    EXPECT_EQ(utf8, "h\xc3\xa9llo \xe2\x82\xac \xf0\x9f\x98\x80 \xf4\x8f\xbf\xbf");
    EXPECT_EQ(rt::fromUtf8(utf8), text);
}

TEST(Text, ToUtf8ReplacesUnpairedSurrogates) {
    const std::string replacement = "\xef\xbf\xbd";
    EXPECT_EQ(rt::toUtf8(String(1, char16_t{0xD800})), replacement);
    EXPECT_EQ(rt::toUtf8(String(1, char16_t{0xDC00})), replacement);
    EXPECT_EQ(rt::toUtf8(String{char16_t{0xD83D}, u'a'}), replacement + "a");
    EXPECT_EQ(rt::toUtf8(String{char16_t{0xDE00}, char16_t{0xD83D}}), replacement + replacement);
}

TEST(Text, FromUtf8ReplacesInvalidSequences) {
    const String r(1, char16_t{0xFFFD});
    EXPECT_EQ(rt::fromUtf8("\xc3\x28"), r + u"(");          // bad continuation
    EXPECT_EQ(rt::fromUtf8("\x80" "a"), r + u"a");           // stray continuation
    EXPECT_EQ(rt::fromUtf8("\xc0\xaf"), r + r);              // overlong
    EXPECT_EQ(rt::fromUtf8("\xed\xa0\x80"), r + r + r);      // encoded surrogate
    EXPECT_EQ(rt::fromUtf8("\xf4\x90\x80\x80"), r + r + r + r);  // above U+10FFFF
    EXPECT_EQ(rt::fromUtf8("\xff"), r);
    EXPECT_EQ(rt::fromUtf8("a\xe2\x82"), u"a" + r);          // cut off at the end
    EXPECT_EQ(rt::fromUtf8("\xf0\x9f" "a"), r + u"a");         // cut off by a letter
    EXPECT_EQ(rt::fromUtf8("\xe2\x82\xe2\x82\xac"), r + u"\u20ac");  // cut off by a new one
    EXPECT_EQ(rt::fromUtf8("\xe0\x9f\x80"), r + r + r);      // overlong three-byte form
    EXPECT_EQ(rt::fromUtf8(std::string("\0x", 2)), String(u"\0x", 2));
}

TEST(Text, Utf8DecoderGivesTheSameTextWhereverThePiecesEnd) {
    const std::string bytes = "a\xc3\xa9\xf0\x9f\x98\x80\xe2\x82" "b\xc0\xf4\x90\xed\x9f\xbf\xf0\x9f";
    const String whole = rt::fromUtf8(bytes);
    EXPECT_EQ(whole, String(u"a\u00e9\U0001F600\uFFFDb\uFFFD\uFFFD\uFFFD\ud7ff\uFFFD"));
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        for (std::size_t second = cut; second <= bytes.size(); ++second) {
            rt::Utf8Decoder decoder;
            String out;
            decoder.decode(std::string_view(bytes).substr(0, cut), out);
            decoder.decode(std::string_view(bytes).substr(cut, second - cut), out);
            decoder.decode(std::string_view(bytes).substr(second), out);
            decoder.finish(out);
            ASSERT_EQ(out, whole) << cut << " " << second;
        }
    }
}

TEST(Text, Utf32AndWideTextsBecomeUtf16WithReplacementForNonCharacters) {
    const String r(1, char16_t{0xFFFD});
    EXPECT_EQ(rt::fromUtf32(U"a\u00e9\U0001F600"), u"a\u00e9\U0001F600");
    EXPECT_EQ(rt::fromUtf32(std::u32string{0xD800, U'x', 0x110000}), r + u"x" + r);
    EXPECT_EQ(rt::fromWide(L"w\u00e9\U0001F600"), u"w\u00e9\U0001F600");
}

TEST(Text, CodePointsJoinSurrogatePairsAndKeepLoneOnesAsTheyAre) {
    EXPECT_EQ(rt::codePoints(u"a\U0001F600b"), std::u32string(U"a\U0001F600b"));
    EXPECT_EQ(rt::codePoints(String{char16_t{0xDE00}, char16_t{0xD83D}}), (std::u32string{0xDE00, 0xD83D}));
    EXPECT_EQ(rt::codePoints(String{char16_t{0xD83D}, u'x'}), (std::u32string{0xD83D, U'x'}));
    String text;
    for (char32_t c : {U'z', U'\u00E9', U'\U0001F600', U'\U0010FFFF', char32_t{0xD800}}) rt::appendCodePoint(text, c);
    EXPECT_EQ(text, String(u"z\u00E9\U0001F600\U0010FFFF") + char16_t{0xD800});
}

}  // namespace
