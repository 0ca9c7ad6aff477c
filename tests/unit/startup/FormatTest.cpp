#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "startup/strUtil.h"

namespace {

std::string formatted(const char* format, int a, int b) {
    char buffer[str::MessageCapacity];
    str::format(buffer, sizeof buffer, format, a, b);
    return buffer;
}

TEST(Format, ConvertsTextsNumbersAndTwoDigitNumbers) {
    char buffer[str::MessageCapacity];
    const std::size_t n = str::format(buffer, sizeof buffer, "Unable to load %s (referenced from %s)",
                                      "/a/ZKRN6407.so", "/a/hangman");
    EXPECT_STREQ(buffer, "Unable to load /a/ZKRN6407.so (referenced from /a/hangman)");
    EXPECT_EQ(n, std::strlen(buffer));
    EXPECT_EQ(formatted("kov%d%02d.home", 6, 40), "kov640.home");
    EXPECT_EQ(formatted("%d.%02d", 6, 5), "6.05");
    EXPECT_EQ(formatted("%d %02d", -12, 123), "-12 123");
    EXPECT_EQ(formatted("%d|%02d", 0, 0), "0|00");
    // The width counts the sign, as in printf.
    EXPECT_EQ(formatted("%02d|%02d", -5, -12), "-5|-12");
    // A 32-bit word (a header word of the block) reads as a signed int, the
    // same on every platform.
    char word[32];
    str::format(word, sizeof word, "kov%d%02d.home", 6u, 0xFFFFFFFBu);
    EXPECT_STREQ(word, "kov6-5.home");
}

TEST(Format, KeepsPercentSignsAndUnknownConversionsAndIgnoresMissingArguments) {
    char buffer[64];
    str::format(buffer, sizeof buffer, "100%% %x %5d %s%d", "t");
    EXPECT_STREQ(buffer, "100% %x %5d t");
    str::format(buffer, sizeof buffer, "trailing %");
    EXPECT_STREQ(buffer, "trailing %");
}

TEST(Format, CutsAtTheCapacityWithoutWritingPastIt) {
    char area[40];
    std::memset(area, '#', sizeof area);
    const std::size_t n = str::format(area + 8, 16, "%s-%d", "abcdefghijklmnopqrstuvwxyz", 42);
    EXPECT_EQ(n, 15u);
    EXPECT_EQ(std::string(area + 8), "abcdefghijklmno");
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(area[i], '#');
    for (std::size_t i = 24; i < sizeof area; ++i) EXPECT_EQ(area[i], '#');

    std::string longText(3000, 'x');
    char message[str::MessageCapacity + 1];
    message[str::MessageCapacity] = '#';
    EXPECT_EQ(str::format(message, str::MessageCapacity, "%s", longText.c_str()), str::MessageCapacity - 1);
    EXPECT_EQ(message[str::MessageCapacity], '#');
}

TEST(StrUtil, CopyAndAppendRefuseWhatDoesNotFit) {
    char buffer[8] = "abc";
    EXPECT_TRUE(str::append(buffer, sizeof buffer, "defg"));
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_FALSE(str::append(buffer, sizeof buffer, "h"));
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_FALSE(str::copy(buffer, sizeof buffer, "12345678"));
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_TRUE(str::appendPart(buffer, sizeof buffer, "xyz", 0));
}

TEST(StrUtil, RemovesLastComponentsAndUpperCasesAsciiOnly) {
    char path[] = "/opt/kov/bin/kov640.home";
    str::removeLastComponent(path, '/');
    EXPECT_STREQ(path, "/opt/kov/bin");
    str::removeLastComponent(path, '/');
    EXPECT_STREQ(path, "/opt/kov");
    char bare[] = "name";
    str::removeLastComponent(bare, '/');
    EXPECT_STREQ(bare, "");
    char name[] = "zkrn6407.so\xe4";
    str::upperAscii(name);
    EXPECT_STREQ(name, "ZKRN6407.SO\xe4");
}

}  // namespace
