// The word-file reader: the lines read from a file are the file's text,
// decoded whole by the shared rule and without a leading byte order mark,
// split at LF, CR and CR LF, whatever the reader's block size; the bound the
// reader gives of the lines left, when known, is never short. Input: a block
// size byte, then the file's bytes.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/Text.h"
#include "runtime/TextEncoding.h"
#include "runtime/qt/TextFiles.h"

namespace {

std::vector<rt::String> splitLines(const rt::String& text) {
    std::vector<rt::String> lines;
    rt::String line;
    bool open = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r') {
            line += text[i];
            open = true;
            continue;
        }
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        lines.push_back(line);
        line.clear();
        open = false;
    }
    if (open) lines.push_back(line);
    return lines;
}

// The whole file decoded at once: a mark decides, else UTF-8 when the bytes
// read back unchanged through UTF-8, else Windows-1252.
rt::String wholeText(const std::string& bytes) {
    const std::string_view view(bytes);
    rt::String text;
    if (view.starts_with("\xEF\xBB\xBF")) return rt::fromUtf8(view.substr(3));
    if (view.starts_with("\xFF\xFE") || view.starts_with("\xFE\xFF")) {
        rt::appendUtf16(view.substr(2), view[0] == '\xFE', text);
        return text;
    }
    if (rt::toUtf8(rt::fromUtf8(bytes)) == bytes) return rt::fromUtf8(bytes);
    rt::appendWindows1252(bytes, text);
    return text;
}

const std::string& filePath() {
    // In memory where there is a memory file system: the file is written for every input.
    static const std::string path =
        (std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
        ("word-reader-fuzz-" + std::to_string(getpid()) + ".txt");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t blockSize = data[0] % 16 + 1;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::FILE* file = std::fopen(filePath().c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) __builtin_trap();
    std::fclose(file);

    std::vector<rt::String> lines;
    std::vector<std::size_t> bounds;  // the reader's bound after each line
    auto reader = rtqt::openTextReader(rt::fromUtf8(filePath()), blockSize);
    for (rt::String line; reader->readLine(line);) {
        lines.push_back(line);
        bounds.push_back(reader->remainingLinesBound());
    }
    reader->close();
    if (lines != splitLines(wholeText(bytes))) __builtin_trap();
    // A bound, when known, leaves room for every line still to come.
    for (std::size_t k = 0; k < bounds.size(); ++k) {
        if (bounds[k] != 0 && bounds[k] < lines.size() - k - 1) __builtin_trap();
    }
    return 0;
}
