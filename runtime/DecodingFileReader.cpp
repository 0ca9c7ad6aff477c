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

bool DecodingFileReader::readLine(String& line) {
    if (!loaded_) load();
    if (encoding_ != TextEncoding::Utf8) return BlockLineReader::readLine(line);
    try {
        return readUtf8Line(line);
    } catch (const std::bad_alloc&) {
        failReading(u"Not enough memory to read the file");
    }
}

std::size_t DecodingFileReader::remainingLinesBound() const {
    if (!loaded_ || encoding_ != TextEncoding::Utf8) return 0;
    const std::string_view rest = std::string_view(bytes_).substr(std::min(pos_, bytes_.size()));
    std::size_t lines = static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n')) + 1;
    for (std::size_t cr = rest.find('\r'); cr != std::string_view::npos; cr = rest.find('\r', cr + 1)) {
        if (cr + 1 == rest.size() || rest[cr + 1] != '\n') ++lines;
    }
    return lines;
}

void DecodingFileReader::load() {
    readAll();
    const DetectedEncoding detected = detectEncoding(bytes_);
    encoding_ = detected.encoding;
    pos_ = detected.markSize;
    loaded_ = true;
}

// The line from pos_ up to the next CR, LF or CR LF, decoded from the bytes
// in one pass: a line of ASCII (the common case) is widened as it stands,
// any other goes through the decoder. A CR or LF byte never lies inside a
// UTF-8 sequence, so a line decodes as it would within the whole text.
bool DecodingFileReader::readUtf8Line(String& line) {
    line.clear();
    const std::size_t size = bytes_.size();
    if (pos_ >= size) {
        release();
        return false;
    }
    const char* const bytes = bytes_.data();
    std::size_t end = pos_;
    unsigned char seen = 0;  // all bits of the line's bytes: 80 set for any non-ASCII byte
    for (; end < size; ++end) {
        const auto byte = static_cast<unsigned char>(bytes[end]);
        if (byte <= '\r' && (byte == '\n' || byte == '\r')) break;
        seen |= byte;
    }
    const std::string_view text(bytes + pos_, end - pos_);
    if (seen < 0x80) {
        line.resize(text.size());
        std::copy(text.begin(), text.end(), line.begin());
    } else {
        Utf8Decoder decoder;
        decoder.decode(text, line);
        decoder.finish(line);
    }
    pos_ = end;
    if (pos_ < size) pos_ += bytes[pos_] == '\r' && pos_ + 1 < size && bytes[pos_ + 1] == '\n' ? 2 : 1;
    return true;
}

bool DecodingFileReader::nextBlock(String& block) {
    const std::size_t end = blockEnd();
    try {
        decode(std::string_view(bytes_).substr(pos_, end - pos_), block);
    } catch (const std::bad_alloc&) {
        failReading(u"Not enough memory to read the file");
    }
    pos_ = end;
    if (pos_ < bytes_.size()) return true;
    release();
    return false;
}

// The file's bytes are no longer needed once the last line is read.
void DecodingFileReader::release() { std::string().swap(bytes_); }

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

// Blocks of code-page text end after a line feed, which is never part of a
// double-byte character; UTF-16 blocks hold whole 16-bit units.
std::size_t DecodingFileReader::blockEnd() const {
    if (encoding_ == TextEncoding::Utf16Le || encoding_ == TextEncoding::Utf16Be) {
        return std::min(bytes_.size(), pos_ + (blockSize_ + 1) / 2 * 2);
    }
    if (bytes_.size() - pos_ <= blockSize_) return bytes_.size();
    const std::size_t lineFeed = bytes_.find('\n', pos_ + blockSize_ - 1);
    return lineFeed == std::string::npos ? bytes_.size() : lineFeed + 1;
}

void DecodingFileReader::decode(std::string_view bytes, String& block) {
    if (encoding_ == TextEncoding::CodePage) {
        appendCodePage(bytes, block);
    } else {
        appendUtf16(bytes, encoding_ == TextEncoding::Utf16Be, block);
    }
}

void DecodingFileReader::failReading(const String& reason) const { throw IoError(path_ + u" (" + reason + u")"); }

}  // namespace rt
