// Static checks of the 32-bit product, build-win32\hangman.exe, which these
// machines cannot run: the image headers, the sections, the resources (read
// back with icoutils) and the imports (objdump), the configuration block
// (cpbtool) and the zip a Windows user unpacks.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "tests/e2e/wine/WineHarness.h"

namespace e2e::wine {
namespace {

const fs::path Product = fs::path(PRODUCT_DIR) / "hangman.exe";

struct Section {
    std::uint32_t virtualSize, address, rawSize, rawOffset, characteristics;
};

// The parts of a PE file's headers the checks need.
class PeFile {
public:
    explicit PeFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        pe_ = u32(60);
        const std::uint32_t table = pe_ + 24 + u16(pe_ + 20);
        for (std::uint32_t i = 0; i < u16(pe_ + 6); ++i) {
            const std::uint32_t h = table + 40 * i;
            sections_[std::string(bytes_.data() + h, strnlen(bytes_.data() + h, 8))] =
                Section{u32(h + 8), u32(h + 12), u32(h + 16), u32(h + 20), u32(h + 36)};
        }
    }
    std::uint32_t u16(std::size_t at) const { return get(at, 2); }
    std::uint32_t u32(std::size_t at) const { return get(at, 4); }
    std::uint32_t machine() const { return u16(pe_ + 4); }
    std::uint32_t optionalMagic() const { return u16(pe_ + 24); }
    std::uint32_t subsystem() const { return u16(pe_ + 24 + 68); }
    const std::map<std::string, Section>& sections() const { return sections_; }
    std::string contents(const Section& s) const { return bytes_.substr(s.rawOffset, s.virtualSize); }
    const std::string& bytes() const { return bytes_; }

private:
    std::uint32_t get(std::size_t at, std::size_t width) const {
        std::uint32_t v = 0;
        std::memcpy(&v, bytes_.data() + at, width);
        return v;
    }
    std::string bytes_;
    std::uint32_t pe_ = 0;
    std::map<std::string, Section> sections_;
};

std::string words(std::initializer_list<std::uint32_t> values) {
    std::string out;
    for (std::uint32_t v : values) out.append(reinterpret_cast<const char*>(&v), 4);
    return out;
}

// The section whose raw data holds the bytes, or "".
std::string sectionHolding(const PeFile& pe, const std::string& bytes) {
    const std::size_t at = pe.bytes().find(bytes);
    for (const auto& [name, s] : pe.sections()) {
        if (at != std::string::npos && at >= s.rawOffset && at < s.rawOffset + s.rawSize) return name;
    }
    return "";
}

constexpr std::uint32_t Writable = 0x80000000;

TEST(Product, IsA32BitGuiImage) {
    const PeFile pe(Product);
    EXPECT_EQ(pe.machine(), 0x14cu) << "i386";
    EXPECT_EQ(pe.optionalMagic(), 0x10bu) << "PE32";
    EXPECT_EQ(pe.subsystem(), 2u) << "Windows GUI";
}

TEST(Product, SectionsOfTheComponent) {
    const PeFile pe(Product);
    const Section config = pe.sections().at(".config");
    EXPECT_EQ(config.characteristics, 0x50000040u);
    EXPECT_EQ(config.rawSize, 1024u);
    EXPECT_EQ(pe.contents(config).substr(0, 4), std::string("CPB\0", 4));

    const std::string imports = pe.contents(pe.sections().at(".kidata"));
    EXPECT_EQ(imports.substr(0, 4), "KIMP");
    EXPECT_EQ(imports.substr(16, 20), words({16}) + std::string("ZKRN6407.DLL\0\0\0\0", 16));
    EXPECT_EQ(pe.contents(pe.sections().at(".kedata")).substr(0, 4), "KEXP");

    // The descriptor and the runtime entry tables lie in writable data.
    for (const std::string& start : {words({0x53454443, 3}), words({225, 225, 107}), words({225, 225, 39})}) {
        const std::string section = sectionHolding(pe, start);
        ASSERT_FALSE(section.empty());
        EXPECT_NE(pe.sections().at(section).characteristics & Writable, 0u) << section;
    }
}

TEST(Product, BlockHasTheWindowsValues) {
    const Result r = runProgram({CPBTOOL, "dump", Product.string()}, {});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("  6 count: 24\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("@14 tag 13 kernel-dll length 16: \"ZKRN6407.dll\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("@15 tag 15 dll-map length 48: \"ZKRN6407.DLL=*{comp.dir}\\rt\\kovrt\\ZKRN6407.dll\""),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("@23 tag 16 runtime-dir length 16: \"*{comp.dir}\\rt\""), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(".so"), std::string::npos) << r.out;
}

