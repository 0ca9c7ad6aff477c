#pragma once

// The test program run as a host of the splash library:
//   win32_splash_tests --host IMAGE VALUE FLAG1 FLAG2 SECONDS [front] [close-first] [slow-attach] [hold]
// loads rt/bin/splashscreen.dll, calls SplashInitEx(VALUE, FLAG1, FLAG2,
// address of SECONDS) and SplashLoadMemory with the image IMAGE:
//   program    the program's splash image block, as the start-up stub hands it
//   progressive  the same image, progressive (progressive.jpg)
//   truncated  its first half
//   text       bytes that are no JPEG
//   empty      a count of 0
//   huge       the program's JPEG with a frame header of 65535 x 65535 pixels
//   scans      the program's JPEG with its scan given once more than the
//              library decodes
//   beyond     the right count, but the data ends at an unreadable page after
//              its first 4 KB
// front: a window of the host's own ("Splash host") has the focus first.
// close-first: SplashClose before SplashLoadMemory.
// slow-attach: then a library whose DllMain holds the loader lock is loaded;
// "attached" once it is.
// hold: then it writes "loaded, splash of this thread" (or "of another
// thread", or "no splash" when no splash window is visible) and serves no
// messages for HoldMs, as the stub does while it loads the runtime, then
// writes "serving".
// It writes "ready" when set up and runs a message loop on the thread that
// called the library, which serves the splash; should that loop end, it
// writes "loop ended". It answers each line on standard input, read on a
// thread of its own:
//   close           SplashClose there, then "closed"
//   close-now       SplashCloseNow there, then once it returns "closed-now"
//                   when no splash window is left, else "closed-now, splash left"
//   modules         "modules: COM" when ole32.dll or windowscodecs.dll is
//                   loaded, else "modules: no COM"
//   close-here      SplashClose on the loop's thread, then "closed here"
//   close-now-here  SplashCloseNow on the loop's thread, then "closed-now
//                   here" or "closed-now here, splash left"
//   ping            "pong" from the loop's thread
// until its input ends.

namespace splashtest {

inline constexpr wchar_t FrontTitle[] = L"Splash host";
inline constexpr unsigned HoldMs = 3000;

int hostMain(int argc, char** argv);

}  // namespace splashtest
