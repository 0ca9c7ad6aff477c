#include "runtime/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

using rt::TextEncoding;

TextEncoding encodingOf(std::string_view bytes) { return rt::detectEncoding(bytes).encoding; }

TEST(TextEncodingTest, AByteOrderMarkDecidesWhateverFollows) {
    EXPECT_EQ(rt::detectEncoding("\xEF\xBB\xBF" "caf\xC3\xA9").encoding, TextEncoding::Utf8);
    EXPECT_EQ(rt::detectEncoding("\xEF\xBB\xBF" "caf\xC3\xA9").markSize, 3u);
    // Invalid UTF-8 after a UTF-8 mark stays UTF-8 (the bad byte becomes U+FFFD).
    EXPECT_EQ(encodingOf("\xEF\xBB\xBF" "caf\xE9"), TextEncoding::Utf8);
    EXPECT_EQ(rt::detectEncoding("\xFF\xFE" "a\0").encoding, TextEncoding::Utf16Le);
    EXPECT_EQ(rt::detectEncoding("\xFF\xFE" "a\0").markSize, 2u);
    EXPECT_EQ(encodingOf("\xFE\xFF\0a"), TextEncoding::Utf16Be);
    // A mark that is not complete is no mark; its bytes are not UTF-8.
    EXPECT_EQ(encodingOf("\xEF\xBB"), TextEncoding::CodePage);
    EXPECT_EQ(encodingOf("\xFF"), TextEncoding::CodePage);
}

TEST(TextEncodingTest, WithoutAMarkValidUtf8IsUtf8AndAnythingElseTheCodePage) {
    EXPECT_EQ(rt::detectEncoding("").encoding, TextEncoding::Utf8);
    EXPECT_EQ(rt::detectEncoding("").markSize, 0u);
    EXPECT_EQ(encodingOf("plain ascii\n"), TextEncoding::Utf8);
    EXPECT_EQ(encodingOf("caf\xC3\xA9\n\xE6\x97\xA5\xE6\x9C\xAC\n\xF0\x9F\x98\x80\n"), TextEncoding::Utf8);
    EXPECT_EQ(encodingOf("caf\xE9\n"), TextEncoding::CodePage);
    // One bad byte anywhere, even after megabytes of valid text, decides.
    EXPECT_EQ(encodingOf(std::string(3 << 20, 'a') + "\x80"), TextEncoding::CodePage);
}

TEST(TextEncodingTest, Utf8ValidityRefusesEveryIllFormedSequence) {
    for (const char* good : {"", "a", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80",
                             "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF", "12345678\xC3\xA9" "12345678"}) {
        EXPECT_TRUE(rt::isValidUtf8(good)) << good;
    }
    for (const char* bad : {"\x80", "\xBF", "\xC0\x80", "\xC1\xBF", "\xC2", "\xC2\x41", "\xE0\x9F\xBF",
                            "\xED\xA0\x80", "\xE2\x82", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
                            "\xFE", "\xFF", "1234567\xC3", "12345678\xE9" "12345678"}) {
        EXPECT_FALSE(rt::isValidUtf8(bad)) << bad;
    }
}

TEST(TextEncodingTest, Utf16InBothOrdersKeepsSurrogatePairsAndMarksALoneLastByte) {
    rt::String text;
    rt::appendUtf16(std::string_view("c\0\xE9\0=\xD8\0\xDE", 8), false, text);
    EXPECT_EQ(text, u"c\u00E9\U0001F600");
    text.clear();
    rt::appendUtf16(std::string_view("\0c\0\xE9\xD8=\xDE\0", 8), true, text);
    EXPECT_EQ(text, u"c\u00E9\U0001F600");
    text = u"x";
    rt::appendUtf16(std::string_view("a\0b", 3), false, text);
    EXPECT_EQ(text, u"xa\uFFFD");
}

TEST(TextEncodingTest, Windows1252GivesEveryByteACharacter) {
    rt::String text;
    rt::appendWindows1252("caf\xE9 \x80 \x9F \xFF \x81\x8D\x8F\x90\x9D \x00", text);
    EXPECT_EQ(text, u"caf\u00E9 \u20AC \u0178 \u00FF \u0081\u008D\u008F\u0090\u009D ");
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    text.clear();
    rt::appendWindows1252(all, text);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(text.find(u'\uFFFD'), rt::String::npos);
    EXPECT_EQ(text[0x8A], u'\u0160');
    EXPECT_EQ(text[0x99], u'\u2122');
    EXPECT_EQ(text[0xA0], u'\u00A0');
}

TEST(TextEncodingTest, Utf8AppendedAsToUtf8GivesIt) {
    std::string out = "x";
    rt::appendUtf8(u"caf\u00E9\U0001F600\xD800", out);
    EXPECT_EQ(out, "xcaf\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD");
    EXPECT_EQ(out.substr(1), rt::toUtf8(u"caf\u00E9\U0001F600\xD800"));
}

}  // namespace
