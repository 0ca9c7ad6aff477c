#pragma once

// Fills Qt's font database (the families fontconfig lists) on a second
// thread while the main thread goes on building the program's first window:
// the main thread's first text measurement then waits on the database's own
// lock for the fill instead of doing it, a tenth of the instructions to the
// first window.

#include <thread>

namespace rtqt {

class FontDatabasePreload {
public:
    // Needs the application object, and fontconfig's configuration loaded
    // (FontPreload): the fill must not load that configuration a second
    // time beside a load of the main thread's.
    FontDatabasePreload();

private:
    // Joined when the preload goes: that waits for the fill.
    std::jthread filler_;
};

}  // namespace rtqt
