#pragma once

// Loads fontconfig's configuration and font caches on a second thread while
// the main thread starts the application (loads the platform plugin,
// connects to the display). Qt loads them at the first text it measures,
// on the main thread, after all of that: a third of the instructions to a
// program's first window. Qt's own FcInit then finds them loaded.

#include <thread>

namespace rtqt {

class FontPreload {
public:
    // Sets the locale from the environment first, as QCoreApplication does
    // next: the configuration is parsed under it, and setting the locale
    // while another thread reads it would race.
    FontPreload();

private:
    // Joined when the preload goes, which waits for the load: no fontconfig
    // call may overlap it, or fontconfig loads its configuration twice.
    std::jthread loader_;
};

}  // namespace rtqt
