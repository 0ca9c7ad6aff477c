#include "startup/SplashCPB.h"

namespace cpb {

std::uint32_t word(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool valid(const std::uint8_t* block, std::size_t size) {
    if (size < HeaderSize || word(block) != Magic || word(block + 4 * WordVersion) != FormatVersion ||
        word(block + 4 * WordCount) == 0) {
        return false;
    }
    std::size_t offset = HeaderSize;
    for (std::uint32_t left = word(block + 4 * WordCount); left > 0; --left) {
        if (size - offset < RecordHeaderSize) return false;
        const std::size_t length = word(block + offset + 4);
        if (length > size - offset - RecordHeaderSize) return false;
        offset += RecordHeaderSize + length;
    }
    return true;
}

Walk::Walk(const std::uint8_t* block, std::size_t size)
    : block_(block), size_(size), left_(word(block + 4 * WordCount)) {}

bool Walk::next(Record& record) {
    if (left_ == 0 || size_ - offset_ < RecordHeaderSize) return false;
    const std::uint8_t* at = block_ + offset_;
    record = Record{word(at), word(at + 4), at + RecordHeaderSize};
    if (record.length > size_ - offset_ - RecordHeaderSize) return false;
    offset_ += RecordHeaderSize + record.length;
    --left_;
    return true;
}

const char* text(const Record& record) {
    for (std::uint32_t i = 0; i < record.length; ++i) {
        if (record.value[i] == 0) return reinterpret_cast<const char*>(record.value);
    }
    os::fatal("Invalid CPB");
}

std::uint32_t number(const Record& record) {
    if (record.length < 4) os::fatal("Invalid CPB");
    return word(record.value);
}

os::Block findValidBlock(os::Module module) {
    const os::Block block = os::findConfigSection(module);
    if (!valid(block.data, block.size)) os::fatal("Invalid CPB");
    return block;
}

void joinPath(str::Path& path, std::initializer_list<const char*> parts) {
    char joined[str::MessageCapacity] = "";
    for (const char* part : parts) {
        if (!str::append(joined, sizeof joined, part)) os::fatalf("Path too long: %s", joined);
    }
    if (!str::copy(path, sizeof path, joined)) os::fatalf("Path too long: %s", joined);
}

void componentDirectory(os::Module module, str::Path& directory) {
    os::moduleFilePath(module, directory);
    str::removeLastComponent(directory, os::Separator);
}

void expandMapValue(os::Module module, const char* value, str::Path& path) {
    if (!str::startsWith(value, CompDirMacro)) return joinPath(path, {value});
    str::Path directory;
    componentDirectory(module, directory);
    joinPath(path, {directory, value + CompDirMacroLength});
}

void expandRuntimeDirectory(os::Module module, const char* value, str::Path& path) {
    if (!str::startsWith(value, CompDirMacro)) return joinPath(path, {value});
    str::Path directory;
    componentDirectory(module, directory);
    const char* rest = value + CompDirMacroLength;
    joinPath(path, {directory, os::SeparatorText, rest[0] == '\0' ? rest : rest + 1});
}

SplashSettings scanSplashSettings(os::Module module, const os::Block& block) {
    SplashSettings settings;
    Walk walk(block.data, block.size);
    for (Record r; walk.next(r);) {
        switch (r.tag) {
        case SplashSwitch: settings.enabled = number(r); break;
        case SplashValue: settings.value = number(r); break;
        case SplashData:
            number(r);  // checks that the value holds a word
            settings.data = r.value;
            break;
        case SplashFlag1: settings.flag1 = number(r) != 0 ? 1 : 0; break;
        case SplashFlag2: settings.flag2 = number(r) != 0 ? 1 : 0; break;
        case RuntimeDirectory: expandRuntimeDirectory(module, text(r), settings.runtimeDirectory); break;
        case ProfileName: settings.profileName = text(r); break;
        default: break;
        }
    }
    return settings;
}

}  // namespace cpb
