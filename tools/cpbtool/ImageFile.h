#pragma once

// An executable file (PE or ELF) held in memory with the place of its
// ".config" section; changes are written back whole through a temporary
// file that replaces the original, so a failure never leaves half a file.

#include <cstdint>
#include <string>
#include <vector>

namespace cpbtool {

class ImageFile {
public:
    // Reads the file and finds ".config"; Error when it is not an executable
    // image or has no such section in the file.
    explicit ImageFile(std::string path);
    // The same for content already read; path names it in messages.
    ImageFile(std::string path, std::vector<std::uint8_t> content);

    std::vector<std::uint8_t> section() const;
    // The file's content with the section's bytes replaced (same size).
    // Error when the new bytes would move or hide the section (its section
    // table or name table lies inside it).
    std::vector<std::uint8_t> withSection(const std::vector<std::uint8_t>& bytes) const;
    // Writes withSection(bytes) to the file; on Error the file is untouched.
    void replaceSection(const std::vector<std::uint8_t>& bytes);

private:
    // True when content, the file with new section bytes, still has its
    // ".config" section at the same place and size.
    bool sectionStaysInPlace(const std::vector<std::uint8_t>& content) const;

    std::string path_;
    std::vector<std::uint8_t> content_;
    std::uint64_t offset_ = 0;
    std::uint64_t size_ = 0;
};

// Writes content to path through a temporary file in the same directory,
// keeping the permissions of mode.
void writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& content, unsigned mode);

std::vector<std::uint8_t> readFile(const std::string& path);

}  // namespace cpbtool
