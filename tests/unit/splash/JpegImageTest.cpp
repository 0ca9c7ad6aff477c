#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>

#include "splash/JpegImage.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes programImage() {
    std::ifstream in(SPLASH_JPEG, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Encoding {
    int width = 16;
    int height = 16;
    int components = 3;
    J_COLOR_SPACE space = JCS_RGB;
    bool progressive = false;
};

// A real JPEG from libjpeg's encoder: left half red, right half blue (or the
// component value 200 for other colour spaces).
Bytes encode(const Encoding& e) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(e.width);
    info.image_height = static_cast<JDIMENSION>(e.height);
    info.input_components = e.components;
    info.in_color_space = e.space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (e.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(e.width * e.components), 200);
    for (int x = 0; e.components == 3 && x < e.width; ++x) {
        const bool left = x < e.width / 2;
        row[x * 3] = left ? 255 : 0;
        row[x * 3 + 1] = 0;
        row[x * 3 + 2] = left ? 0 : 255;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(out, out + size);
    std::free(out);
    return bytes;
}

std::size_t markerAt(const Bytes& bytes, std::uint8_t marker) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == 0xff && bytes[i + 1] == marker) return i;
    }
    return bytes.size();
}

// Writes height and width into the frame header (SOF0).
Bytes withDimensions(Bytes bytes, unsigned width, unsigned height) {
    const std::size_t sof = markerAt(bytes, 0xc0);
    bytes[sof + 5] = static_cast<std::uint8_t>(height >> 8);
    bytes[sof + 6] = static_cast<std::uint8_t>(height);
    bytes[sof + 7] = static_cast<std::uint8_t>(width >> 8);
    bytes[sof + 8] = static_cast<std::uint8_t>(width);
    return bytes;
}

bool decodes(const Bytes& bytes, std::size_t count) {
    splash::Image image;
    const bool ok = splash::decodeJpeg(bytes.data(), count, image);
    EXPECT_EQ(ok, !image.pixels.empty());
    return ok;
}
bool decodes(const Bytes& bytes) { return decodes(bytes, bytes.size()); }

int channelDistance(std::uint32_t a, std::uint32_t b) {
    int most = 0;
    for (int shift : {0, 8, 16}) {
        most = std::max(most, std::abs(static_cast<int>(a >> shift & 0xff) - static_cast<int>(b >> shift & 0xff)));
    }
    return most;
}

TEST(JpegImage, TheProgramImageIsABlackOnWhiteDrawingOf261By340) {
    const Bytes bytes = programImage();
    ASSERT_GT(bytes.size(), 10000u);
    splash::Image image;
    ASSERT_TRUE(splash::decodeJpeg(bytes.data(), bytes.size(), image));
    EXPECT_EQ(image.width, 261);
    EXPECT_EQ(image.height, 340);
    ASSERT_EQ(image.pixels.size(), 261u * 340u);
    EXPECT_LE(channelDistance(image.pixels[2 * 261 + 2], 0xffffff), 8);        // paper
    EXPECT_LE(channelDistance(image.pixels[150 * 261 + 62], 0x000000), 40);   // gallows post
}

TEST(JpegImage, ColoursComeBackInRedGreenBlueOrder) {
    const Bytes bytes = encode({});
    splash::Image image;
    ASSERT_TRUE(splash::decodeJpeg(bytes.data(), bytes.size(), image));
    ASSERT_EQ(image.width, 16);
    EXPECT_LE(channelDistance(image.pixels[8 * 16 + 2], 0xff0000), 24);
    EXPECT_LE(channelDistance(image.pixels[8 * 16 + 13], 0x0000ff), 24);
}

TEST(JpegImage, RefusesDataThatIsMissingOrNotAJpeg) {
    const Bytes bytes = programImage();
    EXPECT_FALSE(decodes(bytes, 0));
    splash::Image image;
    EXPECT_FALSE(splash::decodeJpeg(nullptr, 100, image));
    const Bytes text = {'J', 'F', 'I', 'F', ' ', 'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'};
    EXPECT_FALSE(decodes(text));
    const Bytes png = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    EXPECT_FALSE(decodes(png));
}

TEST(JpegImage, RefusesTruncatedData) {
    const Bytes bytes = programImage();
    EXPECT_FALSE(decodes(bytes, 2));                         // the start marker only
    EXPECT_FALSE(decodes(bytes, markerAt(bytes, 0xda)));     // headers without scan data
    EXPECT_FALSE(decodes(bytes, bytes.size() / 2));          // half the scan data
    EXPECT_FALSE(decodes(bytes, bytes.size() - 600));        // the last rows missing
}

TEST(JpegImage, RefusesCorruptMarkers) {
    Bytes badTable = programImage();
    badTable[markerAt(badTable, 0xc4) + 1] = 0x01;  // the Huffman table marker becomes TEM
    EXPECT_FALSE(decodes(badTable));
    Bytes badLength = programImage();
    const std::size_t sof = markerAt(badLength, 0xc0);
    badLength[sof + 2] = 0xff;  // frame header length far past its data
    EXPECT_FALSE(decodes(badLength));
    Bytes badScan = programImage();
    badScan[markerAt(badScan, 0xda) + 300] = 0xff;  // a stray marker inside the scan data
    badScan[markerAt(badScan, 0xda) + 301] = 0xd5;
    EXPECT_FALSE(decodes(badScan));
}

TEST(JpegImage, RefusesDimensionsBeyondTheBoundsBeforeDecoding) {
    const Bytes bytes = programImage();
    EXPECT_FALSE(decodes(withDimensions(bytes, 60000, 60000)));
    EXPECT_FALSE(decodes(withDimensions(bytes, splash::MaxSide + 1, 16)));
    EXPECT_FALSE(decodes(withDimensions(bytes, 4000, 4000)));  // each side fits, the area does not
    EXPECT_FALSE(decodes(withDimensions(bytes, 0, 340)));
    EXPECT_TRUE(decodes(withDimensions(encode({}), 16, 16)));
}

TEST(JpegImage, RefusesProgressiveGreyAndCmykImages) {
    EXPECT_TRUE(decodes(encode({})));
    EXPECT_FALSE(decodes(encode({.progressive = true})));
    EXPECT_FALSE(decodes(encode({.components = 1, .space = JCS_GRAYSCALE})));
    EXPECT_FALSE(decodes(encode({.components = 4, .space = JCS_CMYK})));
}

TEST(JpegImage, RefusesCountsAboveTheInputLimit) {
    Bytes big = programImage();
    big.resize(splash::MaxJpegBytes + 1);
    EXPECT_FALSE(decodes(big));
}

}  // namespace
