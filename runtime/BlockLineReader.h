#pragma once

#include "runtime/TextFile.h"

namespace rt {

// A text reader over a file decoded block by block: splits lines at LF, CR
// and CR LF, also where a CR LF pair falls on two blocks. The runtimes
// supply the reading and decoding of a block.
class BlockLineReader : public TextReader {
public:
    bool readLine(String& line) override;

protected:
    // Appends the text of the next block to block; false once the end of the
    // file has been reached (block may still have been given the last text).
    virtual bool nextBlock(String& block) = 0;

private:
    bool fill();
    bool takeUntilTerminator(String& line);

    String buffer_;
    std::size_t pos_ = 0;
    bool skipLineFeed_ = false;
    bool more_ = true;
};

}  // namespace rt
