// cpbtool's definition parser: any text parses or fails with an Error, and
// a parsed block that fits the section reads back record for record.
// Input: the definition's text.

#include <string>

#include "tools/cpbtool/Block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    cpbtool::Block block;
    std::vector<std::uint8_t> bytes;
    try {
        block = cpbtool::parseDefinition(text);
        bytes = cpbtool::encode(block, 1024);
    } catch (const cpbtool::Error&) {
        return 0;
    }
    const cpbtool::Block read = cpbtool::decode(bytes);
    if (read.records.size() != block.records.size()) __builtin_trap();
    for (std::size_t i = 0; i < read.records.size(); ++i) {
        if (read.records[i].tag != block.records[i].tag || read.records[i].value != block.records[i].value ||
            read.records[i].value.size() % 4 != 0) {
            __builtin_trap();
        }
    }
    for (std::size_t word = 0; word < cpbtool::HeaderWords; ++word) {
        if (word != cpbtool::CountWord && read.header[word] != block.header[word]) __builtin_trap();
    }
    return 0;
}
