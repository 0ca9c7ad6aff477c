#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "startup/image.h"
#include "tools/cpbtool/Block.h"
#include "tools/cpbtool/ImageFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put(Bytes& b, std::size_t at, std::uint64_t value, std::size_t width) {
    if (b.size() < at + width) b.resize(at + width, 0);
    for (std::size_t i = 0; i < width; ++i) b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void putName(Bytes& b, std::size_t at, const char* name, std::size_t width) {
    if (b.size() < at + width) b.resize(at + width, 0);
    std::memcpy(b.data() + at, name, std::min(width, std::strlen(name)));
}

struct PeSection {
    const char* name;  // up to 8 bytes, no zero when 8
    std::uint32_t virtualSize, virtualAddress, rawSize, rawPointer;
};

// A PE image as the loader maps it: DOS header, signature at 0x80, file
// header, optional header of optionalSize bytes, the section table.
Bytes peImage(const std::vector<PeSection>& sections, std::uint16_t optionalSize = 224,
              std::uint16_t subsystem = 2) {
    Bytes b(0x80, 0);
    b[0] = 'M';
    b[1] = 'Z';
    put(b, 60, 0x80, 4);
    putName(b, 0x80, "PE\0\0", 4);
    put(b, 0x80 + 6, sections.size(), 2);
    put(b, 0x80 + 20, optionalSize, 2);
    put(b, 0x80 + 24 + 68, subsystem, 2);
    std::size_t at = 0x80 + 24 + optionalSize;
    b.resize(at, 0);
    for (const PeSection& s : sections) {
        putName(b, at, s.name, 8);
        put(b, at + 8, s.virtualSize, 4);
        put(b, at + 12, s.virtualAddress, 4);
        put(b, at + 16, s.rawSize, 4);
        put(b, at + 20, s.rawPointer, 4);
        at += 40;
    }
    return b;
}

image::Status findConfig(const Bytes& b, image::Section& s) {
    return image::peFindSection(image::MemoryBytes(b.data(), b.size()), ".config", s);
}

TEST(PeImage, FindsTheFirstSectionNamedExactlyConfig) {
    const Bytes b = peImage({{".text", 0x100, 0x1000, 0x200, 0x400},
                             {".configX", 0x400, 0x2000, 0x400, 0x600},
                             {".config", 0x3d8, 0x3000, 0x400, 0xa00},
                             {".config", 0x10, 0x4000, 0x200, 0xe00}});
    image::Section s;
    ASSERT_EQ(findConfig(b, s), image::Status::Ok);
    EXPECT_EQ(s.address, 0x3000u);
    EXPECT_EQ(s.size, 0x3d8u);
    EXPECT_EQ(s.fileOffset, 0xa00u);
    EXPECT_EQ(s.fileSize, 0x400u);
}

TEST(PeImage, NameRuleComparesUpToTheZeroOrAllEightBytes) {
    const char exact[8] = {'.', 'c', 'o', 'n', 'f', 'i', 'g', '\0'};
    const char longer[8] = {'.', 'c', 'o', 'n', 'f', 'i', 'g', 's'};
    const char eight[8] = {'.', 'k', 'i', 'd', 'a', 't', 'a', 'x'};
    EXPECT_TRUE(image::peNameMatches(exact, ".config"));
    EXPECT_FALSE(image::peNameMatches(longer, ".config"));
    EXPECT_TRUE(image::peNameMatches(eight, ".kidatax"));
    EXPECT_TRUE(image::peNameMatches(eight, ".kidataxyz"));
    EXPECT_FALSE(image::peNameMatches(exact, ".conf"));
}

TEST(PeImage, FollowsTheOptionalHeaderSizeOfA64BitImage) {
    const Bytes b = peImage({{".config", 0x400, 0x5000, 0x400, 0x800}}, 240);
    image::Section s;
    ASSERT_EQ(findConfig(b, s), image::Status::Ok);
    EXPECT_EQ(s.address, 0x5000u);
}

