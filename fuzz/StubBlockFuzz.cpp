// The stub's configuration block: validation, the record walk, the splash
// step's scan and the runtime lookup, on the operating-system fake. Input:
// a flags byte (see StubOsFake) and the block's bytes.

#include <cstdint>
#include <vector>

#include "fuzz/StubOsFake.h"
#include "startup/SplashCPB.h"
#include "startup/rtLookup.h"
#include "startup/splash.h"

namespace {

const std::uint8_t splashImage[] = {4, 0, 0, 0, 0xFF, 0xD8, 0xFF, 0xD9};

// The walk of a block that valid() accepted never leaves it.
void walkValid(const std::vector<std::uint8_t>& block) {
    if (!cpb::valid(block.data(), block.size())) return;
    std::size_t records = 0;
    cpb::Walk walk(block.data(), block.size());
    for (cpb::Record r; walk.next(r); ++records) {
        if (r.value < block.data() || r.value + r.length > block.data() + block.size()) __builtin_trap();
    }
    if (records != cpb::word(block.data() + 4 * cpb::WordCount)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::vector<std::uint8_t> block(data + 1, data + size);
    fake_os::World world = fake_os::worldFromFlags(data[0]);
    world.block = block.data();
    world.blockSize = block.size();
    walkValid(block);
    const os::Module module = os::ownModule();
    fake_os::beginRun(world);
    try {
        splash::run(module, (data[0] & 0x80) != 0 ? nullptr : splashImage);
    } catch (const fake_os::ProcessExit&) {
    }
    try {
        rt_lookup::findLoaderEntry(module);
    } catch (const fake_os::ProcessExit&) {
    }
    fake_os::endRun();
    return 0;
}
