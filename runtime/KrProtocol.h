#pragma once

// The protocol between the executable (start-up stub and component) and the
// runtime component that the stub loads. Both sides include this header; it
// is the only place where the two meet.
//
// Start-up, as the stub runs it:
//   1. The stub writes descriptor words Module, Reason and InitArgument and
//      calls KR_Loader(module, descriptor).
//   2. KR_Loader checks Magic and Version, reads the main-class name (tag 6)
//      and the runtime options (tag 5) from the block at word Block, finds the
//      class in the table at word MainClasses, fills the slots below in the
//      entry tables at words EntryTable1 and EntryTable2 and returns nonzero.
//      On refusal it prints its own reason on standard error and returns 0.
//   3. The stub calls entry table 1 slot InitSlot with 0: the runtime starts
//      the toolkit and hands it to the component through the function at
//      descriptor word BindToolkit.
//   4. The stub calls entry table 1 slot RunSlot: the runtime calls the main
//      class's main and runs the event loop until the program ends.
//
// Words are of pointer size; a code address is stored as a word.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/Text.h"

namespace rt {
class Toolkit;
}

namespace kr {

using Word = std::uintptr_t;

// Descriptor: words of pointer size, magic "CDES" (bytes 43 44 45 53).
inline constexpr Word DescriptorMagic = 0x53454443u;
inline constexpr Word DescriptorVersion = 3;

enum DescriptorWord : std::size_t {
    Magic = 0,          // DescriptorMagic (build)
    Version = 1,        // DescriptorVersion (build)
    Module = 2,         // the executable's module handle / load base (stub)
    Block = 3,          // address of the configuration block (build)
    MainClasses = 4,    // address of the MainClass table (build)
    Reason = 5,         // reason code 1 (stub)
    EntryTable1 = 6,    // address of entry table 1 (build)
    EntryTable2 = 7,    // address of entry table 2 (build)
    BindToolkit = 8,    // address of a BindToolkitFn (build)
    BlockSize = 9,      // byte size of the configuration block (build)
    ImportTable = 10,   // address of the runtime import table, .kidata (build)
    ExportTable = 11,   // address of the runtime export table, .kedata (build)
    InitArgument = 34,  // third argument of the component initialisation (stub)
    DescriptorWords = 36,
};

// Entry tables: three header words, then the slots (zero until KR_Loader
// fills them). Slot i is word HeaderWords + i.
inline constexpr std::size_t HeaderWords = 3;
inline constexpr Word Table1Header[HeaderWords] = {225, 225, 107};
inline constexpr Word Table2Header[HeaderWords] = {225, 225, 39};
inline constexpr std::size_t Table1Slots = 107;
inline constexpr std::size_t Table2Slots = 39;

// Slots of entry table 1 that the stub calls. The runtime fills only these
// two; every other slot of table 1 and all of table 2 stay zero (the
// component reaches the toolkit through BindToolkit instead).
inline constexpr std::size_t RunSlot = 0;    // RunFn
inline constexpr std::size_t InitSlot = 98;  // InitFn, called with 0

using InitFn = void (*)(Word argument);
using RunFn = void (*)();
using BindToolkitFn = void (*)(rt::Toolkit* toolkit);
using MainFn = void (*)(const std::vector<rt::String>& arguments);
// KR_Loader removes its own arguments (stdcall) on 32-bit Windows; elsewhere
// there is only the one calling convention. A runtime defines it as
// extern "C" int KR_LOADER_CALL KR_Loader(Word, Word*); the Windows build
// links 32-bit DLLs with --kill-at, so it is exported as "KR_Loader".
#if defined(_WIN32) && !defined(_WIN64)
#define KR_LOADER_CALL __attribute__((stdcall))
#else
#define KR_LOADER_CALL
#endif
using LoaderFn = int(KR_LOADER_CALL*)(Word module, Word* descriptor);

// The main-class table: entries ended by one with a null name.
struct MainClass {
    const char* name;
    MainFn main;
};

inline constexpr const char* LoaderEntryName = "KR_Loader";

}  // namespace kr
