#pragma once

// What the stub's splash settings (SplashInitEx's value, flags and data; see
// splash/SplashProtocol.h) mean to both splash libraries: plain values,
// free of any window system.

#include <chrono>
#include <cstdint>

namespace splash {

struct WindowOptions {
    bool closeOnClick = false;
    bool keepAbove = false;
};

struct SplashOptions {
    std::chrono::milliseconds minimum{0};
    std::chrono::milliseconds maximum{0};  // 0: no limit
    WindowOptions window;
};

// The minimum time stays short, so that a splash never holds the program
// back for long; the longest time is capped at a day, so that a splash
// ends even for a wild value and its milliseconds fit in 32 bits.
inline constexpr std::uint32_t MaxMinimumTenths = 50;
inline constexpr std::uint32_t MaxMaximumSeconds = 24 * 3600;

// The settings of SplashInitEx; data is read at once when not null.
SplashOptions optionsFrom(std::uint32_t value, std::uint32_t flag1, std::uint32_t flag2, const void* data);

}  // namespace splash
