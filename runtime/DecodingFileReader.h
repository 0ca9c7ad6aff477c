#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "runtime/BlockLineReader.h"
#include "runtime/TextEncoding.h"

namespace rt {

// A text file read by the rule both platforms share (detectEncoding): the
// whole file is read first, since whether it is UTF-8 depends on all of its
// bytes. UTF-8 lines are then decoded straight from those bytes, one line
// per call; UTF-16 and the code page block by block. A file larger
// than MaxFileSize, or one that memory cannot hold, fails with IoError rather
// than growing without end (a device such as /dev/zero never ends). The
// runtimes supply the reading of bytes and their platform's 8-bit code page.
class DecodingFileReader : public BlockLineReader {
public:
    static constexpr std::size_t MaxFileSize = std::size_t{64} << 20;

    bool readLine(String& line) override;
    // Known once the first line was read, for UTF-8 text: the line breaks
    // left, counting CR LF once.
    std::size_t remainingLinesBound() const override;

protected:
    // blockSize: the bytes of UTF-16 or code-page text decoded at a time;
    // the text read does not depend on it.
    DecodingFileReader(String path, std::size_t blockSize);

    // Reads up to size bytes into buffer; 0 at the end of the file. Failures
    // throw IoError.
    virtual std::size_t readBytes(char* buffer, std::size_t size) = 0;
    // The size of the file when it is known (a regular file), else 0: the
    // buffer is made that large at once.
    virtual std::size_t expectedSize() const = 0;
    // Appends the text of bytes in the platform's 8-bit code page. The bytes
    // end at a line feed or at the end of the file, never inside a
    // character.
    virtual void appendCodePage(std::string_view bytes, String& out) = 0;

    const String& path() const { return path_; }

private:
    bool nextBlock(String& block) override;
    void load();
    bool readUtf8Line(String& line);
    void release();
    void readAll();
    void growBuffer(std::size_t& capacity, std::size_t wanted);
    std::size_t blockEnd() const;
    void decode(std::string_view bytes, String& block);
    [[noreturn]] void failReading(const String& reason) const;

    String path_;
    std::size_t blockSize_;
    std::string bytes_;
    bool loaded_ = false;
    std::size_t pos_ = 0;
    TextEncoding encoding_ = TextEncoding::Utf8;
};

}  // namespace rt
