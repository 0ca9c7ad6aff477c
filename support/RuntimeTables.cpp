// The runtime import and export tables, sections .kidata and .kedata: the
// runtime entries the component's code calls and the classes it offers the
// runtime. No code of the stub reads them; the runtime component may bind
// them. Layout (32-bit little-endian words):
//
//   .kidata  "KIMP", format 1, entry count, entry size (32), kernel name
//            length (16), the kernel DLL's name zero-filled to 16 bytes,
//            then the entries;
//   .kedata  "KEXP", format 1, entry count, entry size (32), then the
//            entries;
//   entry    runtime entry table (1 or 2; 0 for an exported class), slot
//            (the class's index in the main-class table for an export),
//            then the symbol name scrambled (each byte XOR 0x5A) and
//            zero-filled to 24 bytes.

#include "support/Support.h"

namespace support {

namespace {

constexpr std::uint32_t Format = 1;
#if KOV_HAVE_APP
constexpr std::uint32_t ExportedClasses = 1;
#else
constexpr std::uint32_t ExportedClasses = 0;
#endif
constexpr char Scramble = 0x5A;

constexpr TableEntry entry(std::uint32_t table, std::uint32_t slot, const char* name) {
    TableEntry e{table, slot, {}};
    for (std::size_t i = 0; name[i] != '\0' && i + 1 < sizeof e.name; ++i) e.name[i] = name[i] ^ Scramble;
    return e;
}

}  // namespace

__attribute__((section(".kidata"), used)) ImportTable importTable = {
    {'K', 'I', 'M', 'P'}, Format, ImportEntries, sizeof(TableEntry), KernelNameLength,
#ifdef _WIN32
    "ZKRN6407.DLL",
#else
    "ZKRN6407.SO",
#endif
    {entry(1, kr::RunSlot, "KR_Run"), entry(1, kr::InitSlot, "KR_Init")},
};

__attribute__((section(".kedata"), used)) ExportTable exportTable = {
    {'K', 'E', 'X', 'P'}, Format, ExportedClasses, sizeof(TableEntry),
    {
#if KOV_HAVE_APP
        entry(0, 0, "HangMan"),
#endif
    },
};

}  // namespace support
