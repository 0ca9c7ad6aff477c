// The splash library's JPEG decoding in this process: what it accepts, what
// it refuses without asking for room, and the bitmap it makes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "splash/win32/JpegPixels.h"
#include "splash/win32/SplashImage.h"
#include "tests/windows/splash/JpegVariants.h"

namespace {

using splashtest::programJpeg;

constexpr int Width = 261, Height = 340;
constexpr long ImagePixels = long{Width} * Height;

// A decoding into a buffer of its own, remembering what it was asked for.
struct Decoding {
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0, asked = 0;
    bool decoded = false;

    explicit Decoding(const std::vector<std::uint8_t>& jpeg, long maxPixels = ImagePixels) {
        decoded = splash_win32::decodeJpeg(jpeg.data(), jpeg.size(), maxPixels, [this](int w, int h) {
            ++asked;
            width = w;
            height = h;
            pixels.resize(static_cast<std::size_t>(w) * h);
            return pixels.data();
        });
    }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

int brightness(std::uint32_t word) { return ((word >> 16 & 0xff) + (word >> 8 & 0xff) + (word & 0xff)) / 3; }

void expectRefused(const std::vector<std::uint8_t>& jpeg, const char* what, long maxPixels = ImagePixels) {
    const Decoding decoding(jpeg, maxPixels);
    EXPECT_FALSE(decoding.decoded) << what;
    EXPECT_EQ(decoding.asked, 0) << what;
}

// The drawing: black lines on white paper.
void expectTheDrawing(const Decoding& decoding, const char* what) {
    ASSERT_TRUE(decoding.decoded) << what;
    EXPECT_EQ(decoding.asked, 1) << what;
    ASSERT_EQ(decoding.width, Width) << what;
    ASSERT_EQ(decoding.height, Height) << what;
    EXPECT_GT(brightness(decoding.at(20, 100)), 200) << what << ": the paper";
    EXPECT_LT(brightness(decoding.at(62, 150)), 60) << what << ": the gallows' post";
    EXPECT_TRUE(std::all_of(decoding.pixels.begin(), decoding.pixels.end(),
                            [](std::uint32_t word) { return word >> 24 == 0; }))
        << what << ": the top byte stays 0";
}

TEST(SplashImage, DecodesTheProgramImageBaselineProgressiveAndGreyAlike) {
    const Decoding baseline(programJpeg());
    expectTheDrawing(baseline, "baseline");
    const Decoding progressive(splashtest::jpegBesideThisProgram("progressive.jpg"));
    expectTheDrawing(progressive, "progressive");
    const Decoding grey(splashtest::jpegBesideThisProgram("grey.jpg"));
    expectTheDrawing(grey, "grey");
    int differ = 0;
    for (std::size_t i = 0; i < baseline.pixels.size() && progressive.decoded; ++i)
        differ += std::abs(brightness(baseline.pixels[i]) - brightness(progressive.pixels[i])) > 48;
    EXPECT_LT(differ, ImagePixels / 100) << "the progressive image is the same drawing";
    EXPECT_EQ(grey.at(20, 100) >> 16 & 0xff, grey.at(20, 100) & 0xff) << "grey as equal red, green and blue";
}

// colours.jpg: 16 x 8 pixels, the left half red, the right half blue.
TEST(SplashImage, WritesRedGreenBlueFromTheHighByteDown) {
    const Decoding decoding(splashtest::jpegBesideThisProgram("colours.jpg"), 16 * 8);
    ASSERT_TRUE(decoding.decoded);
    const auto about = [](std::uint32_t word, std::uint32_t expected) {
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>(word >> shift & 0xff) - static_cast<int>(expected >> shift & 0xff)) > 24)
                return false;
        return true;
    };
    EXPECT_TRUE(about(decoding.at(2, 4), 0xff0000)) << std::hex << decoding.at(2, 4);
    EXPECT_TRUE(about(decoding.at(13, 4), 0x0000ff)) << std::hex << decoding.at(13, 4);
}

TEST(SplashImage, RefusesImagesCutShortAtAnyPointWithoutAskingForRoom) {
    const std::vector<std::uint8_t> jpeg = programJpeg();
    for (std::size_t keep : {std::size_t{2}, std::size_t{200}, jpeg.size() / 2, jpeg.size() - 100, jpeg.size() - 2}) {
        expectRefused({jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(keep)}, "cut short");
    }
    expectRefused({}, "empty");
    expectRefused(std::vector<std::uint8_t>(4096, 'x'), "no JPEG");
}

// The decoder takes fill bytes before the start-of-image marker, and so does
// the walk of the segments that checks its Huffman tables first (an
// oversized table after fill bytes is in the fuzz target's seeds).
TEST(SplashImage, DecodesAnImageAfterFillBytes) {
    std::vector<std::uint8_t> filled(3, 0xff);
    const std::vector<std::uint8_t> jpeg = programJpeg();
    filled.insert(filled.end(), jpeg.begin(), jpeg.end());
    expectTheDrawing(Decoding(filled), "fill bytes first");
}

TEST(SplashImage, RefusesMorePixelsThanAllowedOrThanAFrameSideMayHave) {
    expectTheDrawing(Decoding(programJpeg(), ImagePixels), "exactly the limit");
    expectRefused(programJpeg(), "one pixel beyond the limit", ImagePixels - 1);
    std::vector<std::uint8_t> huge = programJpeg();
    splashtest::setFrameSize(huge, 0xffff);
    expectRefused(huge, "65535 x 65535", 1L << 30);
    std::vector<std::uint8_t> wide = programJpeg();
    splashtest::setFrameSize(wide, splash_win32::MaxSide + 8);
    expectRefused(wide, "a side beyond the largest", 1L << 30);
}

TEST(SplashImage, DecodesUpToTheMostScansAndRefusesOneMore) {
    expectTheDrawing(Decoding(splashtest::withScans(programJpeg(), splash_win32::MaxScans)), "the most scans");
    expectRefused(splashtest::withScans(programJpeg(), splash_win32::MaxScans + 1), "one scan more");
}

TEST(SplashImage, GivesUpWhenNoRoomIsGiven) {
    const std::vector<std::uint8_t> jpeg = programJpeg();
    EXPECT_FALSE(splash_win32::decodeJpeg(jpeg.data(), jpeg.size(), ImagePixels, [](int, int) { return nullptr; }));
}

// The bitmap for the window: 32 bits per pixel, top row first, and allowed up
// to four times the work area's pixels.
TEST(SplashImage, MakesATopDownBitmapWithinFourTimesTheWorkArea) {
    const RECT fits{100, 50, 100 + Width, 50 + Height / 4};
    SIZE size{};
    HBITMAP bitmap = splash_win32::decodeJpeg(programJpeg(), fits, size);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(size.cx, Width);
    EXPECT_EQ(size.cy, Height);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBmih.biBitCount, 32);
    const auto* words = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    const Decoding decoding(programJpeg());
    EXPECT_TRUE(std::equal(decoding.pixels.begin(), decoding.pixels.end(), words)) << "the decoder's rows, top first";
    DeleteObject(bitmap);

    const RECT tooSmall{0, 0, Width, Height / 4 - 1};
    EXPECT_EQ(splash_win32::decodeJpeg(programJpeg(), tooSmall, size), nullptr);
}

}  // namespace
