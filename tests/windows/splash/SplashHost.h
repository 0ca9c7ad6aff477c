#pragma once

// The test program run as a host of the splash library:
//   win32_splash_tests --host IMAGE VALUE FLAG1 FLAG2 SECONDS [front] [close-first] [slow-attach]
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
// close-first: SplashClose right after SplashLoadMemory.
// slow-attach: then a library whose DllMain holds the loader lock is loaded
// while the splash thread sets up the display; "attached" once it is.
// It writes "ready" when set up, then answers each "close" line on standard
// input with SplashClose and "closed", and each "close-now" line with
// SplashCloseNow and, once that returns, "closed-now" when no splash window
// is left or "closed-now, splash left", and each "modules" line with
// "modules: COM" when ole32.dll or windowscodecs.dll is loaded, else
// "modules: no COM", until its input ends.

namespace splashtest {

inline constexpr wchar_t FrontTitle[] = L"Splash host";

int hostMain(int argc, char** argv);

}  // namespace splashtest