TEST(PeImage, ReportsBadSignaturesAndMissingSections) {
    image::Section s;
    Bytes noMz = peImage({{".config", 1, 2, 3, 4}});
    noMz[0] = 'X';
    EXPECT_EQ(findConfig(noMz, s), image::Status::BadDosSignature);
    Bytes noPe = peImage({{".config", 1, 2, 3, 4}});
    noPe[0x81] = 'X';
    EXPECT_EQ(findConfig(noPe, s), image::Status::BadPeSignature);
    Bytes farOffset = peImage({});
    put(farOffset, 60, 0x7fffffff, 4);
    EXPECT_EQ(findConfig(farOffset, s), image::Status::BadPeSignature);
    EXPECT_EQ(findConfig(Bytes{'M'}, s), image::Status::BadDosSignature);
    EXPECT_EQ(findConfig(peImage({{".text", 1, 2, 3, 4}, {".data", 1, 2, 3, 4}}), s), image::Status::NoSection);
    // A section count beyond the image: the reader stops at its end.
    Bytes truncated = peImage({{".text", 1, 2, 3, 4}});
    put(truncated, 0x80 + 6, 500, 2);
    EXPECT_EQ(findConfig(truncated, s), image::Status::NoSection);
}

TEST(PeImage, TellsGuiFromConsoleImages) {
    const Bytes gui = peImage({}, 224, 2);
    const Bytes console = peImage({}, 224, 3);
    EXPECT_TRUE(image::peIsGui(image::MemoryBytes(gui.data(), gui.size())));
    EXPECT_FALSE(image::peIsGui(image::MemoryBytes(console.data(), console.size())));
}

// A 64-bit ELF file with a name table and the given sections.
Bytes elfFile(const std::vector<std::pair<std::string, std::uint64_t>>& sections) {
    Bytes b(64, 0);
    putName(b, 0, "\x7f" "ELF", 4);
    b[4] = 2;
    b[5] = 1;
    std::string names(1, '\0');
    std::vector<std::size_t> nameOffsets;
    for (const auto& s : sections) {
        nameOffsets.push_back(names.size());
        names += s.first + '\0';
    }
    const std::size_t shstrtabName = names.size();
    names += std::string(".shstrtab") + '\0';
    const std::size_t namesAt = b.size();
    b.insert(b.end(), names.begin(), names.end());
    const std::size_t table = (b.size() + 7) / 8 * 8;
    const std::size_t count = sections.size() + 2;
    put(b, 0x28, table, 8);
    put(b, 0x3A, 64, 2);
    put(b, 0x3C, count, 2);
    put(b, 0x3E, count - 1, 2);
    put(b, table + count * 64 - 1, 0, 1);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::size_t at = table + (i + 1) * 64;
        put(b, at, nameOffsets[i], 4);
        put(b, at + 4, 1, 4);                     // PROGBITS
        put(b, at + 8, 2, 8);                     // ALLOC
        put(b, at + 16, sections[i].second, 8);   // address
        put(b, at + 24, 0x1000 + 0x400 * i, 8);   // offset
        put(b, at + 32, 0x400, 8);                // size
    }
    const std::size_t last = table + (count - 1) * 64;
    put(b, last, shstrtabName, 4);
    put(b, last + 4, 3, 4);
    put(b, last + 24, namesAt, 8);
    put(b, last + 32, names.size(), 8);
    return b;
}

image::Status findElfConfig(const Bytes& b, image::Section& s) {
    return image::elfFindSection(image::MemoryBytes(b.data(), b.size()), ".config", s);
}

