#pragma once

// Hands the screen over from the start-up splash to the program: once the
// first top-level window is exposed, the splash library that the start-up
// stub loaded (found among the loaded objects by its file name, never
// loaded here) is asked to close.

namespace rtqt {

// Watches for the first exposed top-level window; does nothing when no
// splash library is loaded in the process.
void closeSplashOnFirstWindow();

}  // namespace rtqt
