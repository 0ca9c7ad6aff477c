#include <gtest/gtest.h>

#include "runtime/Captions.h"

namespace {

using rt::fromCaptionText;
using rt::toCaptionText;

TEST(CaptionsTest, DoublesEveryAmpersand) {
    EXPECT_EQ(toCaptionText(u"Save & Exit"), u"Save && Exit");
    EXPECT_EQ(toCaptionText(u"&&"), u"&&&&");
    EXPECT_EQ(toCaptionText(u"&"), u"&&");
    EXPECT_EQ(toCaptionText(u""), u"");
    EXPECT_EQ(toCaptionText(u"plain \u00e4"), u"plain \u00e4");
}

TEST(CaptionsTest, ReadsPairsBackAsOneAmpersand) {
    EXPECT_EQ(fromCaptionText(u"Save && Exit"), u"Save & Exit");
    EXPECT_EQ(fromCaptionText(u"&&&&"), u"&&");
    EXPECT_EQ(fromCaptionText(u""), u"");
}

TEST(CaptionsTest, KeepsAnUnpairedAmpersand) {
    EXPECT_EQ(fromCaptionText(u"&File"), u"&File");
    EXPECT_EQ(fromCaptionText(u"&&&"), u"&&");
    EXPECT_EQ(fromCaptionText(u"end&"), u"end&");
}

TEST(CaptionsTest, RoundTripGivesTheTextBack) {
    for (const rt::String text : {u"", u"&", u"a&&b", u"&x&", u"R&D \u00df"})
        EXPECT_EQ(fromCaptionText(toCaptionText(text)), text);
}

}  // namespace