Bytes builtExecutable() {
    std::ifstream in(HANGMAN_EXE, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ElfImage, FindsTheConfigSectionByItsFullName) {
    const Bytes b = elfFile({{".configX", 0x2000}, {".text", 0x3000}, {".config", 0x55a0}});
    image::Section s;
    ASSERT_EQ(findElfConfig(b, s), image::Status::Ok);
    EXPECT_EQ(s.address, 0x55a0u);
    EXPECT_EQ(s.size, 0x400u);
    EXPECT_EQ(s.fileOffset, 0x1800u);
    EXPECT_TRUE(s.mapped);
    EXPECT_EQ(findElfConfig(elfFile({{".conf", 1}, {".config.x", 2}}), s), image::Status::NoSection);
}

TEST(ElfImage, RejectsOtherFilesAndTruncatedTables) {
    image::Section s;
    Bytes b = elfFile({{".config", 0x100}});
    Bytes wrongClass = b;
    wrongClass[4] = 1;
    EXPECT_EQ(findElfConfig(wrongClass, s), image::Status::BadElfHeader);
    const Bytes pe = peImage({{".config", 1, 2, 3, 4}});
    EXPECT_EQ(findElfConfig(pe, s), image::Status::BadElfHeader);
    const Bytes truncated(b.begin(), b.end() - 100);
    EXPECT_EQ(findElfConfig(truncated, s), image::Status::BadElfHeader);
    Bytes badNameIndex = b;
    put(badNameIndex, 0x3E, 40, 2);
    EXPECT_EQ(findElfConfig(badNameIndex, s), image::Status::BadElfHeader);
}

TEST(ElfImage, FindsTheBlockOfTheBuiltExecutable) {
    const Bytes file = builtExecutable();
    image::Section s;
    ASSERT_EQ(findElfConfig(file, s), image::Status::Ok);
    EXPECT_EQ(s.size, 1024u);
    EXPECT_TRUE(s.mapped);
    ASSERT_LE(s.fileOffset + 4, file.size());
    EXPECT_EQ(std::string(file.begin() + static_cast<long>(s.fileOffset),
                          file.begin() + static_cast<long>(s.fileOffset) + 4),
              std::string("CPB\0", 4));
}

bool elfComplete(const Bytes& b) { return image::elfComplete(image::MemoryBytes(b.data(), b.size()), b.size()); }

// File offset of the first loadable segment's program header.
std::size_t firstLoadHeader(const Bytes& b) {
    std::size_t at = b[0x20] | b[0x21] << 8;
    while (b[at] != 1) at += 56;
    return at;
}

TEST(ElfImage, CompleteOnlyWithEveryLoadedSegmentAndTheSectionTableInTheFile) {
    const Bytes whole = builtExecutable();
    ASSERT_GT(whole.size(), 8192u);
    EXPECT_TRUE(elfComplete(whole));
    for (const std::size_t size : {std::size_t{0}, std::size_t{63}, std::size_t{64}, std::size_t{1024},
                                   whole.size() / 2, whole.size() - 1}) {
        EXPECT_FALSE(elfComplete(Bytes(whole.begin(), whole.begin() + static_cast<long>(size)))) << size;
    }
    // Without a section header table the loader needs none.
    Bytes noSections = whole;
    put(noSections, 0x28, 0, 8);
    EXPECT_TRUE(elfComplete(noSections));
    Bytes tableOutside = whole;
    put(tableOutside, 0x28, whole.size() - 64, 8);
    EXPECT_FALSE(elfComplete(tableOutside));
}

TEST(ElfImage, HostileSegmentAndHeaderValuesAreIncomplete) {
    const Bytes whole = builtExecutable();
    const std::size_t load = firstLoadHeader(whole);
    Bytes wrapping = whole;
    put(wrapping, load + 8, 0x1000, 8);
    put(wrapping, load + 32, ~std::uint64_t{0} - 0x800, 8);  // offset + size wraps round
    EXPECT_FALSE(elfComplete(wrapping));
    Bytes noHeaders = whole;
    put(noHeaders, 0x38, 0, 2);
    EXPECT_FALSE(elfComplete(noHeaders));
    Bytes oddEntrySize = whole;
    put(oddEntrySize, 0x36, 32, 2);
    EXPECT_FALSE(elfComplete(oddEntrySize));
    Bytes headersOutside = whole;
    put(headersOutside, 0x20, ~std::uint64_t{0} - 8, 8);
    EXPECT_FALSE(elfComplete(headersOutside));
    EXPECT_FALSE(elfComplete(peImage({{".config", 1, 2, 3, 4}})));
}

TEST(PeFile, BlockToolEditsTheRawDataOfTheConfigSection) {
    // A file whose .config holds 984 bytes of block in 1024 bytes of raw data.
    Bytes file = peImage({{".text", 0x10, 0x1000, 0x200, 0x200}, {".config", 984, 0x2000, 0x400, 0x400}});
    file.resize(0x800, 0xcc);
    const Bytes block = cpbtool::encode(cpbtool::parseDefinition("kernel-dll = ZKRN6407.dll\n"), 984);
    std::copy(block.begin(), block.end(), file.begin() + 0x400);
    const std::string path = testing::TempDir() + "pe-block.exe";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                               static_cast<std::streamsize>(file.size()));

    cpbtool::ImageFile image(path);
    ASSERT_EQ(image.section(), block);
    cpbtool::Block edited = cpbtool::decode(image.section());
    edited.records.push_back({25, cpbtool::encodeValue(cpbtool::findTag("profile"), "2.8.0_07")});
    image.replaceSection(cpbtool::encode(edited, 984));

    const Bytes written = cpbtool::readFile(path);
    ASSERT_EQ(written.size(), file.size());
    EXPECT_TRUE(std::equal(file.begin(), file.begin() + 0x400, written.begin()));
    EXPECT_TRUE(std::equal(file.begin() + 0x400 + 984, file.end(), written.begin() + 0x400 + 984));
    EXPECT_EQ(cpbtool::decode(Bytes(written.begin() + 0x400, written.begin() + 0x400 + 984)).records.size(), 2u);
    EXPECT_THROW(image.replaceSection(Bytes(1024, 0)), cpbtool::Error);
}

