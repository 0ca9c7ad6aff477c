// The runtime component's walk of the block and its option parser. The
// walk accepts a block exactly when cpbtool's decoder does (for the right
// magic and version) and takes the last main-class record; every option
// parsed comes from an item of the text. Input: the block's bytes.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "runtime/RuntimeBlock.h"
#include "tools/cpbtool/Block.h"

namespace {

// The decoder's view: the text of the last record with tag 6, if any.
bool decoded(const std::vector<std::uint8_t>& bytes, std::optional<std::string>& mainClass) {
    try {
        const cpbtool::Block block = cpbtool::decode(bytes);
        for (const cpbtool::Record& r : block.records) {
            if (r.tag != 6) continue;
            const auto end = std::find(r.value.begin(), r.value.end(), 0);
            mainClass = std::string(r.value.begin(), end);
        }
        return block.header[0] == 0x00425043u && block.header[1] == 4;
    } catch (const cpbtool::Error&) {
        return false;
    }
}

void checkOptions(const std::string& text) {
    const rt::RuntimeOptions options = rt::parseRuntimeOptions(text);
    for (const auto& [name, value] : options.values) {
        if (text.find("-D" + name) == std::string::npos || text.find(value) == std::string::npos) __builtin_trap();
    }
    for (const std::string& item : options.ignored) {
        if (item.empty() || item.find("  ") != std::string::npos || text.find(item) == std::string::npos) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    std::string reason;
    const auto texts = rt::readRuntimeBlock(bytes.data(), bytes.size(), reason);
    std::optional<std::string> mainClass;
    if (decoded(bytes, mainClass) != texts.has_value()) __builtin_trap();
    if (!texts) return 0;
    if (texts->mainClass != mainClass) __builtin_trap();
    if (texts->options) checkOptions(*texts->options);
    // The option parser on its own, on the raw text.
    checkOptions(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
