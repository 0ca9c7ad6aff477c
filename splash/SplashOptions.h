#pragma once

// What the stub's splash settings mean to this library (see SplashExports.h).

#include <chrono>
#include <cstdint>

#include "splash/SplashWindow.h"

namespace splash {

struct SplashOptions {
    std::chrono::milliseconds minimum{0};
    std::chrono::milliseconds maximum{0};  // 0: no limit
    WindowOptions window;
};

inline constexpr std::uint32_t MaxMinimumTenths = 50;

// The settings of SplashInitEx; data is read at once when not null.
SplashOptions optionsFrom(std::uint32_t value, std::uint32_t flag1, std::uint32_t flag2, const void* data);

}  // namespace splash
