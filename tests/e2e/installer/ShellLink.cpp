#include "tests/e2e/installer/ShellLink.h"

#include <cstdint>

namespace e2e {

namespace {

enum LinkFlags : std::uint32_t {
    HasTargetIdList = 0x1,
    HasLinkInfo = 0x2,
    HasName = 0x4,
    HasRelativePath = 0x8,
    HasWorkingDirectory = 0x10,
    HasArguments = 0x20,
    HasIconLocation = 0x40,
    IsUnicode = 0x80,
};

constexpr std::size_t HeaderSize = 76;

// Little-endian reads that give 0 past the end.
class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    std::uint32_t get(std::size_t at, int width) const {
        std::uint32_t value = 0;
        for (int i = width - 1; i >= 0; --i) {
            value = value << 8 | (at + i < bytes_.size() ? static_cast<unsigned char>(bytes_[at + i]) : 0);
        }
        return value;
    }
    std::string zeroTerminated(std::size_t at) const {
        return at < bytes_.size() ? std::string(bytes_.c_str() + at) : "";
    }
    // A StringData entry at at: a count of characters, then the
    // characters; moves at past it. Wine counts a terminating zero too,
    // which is dropped.
    std::string counted(std::size_t& at, bool unicode) const {
        const std::size_t count = get(at, 2);
        const std::size_t width = unicode ? 2 : 1;
        std::string text;
        for (std::size_t i = 0; i < count; ++i) text += static_cast<char>(get(at + 2 + i * width, 1));
        at += 2 + count * width;
        while (!text.empty() && text.back() == '\0') text.pop_back();
        return text;
    }

private:
    const std::string& bytes_;
};

}  // namespace

ShellLink readShellLink(const std::string& bytes) {
    const Reader r(bytes);
    ShellLink link;
    if (bytes.size() < HeaderSize || r.get(0, 4) != HeaderSize) return link;
    const std::uint32_t flags = r.get(20, 4);
    std::size_t at = HeaderSize;
    if (flags & HasTargetIdList) at += 2 + r.get(at, 2);
    if (flags & HasLinkInfo) {
        // LinkInfo: its size, header size, flags (1: a volume and a local
        // base path), and the offset of that path.
        if (r.get(at + 8, 4) & 1) link.target = r.zeroTerminated(at + r.get(at + 16, 4));
        at += r.get(at, 4);
    }
    const bool unicode = flags & IsUnicode;
    if (flags & HasName) r.counted(at, unicode);
    if (flags & HasRelativePath) r.counted(at, unicode);
    if (flags & HasWorkingDirectory) link.workingDirectory = r.counted(at, unicode);
    if (flags & HasArguments) r.counted(at, unicode);
    if (flags & HasIconLocation) link.iconLocation = r.counted(at, unicode);
    return link;
}

}  // namespace e2e
