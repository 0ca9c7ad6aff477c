#pragma once

// The splash step: reads the splash settings from the block, finds the
// splash library (runtime directory, else an installed profile, else by bare
// name), and hands it the image. Only a bad block is fatal; everything else
// that is missing ends the step quietly. A splash that was handed over is
// closed at once before any fatal message (the library's SplashCloseNow),
// so that the splash never hides the message.

#include <cstdint>

#include "startup/os.h"

namespace splash {

// image: the executable's splash image block, a 32-bit little-endian byte
// count followed by the bytes (a JPEG), or null when there is none.
void run(os::Module module, const std::uint8_t* image);

}  // namespace splash
