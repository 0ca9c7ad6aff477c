#include "startup/image.h"

namespace image {

bool MemoryBytes::read(std::uint64_t offset, void* out, std::size_t n) const {
    if (offset > size_ || n > size_ - offset) return false;
    auto* dst = static_cast<std::uint8_t*>(out);
    for (std::size_t i = 0; i < n; ++i) dst[i] = base_[offset + i];
    return true;
}

namespace {

// Little-endian unsigned value of width bytes at offset; false when absent.
bool readLe(const Bytes& source, std::uint64_t offset, std::size_t width, std::uint64_t& value) {
    std::uint8_t bytes[8];
    if (width > sizeof bytes || !source.read(offset, bytes, width)) return false;
    value = 0;
    for (std::size_t i = width; i > 0; --i) value = (value << 8) | bytes[i - 1];
    return true;
}

constexpr std::uint32_t PeMagic = 0x4550;  // "PE\0\0"
constexpr std::uint64_t PeFileHeaderSize = 20;
constexpr std::uint64_t PeSectionHeaderSize = 40;
constexpr std::uint64_t PeSubsystemOffset = 4 + PeFileHeaderSize + 68;
constexpr std::uint64_t PeGuiSubsystem = 2;

bool readPeSection(const Bytes& image, std::uint64_t at, const char* name, Section& found, bool& match) {
    char sectionName[8];
    std::uint64_t virtualSize, virtualAddress, rawSize, rawPointer;
    if (!image.read(at, sectionName, sizeof sectionName) || !readLe(image, at + 8, 4, virtualSize) ||
        !readLe(image, at + 12, 4, virtualAddress) || !readLe(image, at + 16, 4, rawSize) ||
        !readLe(image, at + 20, 4, rawPointer)) {
        return false;
    }
    match = peNameMatches(sectionName, name);
    if (match) found = Section{virtualAddress, virtualSize, rawPointer, rawSize, true};
    return true;
}

}  // namespace

Status peSignature(const Bytes& image, std::uint32_t& offset) {
    std::uint64_t dos, at, pe;
    if (!readLe(image, 0, 2, dos) || dos != 0x5A4D) return Status::BadDosSignature;
    if (!readLe(image, 60, 4, at) || !readLe(image, at, 4, pe) || pe != PeMagic) {
        return Status::BadPeSignature;
    }
    offset = static_cast<std::uint32_t>(at);
    return Status::Ok;
}

bool peNameMatches(const char (&name)[8], const char* wanted) {
    for (std::size_t i = 0; i < sizeof name; ++i) {
        if (name[i] != wanted[i]) return false;
        if (wanted[i] == '\0') return true;
    }
    return true;
}

Status peFindSection(const Bytes& image, const char* name, Section& found) {
    std::uint32_t signature = 0;
    const Status status = peSignature(image, signature);
    if (status != Status::Ok) return status;
    std::uint64_t count, optionalSize;
    if (!readLe(image, signature + 6, 2, count) || !readLe(image, signature + 20, 2, optionalSize)) {
        return Status::BadPeSignature;
    }
    const std::uint64_t table = signature + 4 + PeFileHeaderSize + optionalSize;
    for (std::uint64_t i = 0; i < count; ++i) {
        bool match = false;
        if (!readPeSection(image, table + i * PeSectionHeaderSize, name, found, match)) break;
        if (match) return Status::Ok;
    }
    return Status::NoSection;
}

bool peIsGui(const Bytes& image) {
    std::uint32_t signature = 0;
    std::uint64_t subsystem = 0;
    return peSignature(image, signature) == Status::Ok &&
           readLe(image, signature + PeSubsystemOffset, 2, subsystem) && subsystem == PeGuiSubsystem;
}

namespace {

constexpr std::uint64_t ElfSectionHeaderSize = 64;
constexpr std::uint64_t ElfProgramHeaderSize = 56;
constexpr std::uint64_t PtLoad = 1;
constexpr std::uint64_t ShtNobits = 8;
constexpr std::uint64_t ShfAlloc = 2;
constexpr std::uint64_t ShnXindex = 0xffff;

struct ElfTable {
    std::uint64_t offset = 0;
    std::uint64_t count = 0;
    std::uint64_t names = 0;  // file offset of the section-name table
};

bool elfIdentOk(const Bytes& file) {
    std::uint8_t ident[6];
    return file.read(0, ident, sizeof ident) && ident[0] == 0x7f && ident[1] == 'E' &&
           ident[2] == 'L' && ident[3] == 'F' && ident[4] == 2 /* 64-bit */ &&
           ident[5] == 1 /* little-endian */;
}

// Reads the section table's place, count and name table, following the
// extended numbering kept in section 0 when the header fields overflow.
bool elfTable(const Bytes& file, ElfTable& table) {
    std::uint64_t entrySize, nameIndex;
    if (!readLe(file, 0x28, 8, table.offset) || !readLe(file, 0x3A, 2, entrySize) ||
        !readLe(file, 0x3C, 2, table.count) || !readLe(file, 0x3E, 2, nameIndex)) {
        return false;
    }
    if (table.offset == 0 || entrySize != ElfSectionHeaderSize) return false;
    if (table.count == 0 && !readLe(file, table.offset + 32, 8, table.count)) return false;
    if (nameIndex == ShnXindex && !readLe(file, table.offset + 40, 4, nameIndex)) return false;
    return nameIndex < table.count &&
           readLe(file, table.offset + nameIndex * ElfSectionHeaderSize + 24, 8, table.names);
}

bool elfNameMatches(const Bytes& file, std::uint64_t at, const char* wanted) {
    for (std::uint64_t i = 0;; ++i) {
        char c;
        if (!file.read(at + i, &c, 1) || c != wanted[i]) return false;
        if (c == '\0') return true;
    }
}

// True when count entries of entrySize bytes from offset end inside size
// bytes (no overflow on hostile values).
bool tableWithin(std::uint64_t offset, std::uint64_t count, std::uint64_t entrySize, std::uint64_t size) {
    return offset <= size && count <= (size - offset) / entrySize;
}

bool elfSegmentsWithin(const Bytes& file, std::uint64_t size) {
    std::uint64_t offset, entrySize, count;
    if (!readLe(file, 0x20, 8, offset) || !readLe(file, 0x36, 2, entrySize) || !readLe(file, 0x38, 2, count) ||
        entrySize != ElfProgramHeaderSize || count == 0 || !tableWithin(offset, count, entrySize, size)) {
        return false;
    }
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = offset + i * ElfProgramHeaderSize;
        std::uint64_t type, fileOffset, fileSize;
        if (!readLe(file, at, 4, type) || !readLe(file, at + 8, 8, fileOffset) || !readLe(file, at + 32, 8, fileSize)) {
            return false;
        }
        if (type == PtLoad && !tableWithin(fileOffset, fileSize, 1, size)) return false;
    }
    return true;
}

}  // namespace

