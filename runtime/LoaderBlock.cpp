#include "runtime/LoaderBlock.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace kr {

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

struct BlockTexts {
    std::optional<std::string> mainClass;
    std::optional<std::string> options;
};

// Walks the counted records of the block, never past its size.
std::optional<BlockTexts> readBlock(const unsigned char* block, std::size_t size, std::string& reason) {
    const std::size_t header = BlockHeaderWords * 4;
    if (block == nullptr || size < header || wordAt(block) != BlockMagic || wordAt(block + 4) != BlockVersion) {
        reason = "the configuration block is missing or not a version 4 \"CPB\" block";
        return std::nullopt;
    }
    BlockTexts texts;
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

// "-Dname[:value]" items separated by two spaces.
std::map<std::string, std::string> parseOptions(const std::string& text) {
    std::map<std::string, std::string> options;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("  ", start);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(start, end - start);
        if (item.rfind("-D", 0) == 0 && item.size() > 2) {
            const std::size_t colon = item.find(':');
            const std::string name = item.substr(2, colon == std::string::npos ? std::string::npos : colon - 2);
            options[name] = colon == std::string::npos ? std::string() : item.substr(colon + 1);
        } else if (!item.empty()) {
            std::fprintf(stderr, "KOV runtime: ignoring the runtime option \"%s\"\n", item.c_str());
        }
        start = end + 2;
    }
    return options;
}

MainFn findMainClass(const MainClass* table, const std::string& name) {
    for (const MainClass* entry = table; entry != nullptr && entry->name != nullptr; ++entry) {
        if (name == entry->name) return entry->main;
    }
    return nullptr;
}

bool refuse(const std::string& reason) {
    std::fprintf(stderr, "KOV runtime: cannot start the program: %s.\n", reason.c_str());
    std::fflush(stderr);
    return false;
}

Accepted accepted;

}  // namespace

bool acceptComponent(Word* descriptor) {
    if (descriptor == nullptr || descriptor[Magic] != DescriptorMagic) {
        return refuse("the component descriptor has no \"CDES\" magic");
    }
    if (descriptor[Version] != DescriptorVersion) return refuse("the component descriptor is not version 3");
    std::string reason;
    const auto texts = readBlock(reinterpret_cast<const unsigned char*>(descriptor[Block]),
                                 static_cast<std::size_t>(descriptor[BlockSize]), reason);
    if (!texts) return refuse(reason);
    if (!texts->mainClass || texts->mainClass->empty()) return refuse("the configuration block names no main class");
    const MainFn main = findMainClass(reinterpret_cast<const MainClass*>(descriptor[MainClasses]), *texts->mainClass);
    if (main == nullptr) return refuse("the main class \"" + *texts->mainClass + "\" is not in the component");
    accepted = {descriptor, main, parseOptions(texts->options.value_or(std::string()))};
    return true;
}

const Accepted& acceptedComponent() { return accepted; }

std::optional<std::string> acceptedOption(const std::string& name) {
    auto found = accepted.options.find(name);
    if (found == accepted.options.end()) return std::nullopt;
    return found->second;
}

void fillSlots(Word* descriptor, InitFn init, RunFn run) {
    auto* table1 = reinterpret_cast<Word*>(descriptor[EntryTable1]);
    table1[HeaderWords + InitSlot] = reinterpret_cast<Word>(init);
    table1[HeaderWords + RunSlot] = reinterpret_cast<Word>(run);
}

}  // namespace kr
