#include "splash/SplashOptions.h"

#include <algorithm>
#include <cstring>

namespace splash {

SplashOptions optionsFrom(std::uint32_t value, std::uint32_t flag1, std::uint32_t flag2, const void* data) {
    SplashOptions options;
    options.minimum = std::chrono::milliseconds(100 * std::min(value, MaxMinimumTenths));
    std::uint32_t seconds = 0;
    if (data != nullptr) std::memcpy(&seconds, data, sizeof seconds);
    options.maximum = std::chrono::seconds(std::min(seconds, MaxMaximumSeconds));
    options.window.closeOnClick = flag1 != 0;
    options.window.keepAbove = flag2 != 0;
    return options;
}

}  // namespace splash
