#include "startup/FileBytes.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace image {

bool FileBytes::read(std::uint64_t offset, void* out, std::size_t n) const {
    auto* dst = static_cast<std::uint8_t*>(out);
    while (n > 0) {
        const Window* window = load(offset);
        if (window == nullptr) return false;
        const std::uint64_t at = offset - window->start;
        const std::size_t part = static_cast<std::size_t>(std::min<std::uint64_t>(n, window->length - at));
        std::memcpy(dst, window->bytes + at, part);
        dst += part;
        offset += part;
        n -= part;
    }
    return true;
}

const FileBytes::Window* FileBytes::load(std::uint64_t offset) const {
    for (unsigned i = 0; i < 2; ++i) {
        const Window& window = windows_[i];
        if (offset >= window.start && offset - window.start < window.length) {
            recent_ = i;
            return &window;
        }
    }
    recent_ = 1 - recent_;
    Window& window = windows_[recent_];
    window.start = offset - offset % sizeof window.bytes;
    const ssize_t n = pread(fd_, window.bytes, sizeof window.bytes, static_cast<off_t>(window.start));
    window.length = n < 0 ? 0 : static_cast<std::uint64_t>(n);
    return offset - window.start < window.length ? &window : nullptr;
}

}  // namespace image
