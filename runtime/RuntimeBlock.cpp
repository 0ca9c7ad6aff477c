#include "runtime/RuntimeBlock.h"

#include <cstdint>
#include <cstring>

namespace rt {

namespace {

constexpr std::uint32_t BlockMagic = 0x00425043u;  // "CPB\0"
constexpr std::uint32_t BlockVersion = 4;
constexpr std::size_t BlockHeaderWords = 9;
constexpr std::size_t RecordCountWord = 6;
constexpr std::uint32_t OptionsTag = 5;
constexpr std::uint32_t MainClassTag = 6;

std::uint32_t wordAt(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

std::optional<RuntimeBlockTexts> readRuntimeBlock(const unsigned char* block, std::size_t size, std::string& reason) {
    const std::size_t header = BlockHeaderWords * 4;
    if (block == nullptr || size < header || wordAt(block) != BlockMagic || wordAt(block + 4) != BlockVersion) {
        reason = "the configuration block is missing or not a version 4 \"CPB\" block";
        return std::nullopt;
    }
    RuntimeBlockTexts texts;
    std::size_t at = header;
    for (std::uint32_t n = wordAt(block + RecordCountWord * 4); n > 0; --n) {
        if (size - at < 8 || size - at - 8 < wordAt(block + at + 4)) {
            reason = "a record of the configuration block runs past its end";
            return std::nullopt;
        }
        const std::uint32_t tag = wordAt(block + at);
        const std::uint32_t length = wordAt(block + at + 4);
        const char* value = reinterpret_cast<const char*>(block + at + 8);
        const std::string text(value, strnlen(value, length));
        if (tag == MainClassTag) texts.mainClass = text;
        if (tag == OptionsTag) texts.options = text;
        at += 8 + length;
    }
    return texts;
}

RuntimeOptions parseRuntimeOptions(const std::string& text) {
    RuntimeOptions options;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("  ", start);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(start, end - start);
        if (item.rfind("-D", 0) == 0 && item.size() > 2) {
            const std::size_t colon = item.find(':');
            const std::string name = item.substr(2, colon == std::string::npos ? std::string::npos : colon - 2);
            options.values[name] = colon == std::string::npos ? std::string() : item.substr(colon + 1);
        } else if (!item.empty()) {
            options.ignored.push_back(item);
        }
        start = end + 2;
    }
    return options;
}

}  // namespace rt
