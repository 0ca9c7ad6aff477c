#pragma once

// What the runtime component reads from the configuration block: the main
// class name (tag 6) and the runtime options (tag 5), "-Dname[:value]"
// items separated by two spaces.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace rt {

struct RuntimeBlockTexts {
    std::optional<std::string> mainClass;
    std::optional<std::string> options;
};

// Walks the counted records of the block, never past size; a text is cut at
// its first zero or its length. A later record replaces an earlier one with
// the same tag. Nothing, with reason set, when the block is missing, not a
// version 4 "CPB" block, or a record runs past its end.
std::optional<RuntimeBlockTexts> readRuntimeBlock(const unsigned char* block, std::size_t size, std::string& reason);

struct RuntimeOptions {
    std::map<std::string, std::string> values;  // by name; "" without a value
    std::vector<std::string> ignored;           // items that are not "-D" + name
};

// The options of text; a later item replaces an earlier one of that name.
RuntimeOptions parseRuntimeOptions(const std::string& text);

}  // namespace rt
