#pragma once

// The splash library's C entries (C calling convention, results ignored by
// the callers). The start-up stub calls the first two, once each, in this
// order; the runtime component calls the third once its first window is on
// screen, after finding the already-loaded library by its soname; the stub
// calls the fourth only when the start fails.
//
// SplashInitEx(value, flag1, flag2, data):
//   value  minimum time on screen, in tenths of a second (capped at 5 s), so
//          that a fast start does not just flash the splash; 0 for none.
//   flag1  1: a mouse click on the splash closes it.
//   flag2  1: the splash stays above other windows; 0: it stacks normally,
//          so that a message shown during the start appears on top of it.
//   data   address of a 32-bit word: the longest time on screen in seconds,
//          for a start that never closes it; 0 (or a null address) for no
//          limit. The word is read during the call.
// SplashLoadMemory(bytes, count):
//   A baseline JPEG with three colour components of at most 1 M pixels,
//   copied (when every byte is readable) and decoded during the call, which
//   takes well under a millisecond for a splash-sized image; the window
//   belongs to the library's own thread, so both calls return at once.
// SplashClose():
//   Closes the splash (after the minimum time); returns at once.
// SplashCloseNow():
//   Closes the splash at once, without the minimum time, and returns when
//   its window is gone from the screen (or has never been shown, and never
//   will be); waits at most 2 s. The start-up stub calls it before a fatal
//   message, which the splash must not hide.
//
// Every failure (no display, an image that does not decode within the
// library's bounds, an unsuitable screen) is quiet: no splash, no message.

#include <cstdint>

namespace splash_exports {

inline constexpr char LibrarySoname[] = "splashscreen.so";
inline constexpr char CloseName[] = "SplashClose";
using CloseFn = void (*)();

}  // namespace splash_exports
