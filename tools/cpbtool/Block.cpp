#include "tools/cpbtool/Block.h"

#include <sstream>

namespace cpbtool {

namespace {

constexpr std::uint32_t Magic = 0x00425043;  // "CPB\0"
constexpr std::uint32_t FormatVersion = 4;
constexpr std::size_t HeaderSize = HeaderWords * 4;

constexpr TagInfo Tags[] = {
    {1, "number-1", ValueKind::Number},       {5, "runtime-options", ValueKind::Text},
    {6, "main-class", ValueKind::Text},       {8, "library-path", ValueKind::Text},
    {11, "event-source", ValueKind::Text},    {13, "kernel-dll", ValueKind::Text},
    {14, "compile-dir", ValueKind::Text},     {15, "dll-map", ValueKind::Text},
    {16, "runtime-dir", ValueKind::Text},     {19, "number-19", ValueKind::Number},
    {21, "product-build", ValueKind::Text},   {23, "text-23", ValueKind::Text},
    {25, "profile", ValueKind::Text},         {26, "runtime-version", ValueKind::Text},
    {27, "splash-switch", ValueKind::Number}, {28, "splash-value", ValueKind::Number},
    {29, "splash-data", ValueKind::Number},   {30, "runtime-components", ValueKind::Text},
    {32, "splash-flag2", ValueKind::Number},  {33, "splash-flag1", ValueKind::Number},
};

std::uint32_t wordAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void putWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::string trim(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

// The text of a value up to its zero, when it has one and prints as text.
std::optional<std::string> printableText(const std::vector<std::uint8_t>& value) {
    std::string text;
    for (std::uint8_t byte : value) {
        if (byte == 0) return text;
        if (byte < 0x20 || byte == 0x7f) return std::nullopt;
        text += static_cast<char>(byte);
    }
    return std::nullopt;
}

std::string hex(const std::vector<std::uint8_t>& value) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::uint8_t byte : value) {
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}

std::string describeValue(const Record& record) {
    const auto tag = knownTag(record.tag);
    if (tag && tag->kind == ValueKind::Number && record.value.size() >= 4) {
        return std::to_string(wordAt(record.value, 0));
    }
    if (const auto text = printableText(record.value)) return "\"" + *text + "\"";
    return "0x" + hex(record.value);
}

void parseHeaderLine(Block& block, const std::string& key, const std::string& value, int line) {
    std::size_t index = HeaderWords;
    try {
        index = parseNumber(trim(key.substr(5)));
    } catch (const Error&) {
    }
    if (index < 2 || index >= HeaderWords || index == CountWord) {
        throw Error("line " + std::to_string(line) + ": \"" + key +
                    "\" is not a header word that can be set (2 to 5, 7, 8)");
    }
    block.header[index] = parseNumber(value);
}

}  // namespace

std::optional<TagInfo> knownTag(std::uint32_t tag) {
    for (const TagInfo& info : Tags) {
        if (info.tag == tag) return info;
    }
    return std::nullopt;
}

TagInfo findTag(const std::string& nameOrNumber) {
    for (const TagInfo& info : Tags) {
        if (nameOrNumber == info.name) return info;
    }
    if (!nameOrNumber.empty() && nameOrNumber.find_first_not_of("0123456789") == std::string::npos) {
        const std::uint32_t tag = parseNumber(nameOrNumber);
        return knownTag(tag).value_or(TagInfo{tag, "", ValueKind::Text});
    }
    throw Error("unknown tag \"" + nameOrNumber + "\"");
}

std::uint32_t parseNumber(const std::string& text) {
    std::size_t used = 0;
    unsigned long long value = 0;
    try {
        value = std::stoull(text, &used, 0);
    } catch (const std::exception&) {
        used = 0;
    }
    if (text.empty() || used != text.size() || text[0] == '-' || value > 0xffffffffull) {
        throw Error("\"" + text + "\" is not a 32-bit unsigned number");
    }
    return static_cast<std::uint32_t>(value);
}

std::vector<std::uint8_t> encodeValue(const TagInfo& tag, const std::string& value) {
    std::vector<std::uint8_t> bytes;
    if (tag.kind == ValueKind::Number) {
        bytes.resize(4);
        putWord(bytes, 0, parseNumber(value));
        return bytes;
    }
    if (value.find('\0') != std::string::npos) throw Error("a text value cannot hold a zero byte");
    bytes.assign(value.begin(), value.end());
    bytes.resize((value.size() + 1 + 3) / 4 * 4, 0);
    return bytes;
}

std::vector<std::uint8_t> encode(const Block& block, std::size_t size) {
    std::size_t needed = HeaderSize;
    for (const Record& r : block.records) needed += 8 + r.value.size();
    if (needed > size) {
        throw Error("the block needs " + std::to_string(needed) + " bytes but the section holds " +
                    std::to_string(size));
    }
    std::vector<std::uint8_t> bytes(size, 0);
    for (std::size_t i = 0; i < HeaderWords; ++i) putWord(bytes, 4 * i, block.header[i]);
    putWord(bytes, 4 * CountWord, static_cast<std::uint32_t>(block.records.size()));
    std::size_t at = HeaderSize;
    for (const Record& r : block.records) {
        putWord(bytes, at, r.tag);
        putWord(bytes, at + 4, static_cast<std::uint32_t>(r.value.size()));
        std::copy(r.value.begin(), r.value.end(), bytes.begin() + static_cast<long>(at + 8));
        at += 8 + r.value.size();
    }
    return bytes;
}

Block decode(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < HeaderSize) throw Error("the section is smaller than a block header");
    Block block;
    for (std::size_t i = 0; i < HeaderWords; ++i) block.header[i] = wordAt(bytes, 4 * i);
    std::size_t at = HeaderSize;
    for (std::uint32_t i = 0; i < block.header[CountWord]; ++i) {
        if (bytes.size() - at < 8 || wordAt(bytes, at + 4) > bytes.size() - at - 8) {
            throw Error("record " + std::to_string(i) + " runs past the end of the section");
        }
        const std::uint32_t length = wordAt(bytes, at + 4);
        const auto begin = bytes.begin() + static_cast<long>(at + 8);
        block.records.push_back(Record{wordAt(bytes, at), std::vector<std::uint8_t>(begin, begin + length)});
        at += 8 + length;
    }
    return block;
}

