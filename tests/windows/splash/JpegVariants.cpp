#include "tests/windows/splash/JpegVariants.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "support/Support.h"

namespace splashtest {

std::vector<std::uint8_t> programJpeg() {
    std::uint32_t count = 0;
    std::memcpy(&count, support::splashImage, sizeof count);
    return {support::splashImage + 4, support::splashImage + 4 + count};
}

std::string besideThisProgram(const std::string& relative) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    path.resize(path.find_last_of("\\/") + 1);
    return path + relative;
}

std::vector<std::uint8_t> jpegBesideThisProgram(const std::string& name) {
    std::ifstream file(besideThisProgram(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void setFrameSize(std::vector<std::uint8_t>& jpeg, std::uint16_t side) {
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] != 0xff || jpeg[i + 1] != 0xc0) continue;
        for (std::size_t at : {i + 5, i + 7}) {
            jpeg[at] = static_cast<std::uint8_t>(side >> 8);
            jpeg[at + 1] = static_cast<std::uint8_t>(side);
        }
        return;
    }
}

// The scan runs from its start-of-scan marker to the end-of-image marker,
// the file's last two bytes.
std::vector<std::uint8_t> withScans(const std::vector<std::uint8_t>& jpeg, int scans) {
    const std::uint8_t startOfScan[] = {0xff, 0xda};
    const auto scan = std::search(jpeg.begin(), jpeg.end(), std::begin(startOfScan), std::end(startOfScan));
    const auto end = jpeg.end() - 2;
    std::vector<std::uint8_t> result(jpeg.begin(), scan);
    for (int i = 0; i < scans; ++i) result.insert(result.end(), scan, end);
    result.insert(result.end(), end, jpeg.end());
    return result;
}

}  // namespace splashtest
