#include "tools/cpbtool/ImageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "startup/image.h"
#include "tools/cpbtool/Block.h"

namespace cpbtool {

namespace {

std::string systemError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// The ".config" section of a PE or ELF file, with its bytes in the file.
image::Section findSection(const std::vector<std::uint8_t>& content, const std::string& path) {
    const image::MemoryBytes bytes(content.data(), content.size());
    image::Section section;
    image::Status status = image::elfFindSection(bytes, ".config", section);
    if (status == image::Status::BadElfHeader) {
        status = image::peFindSection(bytes, ".config", section);
        if (status == image::Status::BadDosSignature || status == image::Status::BadPeSignature) {
            throw Error(path + " is not an executable image (neither ELF nor PE)");
        }
        section.size = std::min(section.size, section.fileSize);
    }
    if (status != image::Status::Ok) throw Error(path + " has no .config section");
    if (section.fileSize < section.size || section.fileOffset > content.size() ||
        section.size > content.size() - section.fileOffset) {
        throw Error(path + ": the .config section's bytes are not in the file");
    }
    return section;
}

}  // namespace

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error(systemError("cannot read", path));
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& content, unsigned mode) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) throw Error(systemError("cannot create a temporary file beside", path));
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    const bool ok = done == content.size() && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    const int savedErrno = errno;
    close(fd);
    if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
        errno = ok ? errno : savedErrno;
        const std::string message = systemError("cannot write", path);
        unlink(temporary.c_str());
        throw Error(message);
    }
}

ImageFile::ImageFile(std::string path) : ImageFile(path, readFile(path)) {}

ImageFile::ImageFile(std::string path, std::vector<std::uint8_t> content)
    : path_(std::move(path)), content_(std::move(content)) {
    const image::Section section = findSection(content_, path_);
    offset_ = section.fileOffset;
    size_ = section.size;
}

bool ImageFile::sectionStaysInPlace(const std::vector<std::uint8_t>& content) const {
    try {
        const image::Section again = findSection(content, path_);
        return again.fileOffset == offset_ && again.size == size_;
    } catch (const Error&) {
        return false;
    }
}

std::vector<std::uint8_t> ImageFile::section() const {
    const auto begin = content_.begin() + static_cast<long>(offset_);
    return std::vector<std::uint8_t>(begin, begin + static_cast<long>(size_));
}

std::vector<std::uint8_t> ImageFile::withSection(const std::vector<std::uint8_t>& bytes) const {
    if (bytes.size() != size_) throw Error("the new block does not match the section's size");
    std::vector<std::uint8_t> content = content_;
    std::copy(bytes.begin(), bytes.end(), content.begin() + static_cast<long>(offset_));
    if (!sectionStaysInPlace(content)) {
        throw Error(path_ + ": the .config section holds the file's section table or section names, which "
                            "the new block would overwrite; the file is left as it was");
    }
    return content;
}

void ImageFile::replaceSection(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> content = withSection(bytes);
    struct stat status {};
    if (stat(path_.c_str(), &status) != 0) throw Error(systemError("cannot read", path_));
    writeFileAtomically(path_, content, status.st_mode & 07777);
    content_ = std::move(content);
}

}  // namespace cpbtool
