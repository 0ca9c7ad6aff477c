#pragma once

// Readers of executable image headers: the PE layout (Windows images, mapped
// or as files) and the ELF layout (64-bit little-endian files). They read
// through a byte source so the same code serves a mapped module, a file and
// an image laid out in memory, and they never read outside the source.

#include <cstddef>
#include <cstdint>

namespace image {

class Bytes {
public:
    // Copies n bytes at offset into out; false when they are not all there.
    virtual bool read(std::uint64_t offset, void* out, std::size_t n) const = 0;

protected:
    ~Bytes() = default;
};

class MemoryBytes final : public Bytes {
public:
    MemoryBytes(const void* base, std::uint64_t size)
        : base_(static_cast<const std::uint8_t*>(base)), size_(size) {}
    bool read(std::uint64_t offset, void* out, std::size_t n) const override;

private:
    const std::uint8_t* base_;
    std::uint64_t size_;
};

enum class Status { Ok, BadDosSignature, BadPeSignature, BadElfHeader, NoSection };

struct Section {
    std::uint64_t address = 0;     // virtual address relative to the image base
    std::uint64_t size = 0;        // size in memory
    std::uint64_t fileOffset = 0;  // where its bytes are in the file
    std::uint64_t fileSize = 0;    // how many bytes the file holds
    bool mapped = false;           // present in memory when the image runs
};

// "MZ" at the start, the offset at byte 60, "PE\0\0" there; on Ok, offset
// receives the signature's position.
Status peSignature(const Bytes& image, std::uint32_t& offset);

// The 8-byte section name rule: equal when every character matches up to and
// including wanted's terminating zero, or when all 8 bytes match.
bool peNameMatches(const char (&name)[8], const char* wanted);

// The first section whose name matches. The table follows the optional
// header, whose size the file header gives (224 bytes in a 32-bit image).
Status peFindSection(const Bytes& image, const char* name, Section& found);

// True when the optional header names the Windows GUI subsystem (2).
bool peIsGui(const Bytes& image);

// The first section of a 64-bit little-endian ELF file with that name.
Status elfFindSection(const Bytes& file, const char* name, Section& found);

// True when a 64-bit little-endian ELF file of fileSize bytes is whole: its
// program headers, the file part of every loadable segment and its section
// header table (when it has one) lie inside the file. The loader maps a
// segment past the end of a truncated file and the process faults on it.
bool elfComplete(const Bytes& file, std::uint64_t fileSize);

}  // namespace image
