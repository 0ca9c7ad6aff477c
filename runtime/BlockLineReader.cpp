#include "runtime/BlockLineReader.h"

#include <algorithm>
#include <utility>

namespace rt {

bool BlockLineReader::readLine(String& line) {
    line.clear();
    bool any = false;
    while (pos_ < buffer_.size() || fill()) {
        if (std::exchange(skipLineFeed_, false) && buffer_[pos_] == u'\n') {
            ++pos_;
            continue;
        }
        any = true;
        if (takeUntilTerminator(line)) return true;
    }
    return any;
}

bool BlockLineReader::fill() {
    buffer_.clear();
    pos_ = 0;
    while (buffer_.empty() && more_) more_ = nextBlock(buffer_);
    return !buffer_.empty();
}

// Appends the text up to the next terminator to line; true when the
// terminator was found (and consumed).
bool BlockLineReader::takeUntilTerminator(String& line) {
    const auto isTerminator = [](char16_t c) { return c == u'\n' || c == u'\r'; };
    const auto found = std::find_if(buffer_.begin() + static_cast<std::ptrdiff_t>(pos_), buffer_.end(), isTerminator);
    const auto end = static_cast<std::size_t>(found - buffer_.begin());
    line.append(buffer_, pos_, end - pos_);
    if (end == buffer_.size()) {
        pos_ = end;
        return false;
    }
    pos_ = end + 1;
    if (buffer_[end] == u'\r') {
        if (pos_ < buffer_.size() && buffer_[pos_] == u'\n') ++pos_;
        else if (pos_ == buffer_.size()) skipLineFeed_ = true;
    }
    return true;
}

}  // namespace rt
