// The word-file reader: the lines read from a file are the file's text,
// decoded whole and without a leading byte order mark, split at LF, CR and
// CR LF, whatever the reader's block size. Input: a block size byte, then the file's bytes.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/Text.h"
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
    auto reader = rtqt::openTextReader(rt::fromUtf8(filePath()), blockSize);
    for (rt::String line; reader->readLine(line);) lines.push_back(line);
    reader->close();
    rt::String text = rt::fromUtf8(bytes);
    if (!text.empty() && text.front() == u'\uFEFF') text.erase(0, 1);
    if (lines != splitLines(text)) __builtin_trap();
    return 0;
}
