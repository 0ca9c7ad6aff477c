#pragma once

// The configuration block as cpbtool sees it: header words and records, the
// names of the tags, and the conversions between the block's bytes, the
// readable definition and the printed dump.

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace cpbtool {

// Every error in cpbtool's input; main prints it and exits non-zero.
struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class ValueKind { Text, Number };

struct TagInfo {
    std::uint32_t tag;
    const char* name;
    ValueKind kind;
};

// By name ("kernel-dll") or number ("13"); unknown names are an Error.
// Numbered tags without a name hold text.
TagInfo findTag(const std::string& nameOrNumber);
std::optional<TagInfo> knownTag(std::uint32_t tag);

struct Record {
    std::uint32_t tag = 0;
    std::vector<std::uint8_t> value;  // with its zero fill
};

inline constexpr std::size_t HeaderWords = 9;
inline constexpr std::size_t CountWord = 6;

struct Block {
    std::array<std::uint32_t, HeaderWords> header{};
    std::vector<Record> records;
};

// A value as stored: text + zero + fill to a multiple of 4, or one word.
std::vector<std::uint8_t> encodeValue(const TagInfo& tag, const std::string& value);

// The block's bytes, zero-filled to size; the record count word follows the
// records. Error when the records do not fit.
std::vector<std::uint8_t> encode(const Block& block, std::size_t size);

// Reads header and counted records; Error when a record runs past the bytes.
Block decode(const std::vector<std::uint8_t>& bytes);

// Parses the readable definition: "word N = value" lines for header words
// 2 to 5, 7 and 8, "tag-name = value" lines for the records in order, "#"
// comments and blank lines. Magic, format version and count are set.
Block parseDefinition(const std::string& text);

// The readable listing of header words and records, written to out; for a
// block whose records run past its end, the header and then an Error.
void dump(const std::vector<std::uint8_t>& bytes, std::ostream& out);

std::uint32_t parseNumber(const std::string& text);

}  // namespace cpbtool
