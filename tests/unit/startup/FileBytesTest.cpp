// The stub's file reader over a real file: what it reads is what the file
// holds, wherever the reads fall and in whatever order they come.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "startup/FileBytes.h"

namespace {

namespace fs = std::filesystem;

// A temporary file of n bytes that each tell their offset, open for reading.
class PatternFile {
public:
    explicit PatternFile(std::size_t n)
        : path_(fs::temp_directory_path() /
                ("file-bytes-" + std::to_string(getpid()) + "-" + std::to_string(++made_) + ".bin")) {
        for (std::size_t i = 0; i < n; ++i) bytes_.push_back(static_cast<std::uint8_t>(i * 7 % 251));
        std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes_.data()),
                                                    static_cast<std::streamsize>(bytes_.size()));
        fd_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    }
    ~PatternFile() {
        close(fd_);
        fs::remove(path_);
    }
    int fd() const { return fd_; }
    std::vector<std::uint8_t> expected(std::size_t offset, std::size_t n) const {
        return {bytes_.begin() + static_cast<std::ptrdiff_t>(offset),
                bytes_.begin() + static_cast<std::ptrdiff_t>(offset + n)};
    }

private:
    static inline int made_ = 0;
    fs::path path_;
    std::vector<std::uint8_t> bytes_;
    int fd_ = -1;
};

std::vector<std::uint8_t> readAt(const image::FileBytes& file, std::uint64_t offset, std::size_t n) {
    std::vector<std::uint8_t> out(n, 0xee);
    EXPECT_TRUE(file.read(offset, out.data(), n)) << "at " << offset << ", " << n << " bytes";
    return out;
}

TEST(FileBytes, ReadsWhatTheFileHoldsAcrossPagesAndBackAndForthBetweenThem) {
    const PatternFile pattern(3 * 4096 + 100);
    const image::FileBytes file(pattern.fd());
    struct Read {
        std::uint64_t offset;
        std::size_t n;
    };
    // Within a page, across a boundary, between two far pages and back
    // (headers and their names), a third page, then all of it at once.
    for (const Read r : {Read{10, 8}, Read{4090, 20}, Read{3 * 4096 + 50, 8}, Read{100, 4}, Read{3 * 4096 + 60, 4},
                         Read{4096 + 5, 3}, Read{200, 1}, Read{0, 3 * 4096 + 100}}) {
        EXPECT_EQ(readAt(file, r.offset, r.n), pattern.expected(r.offset, r.n)) << "at " << r.offset;
    }
}

TEST(FileBytes, ReadsUpToTheEndOnlyAndNothingFromAnEmptyFile) {
    const PatternFile pattern(4096 + 10);
    const image::FileBytes file(pattern.fd());
    EXPECT_EQ(readAt(file, 4096 + 6, 4), pattern.expected(4096 + 6, 4));
    std::uint8_t out[4];
    EXPECT_FALSE(file.read(4096 + 8, out, 4));
    EXPECT_FALSE(file.read(4096 + 10, out, 1));
    EXPECT_FALSE(file.read(1u << 20, out, 1));
    EXPECT_EQ(readAt(file, 0, 2), pattern.expected(0, 2)) << "after reads past the end";

    const PatternFile empty(0);
    EXPECT_FALSE(image::FileBytes(empty.fd()).read(0, out, 1));
}

}  // namespace
