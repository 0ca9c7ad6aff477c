#pragma once

// A stand-in for the stub's operating-system layer (startup/os.h), so that
// the block walk, the splash step and the runtime lookup run on bytes from
// the fuzzer: the block is handed in, files "exist" and libraries "load" as
// the input's first byte says, and a fatal end throws ProcessExit.

#include <cstddef>
#include <cstdint>

namespace fake_os {

struct ProcessExit {
    int status;
};

struct World {
    const std::uint8_t* block = nullptr;
    std::size_t blockSize = 0;
    int existence = 0;           // 0 nothing exists, 1 everything, 2 paths of even length
    bool librariesLoad = false;  // loadLibrary succeeds
    bool symbolsFound = false;   // every looked-up export is there
    bool kernelLoaded = false;   // the kernel is already in the process
    bool ownLoader = false;      // the module exports KR_Loader itself
    bool longDirectory = false;  // the module lies in a directory of 240 characters
};

// The world of the next run, from the flags byte; the block is set apart.
World worldFromFlags(std::uint8_t flags);

// Starts a run in world; ends it, releasing what the run allocated (except
// what the stub keeps for the whole process, its directory search list).
void beginRun(const World& world);
void endRun();

}  // namespace fake_os
