#include "startup/FileBytes.h"

#include <unistd.h>

namespace image {

bool FileBytes::read(std::uint64_t offset, void* out, std::size_t n) const {
    auto* dst = static_cast<std::uint8_t*>(out);
    for (; n > 0; --n, ++offset, ++dst) {
        if (!load(offset)) return false;
        *dst = window_[offset - start_];
    }
    return true;
}

bool FileBytes::load(std::uint64_t offset) const {
    if (offset >= start_ && offset < start_ + length_) return true;
    start_ = offset - offset % sizeof window_;
    const ssize_t n = pread(fd_, window_, sizeof window_, static_cast<off_t>(start_));
    length_ = n < 0 ? 0 : static_cast<std::uint64_t>(n);
    return offset < start_ + length_;
}

}  // namespace image
