// The death tests end in the fatal routine, which also opens a desktop
// dialog when a display is set and standard error is no terminal; the
// dialog would wait for a person, so these tests run without a display.

#include <cstdlib>

namespace {

struct NoDesktop {
    NoDesktop() { unsetenv("DISPLAY"); }
} noDesktop;

}  // namespace
