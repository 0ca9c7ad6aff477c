#include "splash/JpegImage.h"

#include <bit>
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

// The decoder writes each pixel straight into its 32-bit word, 0xXXRRGGBB
// in this machine's byte order; the X byte is cleared afterwards. A
// separate pass from RGB bytes cost a fifth of the decoding, on the thread
// that goes on to load the runtime.
constexpr J_COLOR_SPACE WordColorSpace = std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// The decoder state lives in the caller's frame (by reference), so that
// nothing the jump returns to is held only in registers.
bool decodeWith(jpeg_decompress_struct& info, QuietErrors& errors, const std::uint8_t* bytes, std::size_t count,
                Image& image) {
    if (setjmp(errors.escape) != 0) return false;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = MaxDecoderMemory;
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(count));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || !acceptable(info)) return false;
    info.out_color_space = WordColorSpace;
    jpeg_start_decompress(&info);
    if (info.output_components != 4) return false;
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    const std::size_t width = info.output_width;
    image.pixels.resize(width * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[] = {reinterpret_cast<JSAMPLE*>(image.pixels.data() + info.output_scanline * width)};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
    }
    jpeg_finish_decompress(&info);
    for (std::uint32_t& pixel : image.pixels) pixel &= 0x00ffffffu;
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
    const bool decoded = decodeWith(info, errors, bytes, count, image);
    jpeg_destroy_decompress(&info);
    if (!decoded) image = Image{};
    return decoded;
}

}  // namespace splash