// Writes file to a temporary path and returns it.
std::string writeTemporary(const Bytes& file, const std::string& name) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                               static_cast<std::streamsize>(file.size()));
    return path;
}

// Puts a block with one record at the start of the section at offset (the
// rest of the section keeps its bytes).
void putBlock(Bytes& file, std::size_t offset) {
    const Bytes block = cpbtool::encode(cpbtool::parseDefinition("main-class = HangMan\n"), 64);
    if (file.size() < offset + 0x400) file.resize(offset + 0x400, 0);
    std::copy(block.begin(), block.end(), file.begin() + static_cast<long>(offset));
}

// Adds a record to the block of the file at path.
void addProfile(const std::string& path) {
    cpbtool::ImageFile image(path);
    cpbtool::Block edited = cpbtool::decode(image.section());
    edited.records.push_back({25, cpbtool::encodeValue(cpbtool::findTag("profile"), "2.8.0_07")});
    image.replaceSection(cpbtool::encode(edited, image.section().size()));
}

// ELF files whose .config (at 0x1000) holds the section table or the name
// table in the zero bytes after its records, and a PE file whose section
// table lies there: rewriting the block would destroy the table.
std::vector<Bytes> tablesInsideTheBlock() {
    const Bytes elf = elfFile({{".config", 0x5000}});
    const std::uint64_t table = 88, names = 64;
    Bytes tableInside = elf;
    putBlock(tableInside, 0x1000);
    std::copy(elf.begin() + table, elf.begin() + table + 3 * 64, tableInside.begin() + 0x1200);
    put(tableInside, 0x28, 0x1200, 8);
    Bytes namesInside = elf;
    putBlock(namesInside, 0x1000);
    std::copy(elf.begin() + names, elf.begin() + table, namesInside.begin() + 0x1300);
    put(namesInside, table + 2 * 64 + 24, 0x1300, 8);
    Bytes pe = peImage({{".config", 0x400, 0x2000, 0x400, 0x200}}, 0x300);
    putBlock(pe, 0x200);
    return {tableInside, namesInside, pe};
}

TEST(ImageFileEdit, RefusesToOverwriteTheFilesOwnSectionTables) {
    int n = 0;
    for (const Bytes& file : tablesInsideTheBlock()) {
        const std::string path = writeTemporary(file, "inside-" + std::to_string(++n));
        cpbtool::ImageFile image(path);
        ASSERT_EQ(cpbtool::decode(image.section()).records.size(), 1u) << n;
        try {
            addProfile(path);
            ADD_FAILURE() << "file " << n << " was edited";
        } catch (const cpbtool::Error& e) {
            EXPECT_NE(std::string(e.what()).find("section table"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(cpbtool::readFile(path) == file) << "file " << n << " changed";
    }
}

TEST(ImageFileEdit, EditsAFileWhoseTablesLieOutsideTheBlock) {
    Bytes file = elfFile({{".config", 0x5000}});
    putBlock(file, 0x1000);
    const std::string path = writeTemporary(file, "outside");
    addProfile(path);
    EXPECT_EQ(cpbtool::decode(cpbtool::ImageFile(path).section()).records.size(), 2u);
}

}  // namespace
