#pragma once

#include <cstddef>

#include "runtime/Text.h"

namespace rt {

// A text file opened for reading in the platform's default encoding. Lines end
// at LF, CR or CR LF; the terminator is not part of the line. Bytes that do
// not decode become U+FFFD. Failures throw IoError.
class TextReader {
public:
    virtual ~TextReader();
    // Reads the next line into line; false at the end of the file.
    virtual bool readLine(String& line) = 0;
    // How many more lines readLine gives at most, when the reader knows it
    // without decoding them; else 0. A caller collecting the lines can make
    // room for all of them at once.
    virtual std::size_t remainingLinesBound() const { return 0; }
    virtual void close() = 0;
};

// A text file opened for writing in the platform's default encoding. Each line
// is followed by the platform's line separator. The file being replaced is
// left untouched until close() succeeds: the text goes to a temporary file
// beside it that close() flushes and puts in its place, so a failed export
// never destroys the previous file, and a write failure surfaces at the
// latest in close(). A target that cannot be replaced (a device, a pipe) is
// written directly and flushed after every line. Failures throw IoError; after a
// failure close() throws too and nothing is replaced. Destroying a writer
// that was not closed discards what was written.
class TextWriter {
public:
    virtual ~TextWriter();
    virtual void writeLine(const String& line) = 0;
    virtual void close() = 0;
};

}  // namespace rt