std::string manifest(const std::string& architecture) {
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture=")" +
           architecture + R"(" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">
    <security>
      <requestedPrivileges>
        <requestedExecutionLevel level="asInvoker" uiAccess="false"/>
      </requestedPrivileges>
    </security>
  </trustInfo>
</assembly>
)";
}

TEST(Product, ManifestForItsArchitecture) {
    Result r = runProgram({"/usr/bin/wrestool", "-x", "--raw", "--type=24", Product.string()}, {});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, manifest("X86"));
    r = runProgram({"/usr/bin/wrestool", "-x", "--raw", "--type=24", GUI_EXE}, {});
    EXPECT_EQ(r.out, manifest("amd64"));
}

TEST(Product, IconGroupOfNineImages) {
    const fs::path icon = fs::temp_directory_path() / ("kov-product-" + std::to_string(::getpid()) + ".ico");
    Result r = runProgram({"/usr/bin/wrestool", "-x", "--type=14", "-o", icon.string(), Product.string()}, {});
    ASSERT_EQ(r.status, 0) << r.err;
    r = runProgram({"/usr/bin/icotool", "-l", icon.string()}, {});
    fs::remove(icon);
    ASSERT_EQ(r.status, 0) << r.err;
    std::set<std::string> sizes;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t w = line.find("--width=");
        if (w != std::string::npos) sizes.insert(line.substr(w + 8, line.find(' ', w) - w - 8));
    }
    EXPECT_EQ(sizes, (std::set<std::string>{"16", "22", "24", "32", "48", "64", "96", "128", "256"})) << r.out;
}

// The functions the product imports, by library, as objdump lists them.
std::map<std::string, std::set<std::string>> imports(const fs::path& file) {
    const Result r = runProgram({OBJDUMP, "-p", file.string()}, {});
    EXPECT_EQ(r.status, 0) << r.err;
    std::map<std::string, std::set<std::string>> found;
    std::string dll;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string vma, hint, name;
        if (line.find("DLL Name: ") != std::string::npos) {
            dll = line.substr(line.find("DLL Name: ") + 10);
        } else if (line.empty()) {
            dll.clear();
        } else if (!dll.empty() && fields >> vma >> hint >> name && hint != "Hint/Ord") {
            found[dll].insert(name);
        }
    }
    return found;
}

TEST(Product, ImportsOnlySystemLibraries) {
    const auto found = imports(Product);
    const std::set<std::string> system{"ADVAPI32.dll", "KERNEL32.dll", "USER32.dll", "msvcrt.dll"};
    EXPECT_FALSE(found.empty());
    for (const auto& [dll, functions] : found) EXPECT_TRUE(system.count(dll)) << dll;
    // MessageBoxW and wvsprintfA are looked up when used, not imported;
    // the stub reads PATH as UTF-16 and needs no code-page conversion.
    EXPECT_EQ(found.count("USER32.dll"), 0u);
    EXPECT_EQ(found.at("ADVAPI32.dll"), (std::set<std::string>{"DeregisterEventSource", "RegCloseKey",
                                                                "RegCreateKeyExW", "RegSetValueExW",
                                                                "RegisterEventSourceW", "ReportEventW"}));
    // Paths cross to the system as UTF-16 only (the C runtime's start-up
    // code still imports LoadLibraryA and GetModuleHandleA for its own use).
    for (const char* ansi : {"GetModuleFileNameA", "LoadLibraryExA", "FindFirstFileA", "GetEnvironmentVariableA"}) {
        EXPECT_EQ(found.at("KERNEL32.dll").count(ansi), 0u) << ansi;
    }
}

TEST(Product, ZipHoldsTheProgramAndTheWordLists) {
    const Result r = runProgram({"/usr/bin/unzip", "-Z1", (fs::path(PRODUCT_DIR) / "hangman-win32.zip").string()}, {});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* file : {"hangman.exe\n", "words/animals.txt\n", "words/fruits.txt\n", "words/countries.txt\n"}) {
        EXPECT_NE(r.out.find(file), std::string::npos) << r.out;
    }
}

}  // namespace
}  // namespace e2e::wine
