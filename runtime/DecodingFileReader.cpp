#include "runtime/DecodingFileReader.h"

#include <algorithm>
#include <new>
#include <utility>

#include "runtime/Failure.h"

namespace rt {

namespace {

constexpr std::size_t FirstBufferSize = std::size_t{1} << 20;

}  // namespace

DecodingFileReader::DecodingFileReader(String path, std::size_t blockSize)
    : path_(std::move(path)), blockSize_(std::max<std::size_t>(blockSize, 1)) {}

bool DecodingFileReader::nextBlock(String& block) {
    if (!loaded_) {
        readAll();
        const DetectedEncoding detected = detectEncoding(bytes_);
        encoding_ = detected.encoding;
        pos_ = detected.markSize;
        loaded_ = true;
    }
    const std::size_t end = blockEnd();
    try {
        decode(std::string_view(bytes_).substr(pos_, end - pos_), block);
    } catch (const std::bad_alloc&) {
        failReading(u"Not enough memory to read the file");
    }
    pos_ = end;
    if (pos_ < bytes_.size()) return true;
    std::string().swap(bytes_);
    return false;
}

// The whole file, at most MaxFileSize bytes: the buffer starts at the
// file's size when known and grows by doubling; one byte beyond the limit
// tells a file that is too large.
void DecodingFileReader::readAll() {
    try {
        std::size_t size = 0;
        std::size_t capacity = 0;
        for (;;) {
            if (size == capacity) growBuffer(capacity, capacity == 0 ? expectedSize() + 1 : capacity * 2);
            const std::size_t read = readBytes(bytes_.data() + size, capacity - size);
            if (read == 0) break;
            size += read;
        }
        bytes_.resize(size);
    } catch (const std::bad_alloc&) {
        std::string().swap(bytes_);
        failReading(u"Not enough memory to read the file");
    }
}

// wanted: the capacity to grow to, at least the first block and at most one
// byte beyond the limit.
void DecodingFileReader::growBuffer(std::size_t& capacity, std::size_t wanted) {
    if (capacity > MaxFileSize) {
        std::string().swap(bytes_);
        failReading(u"File too large: a word list may hold at most " + decimalText(MaxFileSize >> 20) + u" MB");
    }
    capacity = std::min(std::max(wanted, FirstBufferSize), MaxFileSize + 1);
    bytes_.resize(capacity);
}

// Blocks of 8-bit text end after a line feed, which is never part of a
// longer character in UTF-8 or in a double-byte code page; UTF-16 blocks
// hold whole 16-bit units.
std::size_t DecodingFileReader::blockEnd() const {
    if (encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be) {
        return std::min(bytes_.size(), pos_ + (blockSize_ + 1) / 2 * 2);
    }
    if (bytes_.size() - pos_ <= blockSize_) return bytes_.size();
    const std::size_t lineFeed = bytes_.find('\n', pos_ + blockSize_ - 1);
    return lineFeed == std::string::npos ? bytes_.size() : lineFeed + 1;
}

void DecodingFileReader::decode(std::string_view bytes, String& block) {
    switch (encoding_) {
        case TextEncoding::Utf8:
            utf8_.decode(bytes, block);
            if (pos_ + bytes.size() == bytes_.size()) utf8_.finish(block);
            break;
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be:
            appendUtf16(bytes, encoding_ == TextEncoding::Utf16Be, block);
            break;
        case TextEncoding::CodePage:
            appendCodePage(bytes, block);
            break;
    }
}

void DecodingFileReader::failReading(const String& reason) const { throw IoError(path_ + u" (" + reason + u")"); }

}  // namespace rt
