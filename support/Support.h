#pragma once

// The component's tables that the start-up stub and the runtime component
// share (layouts in runtime/KrProtocol.h): the component descriptor, the two
// runtime entry tables, the main-class table, the configuration block and
// the splash image block.

#include <cstddef>
#include <cstdint>

#include "runtime/KrProtocol.h"

namespace support {

// Size of the ".config" section that holds the configuration block.
inline constexpr std::size_t ConfigBlockSize = 1024;

extern kr::Word descriptor[kr::DescriptorWords];
extern kr::Word entryTable1[kr::HeaderWords + kr::Table1Slots];
extern kr::Word entryTable2[kr::HeaderWords + kr::Table2Slots];
// Ended by an entry with a null name.
extern const kr::MainClass mainClasses[];
// Lies in the section ".config"; generated from resources/ at build time.
extern const std::uint8_t configBlock[ConfigBlockSize];
// A 32-bit little-endian byte count, then the image bytes (a JPEG); a count
// of 0 when the build has no splash image.
extern const std::uint8_t splashImage[];

// The runtime import and export tables (sections .kidata and .kedata;
// layout in RuntimeTables.cpp).
struct TableEntry {
    std::uint32_t table;
    std::uint32_t slot;
    char name[24];
};
inline constexpr std::uint32_t KernelNameLength = 16;
inline constexpr std::uint32_t ImportEntries = 2;
inline constexpr std::uint32_t ExportEntries = 1;  // room for the main class
struct ImportTable {
    char magic[4];
    std::uint32_t format, count, entrySize, nameLength;
    char kernelName[KernelNameLength];
    TableEntry entries[ImportEntries];
};
struct ExportTable {
    char magic[4];
    std::uint32_t format, count, entrySize;
    TableEntry entries[ExportEntries];
};
extern ImportTable importTable;
extern ExportTable exportTable;

}  // namespace support
