#include "runtime/PlatformBase.h"

#include <chrono>
#include <cstdint>
#include <iostream>

namespace rt {

PlatformBase::PlatformBase()
    : random_(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

// 53 random bits scaled to [0, 1): never 1.0, unlike a rounded division.
double PlatformBase::nextRandom() { return static_cast<double>(random_() >> 11) * 0x1.0p-53; }

std::optional<std::string> PlatformBase::readInputLine() {
    std::string line;
    if (!std::getline(std::cin, line)) {
        std::cin.clear();
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

}  // namespace rt
