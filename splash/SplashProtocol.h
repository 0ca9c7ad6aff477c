#pragma once

// The splash library's C entries (C calling convention), declared once for
// everyone on either side: the splash libraries (splash/, splash/win32/)
// define them, the start-up stub and the runtime components find them by
// name in the loaded library and call them through the pointer types below.
// Nothing here needs more than the standard library.
//
// The start-up stub calls SplashInitEx and SplashLoadMemory, once each, in
// this order; the runtime component calls SplashClose once its first window
// is on screen, after finding the already-loaded library by its file name;
// the stub calls SplashCloseNow only when the start fails. The callers ignore
// the results.
//
// SplashInitEx(value, flag1, flag2, data):
//   value  minimum time on screen, in tenths of a second (capped at 5 s), so
//          that a fast start does not just flash the splash; 0 for none.
//   flag1  1: a mouse click on the splash closes it.
//   flag2  1: the splash stays above other windows; 0: it stacks normally,
//          so that a message shown during the start appears on top of it.
//   data   address of a 32-bit word: the longest time on screen in seconds
//          (capped at 24 hours), for a start that never closes it; 0 (or a
//          null address) for no limit. The word is read during the call.
//   Returns 1 when the settings were taken, 0 when they came too late
//   (after an image).
// SplashLoadMemory(bytes, count):
//   A baseline JPEG with three colour components, read (when every byte is
//   readable) during the call only. Returns 0 when an image came before
//   (one splash per process), else 1. Which thread serves the window:
//   - Linux: the library's own thread; the call returns at once.
//   - Windows: the calling thread. The window is shown and painted before
//     the call returns; later its messages (painting, its timers, the
//     close, a click) are served by whatever message loop that thread runs
//     (the runtime's event loop, a message box). Nothing of the splash ends
//     that loop.
// SplashClose():
//   Closes the splash (after the minimum time); returns at once.
// SplashCloseNow():
//   Optional (a library without it leaves its splash up during a fatal
//   message). Closes the splash at once, without the minimum time, and
//   returns when its window is gone from the screen (or has never been
//   shown, and never will be); waits at most 2 s (on Windows only when
//   called from another thread than the window's, whose loop destroys it).
//
// Every failure (no display, an image that does not decode within the
// library's bounds, an unsuitable screen) is quiet: no splash, no message.

#include <cstdint>

extern "C" {
int SplashInitEx(std::uint32_t value, std::uint32_t flag1, std::uint32_t flag2, const void* data);
int SplashLoadMemory(const void* bytes, std::uint32_t count);
void SplashClose();
void SplashCloseNow();
}

namespace splash_protocol {

using InitExFn = decltype(&SplashInitEx);
using LoadMemoryFn = decltype(&SplashLoadMemory);
using CloseFn = decltype(&SplashClose);
using CloseNowFn = decltype(&SplashCloseNow);

inline constexpr char InitExName[] = "SplashInitEx";
inline constexpr char LoadMemoryName[] = "SplashLoadMemory";
inline constexpr char CloseName[] = "SplashClose";
inline constexpr char CloseNowName[] = "SplashCloseNow";

// The library's file name without the platform's suffix, and with it: the
// runtime components find the loaded library by the full name.
inline constexpr char LibraryStem[] = "splashscreen";
inline constexpr char LinuxLibraryName[] = "splashscreen.so";
inline constexpr wchar_t WindowsLibraryName[] = L"splashscreen.dll";

}  // namespace splash_protocol
