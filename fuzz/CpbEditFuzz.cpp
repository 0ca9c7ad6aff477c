// cpbtool's edits of an executable image: whatever the file, an edit either
// fails with an Error or gives a file in which the .config section is found
// again, at its place, holding exactly the new block. Input: one byte that
// chooses the edit, then the file's bytes.

#include <string>
#include <vector>

#include "tools/cpbtool/Block.h"
#include "tools/cpbtool/ImageFile.h"

namespace {

// The section's new bytes after the edit chosen by choice.
std::vector<std::uint8_t> edit(const std::vector<std::uint8_t>& section, std::uint8_t choice) {
    if (choice % 4 == 3) {
        std::vector<std::uint8_t> bytes = section;
        const std::size_t word = (choice >> 2) % cpbtool::HeaderWords;
        if (4 * word + 4 > bytes.size()) throw cpbtool::Error("no such word");
        bytes[4 * word] ^= 0x5A;
        return bytes;
    }
    cpbtool::Block block = cpbtool::decode(section);
    const std::size_t index = block.records.empty() ? 0 : (choice >> 2) % block.records.size();
    switch (choice % 4) {
    case 0: {
        const cpbtool::TagInfo tag = cpbtool::findTag(choice & 0x80 ? "profile" : "splash-switch");
        block.records.insert(block.records.begin() + static_cast<long>(index), {tag.tag, cpbtool::encodeValue(tag, "7")});
        break;
    }
    case 1:
        if (block.records.empty()) throw cpbtool::Error("no record");
        block.records.erase(block.records.begin() + static_cast<long>(index));
        break;
    default:
        if (block.records.empty()) throw cpbtool::Error("no record");
        block.records[index].value = cpbtool::encodeValue(cpbtool::findTag("main-class"), "HangMan");
        break;
    }
    return cpbtool::encode(block, section.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> edited;
    try {
        const cpbtool::ImageFile file("image", std::vector<std::uint8_t>(data + 1, data + size));
        bytes = edit(file.section(), data[0]);
        edited = file.withSection(bytes);
    } catch (const cpbtool::Error&) {
        return 0;
    }
    try {
        if (cpbtool::ImageFile("image", edited).section() != bytes) __builtin_trap();
    } catch (const cpbtool::Error&) {
        __builtin_trap();
    }
    return 0;
}
