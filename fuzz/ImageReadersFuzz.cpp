// The PE and ELF readers: on any file they stay inside it, and the stub's
// own file reader (a one-page window over the file) finds what the
// in-memory reader finds and judges a file whole or cut short alike.
// Input: the file's bytes.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "startup/FileBytes.h"
#include "startup/image.h"

namespace {

bool same(const image::Section& a, const image::Section& b) {
    return a.address == b.address && a.size == b.size && a.fileOffset == b.fileOffset &&
           a.fileSize == b.fileSize && a.mapped == b.mapped;
}

// Both readers give the same status and, on success, the same section.
template <typename Find>
void agree(const image::Bytes& memory, const image::Bytes& file, Find find) {
    image::Section inMemory, inFile;
    const image::Status a = find(memory, inMemory);
    const image::Status b = find(file, inFile);
    if (a != b || (a == image::Status::Ok && !same(inMemory, inFile))) __builtin_trap();
}

int fileOf(const std::vector<std::uint8_t>& bytes) {
    static const int fd = memfd_create("image", 0);
    if (ftruncate(fd, 0) != 0) __builtin_trap();
    if (!bytes.empty() && pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
        __builtin_trap();
    }
    return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    const image::MemoryBytes memory(bytes.data(), bytes.size());
    const image::FileBytes file(fileOf(bytes));
    for (const char* name : {".config", ".text", ""}) {
        agree(memory, file, [name](const image::Bytes& b, image::Section& s) { return image::elfFindSection(b, name, s); });
        agree(memory, file, [name](const image::Bytes& b, image::Section& s) { return image::peFindSection(b, name, s); });
    }
    if (image::peIsGui(memory) != image::peIsGui(file)) __builtin_trap();
    if (image::elfComplete(memory, bytes.size()) != image::elfComplete(file, bytes.size())) __builtin_trap();
    return 0;
}
