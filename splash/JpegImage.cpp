#include "splash/JpegImage.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace splash {

namespace {

struct QuietErrors {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
};

[[noreturn]] void failDecoding(j_common_ptr info) {
    std::longjmp(reinterpret_cast<QuietErrors*>(info->err)->escape, 1);
}

// Level -1 is a warning about damaged data: treated as a failure. Trace
// messages (level >= 0) are ignored; nothing is ever printed.
void onMessage(j_common_ptr info, int level) {
    if (level < 0) failDecoding(info);
}

void noOutput(j_common_ptr) {}

bool acceptable(const jpeg_decompress_struct& info) {
    return !info.progressive_mode && info.num_components == 3 &&
           (info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB) && info.image_width > 0 &&
           info.image_height > 0 && info.image_width <= MaxSide && info.image_height <= MaxSide &&
           static_cast<long>(info.image_width) * static_cast<long>(info.image_height) <= MaxPixels;
}

void storeRow(const JSAMPLE* row, int width, std::uint32_t* out) {
    for (int x = 0; x < width; ++x, row += 3) {
        out[x] = static_cast<std::uint32_t>(row[0]) << 16 | static_cast<std::uint32_t>(row[1]) << 8 | row[2];
    }
}

// The decoder state lives in the caller's frame (by reference), so that
// nothing the jump returns to is held only in registers.
bool decodeWith(jpeg_decompress_struct& info, QuietErrors& errors, const std::uint8_t* bytes, std::size_t count,
                Image& image, std::vector<JSAMPLE>& row) {
    if (setjmp(errors.escape) != 0) return false;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = MaxDecoderMemory;
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(count));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !acceptable(info)) return false;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3) return false;
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    row.resize(static_cast<std::size_t>(image.width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[] = {row.data()};
        const std::size_t y = info.output_scanline;
        if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
        storeRow(row.data(), image.width, image.pixels.data() + y * static_cast<std::size_t>(image.width));
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

bool decodeJpeg(const std::uint8_t* bytes, std::size_t count, Image& image) {
    image = Image{};
    if (bytes == nullptr || count < 4 || count > MaxJpegBytes) return false;
    jpeg_decompress_struct info{};
    QuietErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = failDecoding;
    errors.manager.emit_message = onMessage;
    errors.manager.output_message = noOutput;
    std::vector<JSAMPLE> row;
    const bool decoded = decodeWith(info, errors, bytes, count, image, row);
    jpeg_destroy_decompress(&info);
    if (!decoded) image = Image{};
    return decoded;
}

}  // namespace splash
