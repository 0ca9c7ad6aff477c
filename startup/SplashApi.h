#pragma once

// The exports of the splash library that the start-up stub calls (C calling
// convention; results are ignored).

#include <cstdint>

namespace splash_api {

// (splash value, flag 1 as 0/1, flag 2 as 0/1, address of the splash data or null)
using InitExFn = int (*)(std::uint32_t value, std::uint32_t flag1, std::uint32_t flag2, const void* data);
// (image bytes, byte count)
using LoadMemoryFn = int (*)(const void* bytes, std::uint32_t count);
// Closes the splash at once and returns when it is off the screen.
using CloseNowFn = void (*)();

inline constexpr char InitExName[] = "SplashInitEx";
inline constexpr char LoadMemoryName[] = "SplashLoadMemory";
// Optional: a library without it leaves its splash up during a fatal message.
inline constexpr char CloseNowName[] = "SplashCloseNow";
// File name without the platform's library suffix.
inline constexpr char LibraryStem[] = "splashscreen";

}  // namespace splash_api
