// cpbtool's block decoder and dump: any bytes decode or fail with an Error,
// and a decoded block encodes into the same size and decodes to itself.
// Input: the section's bytes.

#include <sstream>
#include <vector>

#include "tools/cpbtool/Block.h"

namespace {

bool same(const cpbtool::Block& a, const cpbtool::Block& b) {
    if (a.header != b.header || a.records.size() != b.records.size()) return false;
    for (std::size_t i = 0; i < a.records.size(); ++i) {
        if (a.records[i].tag != b.records[i].tag || a.records[i].value != b.records[i].value) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    std::ostringstream listing;
    try {
        cpbtool::dump(bytes, listing);
    } catch (const cpbtool::Error&) {
    }
    cpbtool::Block block;
    try {
        block = cpbtool::decode(bytes);
    } catch (const cpbtool::Error&) {
        return 0;
    }
    if (!same(cpbtool::decode(cpbtool::encode(block, bytes.size())), block)) __builtin_trap();
    return 0;
}