bool elfComplete(const Bytes& file, std::uint64_t fileSize) {
    if (!elfIdentOk(file) || !elfSegmentsWithin(file, fileSize)) return false;
    std::uint64_t tableOffset = 0;
    if (!readLe(file, 0x28, 8, tableOffset)) return false;
    if (tableOffset == 0) return true;  // no section headers: the loader needs none
    ElfTable table;
    return elfTable(file, table) && tableWithin(table.offset, table.count, ElfSectionHeaderSize, fileSize);
}

Status elfFindSection(const Bytes& file, const char* name, Section& found) {
    ElfTable table;
    if (!elfIdentOk(file) || !elfTable(file, table)) return Status::BadElfHeader;
    for (std::uint64_t i = 0; i < table.count; ++i) {
        const std::uint64_t at = table.offset + i * ElfSectionHeaderSize;
        std::uint64_t nameOffset, type, flags, address, offset, size;
        if (!readLe(file, at, 4, nameOffset) || !readLe(file, at + 4, 4, type) ||
            !readLe(file, at + 8, 8, flags) || !readLe(file, at + 16, 8, address) ||
            !readLe(file, at + 24, 8, offset) || !readLe(file, at + 32, 8, size)) {
            return Status::BadElfHeader;
        }
        if (!elfNameMatches(file, table.names + nameOffset, name)) continue;
        const std::uint64_t fileSize = type == ShtNobits ? 0 : size;
        found = Section{address, size, offset, fileSize, (flags & ShfAlloc) != 0};
        return Status::Ok;
    }
    return Status::NoSection;
}

}  // namespace image