Block parseDefinition(const std::string& text) {
    Block block;
    block.header[0] = Magic;
    block.header[1] = FormatVersion;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string content = trim(line);
        if (content.empty() || content[0] == '#') continue;
        const auto equals = content.find('=');
        if (equals == std::string::npos) {
            throw Error("line " + std::to_string(number) + ": expected \"name = value\"");
        }
        const std::string key = trim(content.substr(0, equals));
        const std::string value = trim(content.substr(equals + 1));
        if (key.rfind("word ", 0) == 0) {
            parseHeaderLine(block, key, value, number);
        } else {
            const TagInfo tag = findTag(key);
            block.records.push_back(Record{tag.tag, encodeValue(tag, value)});
        }
    }
    return block;
}

void dump(const std::vector<std::uint8_t>& bytes, std::ostream& out) {
    static const char* const wordNames[HeaderWords] = {"magic",  "format", "major", "minor", "word 4",
                                                       "word 5", "count",  "word 7", "word 8"};
    out << "header\n";
    for (std::size_t i = 0; i < HeaderWords && 4 * i + 4 <= bytes.size(); ++i) {
        const std::uint32_t value = wordAt(bytes, 4 * i);
        out << "  " << i << " " << wordNames[i] << ": " << value;
        if (i == 0) out << " (\"" << std::string(bytes.begin(), bytes.begin() + 3) << "\")";
        out << "\n";
    }
    const Block block = decode(bytes);
    out << "records\n";
    for (std::size_t i = 0; i < block.records.size(); ++i) {
        const Record& r = block.records[i];
        const auto tag = knownTag(r.tag);
        out << "  @" << i << " tag " << r.tag << " " << (tag ? tag->name : "(unnamed)") << " length "
            << r.value.size() << ": " << describeValue(r) << "\n";
    }
}

}  // namespace cpbtool
