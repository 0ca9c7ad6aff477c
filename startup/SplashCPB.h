#pragma once

// The configuration block ("CPB") in a module's ".config" section: finding
// and validating it, walking its tagged records, expanding "*{comp.dir}",
// and the splash step's scan of it.

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "startup/os.h"
#include "startup/strUtil.h"

namespace cpb {

inline constexpr std::uint32_t Magic = 0x00425043;  // "CPB\0"
inline constexpr std::uint32_t FormatVersion = 4;
inline constexpr std::size_t HeaderWords = 9;
inline constexpr std::size_t HeaderSize = HeaderWords * 4;
inline constexpr std::size_t RecordHeaderSize = 8;

enum HeaderWord : std::size_t { WordMagic = 0, WordVersion = 1, WordMajor = 2, WordMinor = 3, WordCount = 6 };

enum Tag : std::uint32_t {
    EventSource = 11,
    KernelName = 13,
    DllMap = 15,
    RuntimeDirectory = 16,
    ProfileName = 25,
    SplashSwitch = 27,
    SplashValue = 28,
    SplashData = 29,
    SplashFlag2 = 32,
    SplashFlag1 = 33,
};

inline constexpr char CompDirMacro[] = "*{comp.dir}";
inline constexpr std::size_t CompDirMacroLength = sizeof CompDirMacro - 1;

struct Record {
    std::uint32_t tag;
    std::uint32_t length;
    const std::uint8_t* value;
};

// Little-endian 32-bit word at p.
std::uint32_t word(const std::uint8_t* p);

// True when the header is right (magic, format 4, a nonzero count) and every
// counted record lies inside the block's size.
bool valid(const std::uint8_t* block, std::size_t size);

// Walks the counted records of a valid block in order.
class Walk {
public:
    Walk(const std::uint8_t* block, std::size_t size);
    bool next(Record& record);

private:
    const std::uint8_t* block_;
    std::size_t size_;
    std::size_t offset_ = HeaderSize;
    std::uint32_t left_;
};

// A text value: the record's bytes up to their zero. A text without a zero
// inside its length is fatal "Invalid CPB".
const char* text(const Record& record);
// A number value (the first 32-bit word); shorter values are fatal.
std::uint32_t number(const Record& record);

// The module's block, found and validated; failures are fatal.
os::Block findValidBlock(os::Module module);

// Component directory: the module's file path cut at its last separator.
void componentDirectory(os::Module module, str::Path& directory);

// DLL map form: directory + the rest of value after the macro, unchanged.
// Runtime directory form: directory + separator + the rest after the macro
// and one further character. A value without the macro is taken as it is.
// A result longer than a path is fatal.
void expandMapValue(os::Module module, const char* value, str::Path& path);
void expandRuntimeDirectory(os::Module module, const char* value, str::Path& path);

// Builds a path from parts; a result that does not fit is fatal and names
// the parts joined so far.
void joinPath(str::Path& path, std::initializer_list<const char*> parts);

// What the splash step takes from the block.
struct SplashSettings {
    std::uint32_t enabled = 0;
    std::uint32_t value = 0;
    const void* data = nullptr;
    std::uint32_t flag1 = 0;
    std::uint32_t flag2 = 0;
    str::Path runtimeDirectory = {};
    const char* profileName = nullptr;
};

SplashSettings scanSplashSettings(os::Module module, const os::Block& block);

}  // namespace cpb
