#pragma once

// An open file as the image readers' byte source (POSIX).

#include <cstdint>

#include "startup/image.h"

namespace image {

// Reads through a one-page window, so that walking the section headers
// costs a few reads rather than one per field. Does not own the file.
class FileBytes final : public Bytes {
public:
    explicit FileBytes(int fd) : fd_(fd) {}
    bool read(std::uint64_t offset, void* out, std::size_t n) const override;

private:
    bool load(std::uint64_t offset) const;

    int fd_;
    mutable std::uint8_t window_[4096];
    mutable std::uint64_t start_ = 0;
    mutable std::uint64_t length_ = 0;
};

}  // namespace image
