#pragma once

// An open file as the image readers' byte source (POSIX).

#include <cstdint>

#include "startup/image.h"

namespace image {

// Reads through two one-page windows, so that walking the section headers
// costs a few reads rather than one per field, also while it goes back and
// forth between the headers and their names on another page. Does not own
// the file.
class FileBytes final : public Bytes {
public:
    explicit FileBytes(int fd) : fd_(fd) {}
    bool read(std::uint64_t offset, void* out, std::size_t n) const override;

private:
    struct Window {
        std::uint8_t bytes[4096];
        std::uint64_t start = 0;
        std::uint64_t length = 0;
    };
    // The window holding offset, read into the one used less recently when
    // neither does; null past the end of the file.
    const Window* load(std::uint64_t offset) const;

    int fd_;
    mutable Window windows_[2];
    mutable unsigned recent_ = 0;
};

}  // namespace image
