#pragma once

#include "runtime/Text.h"

namespace rt {

// A font request: family name, style bits and point size. A family that names
// a fixed-pitch face ("Courier", "Monospaced") always comes out fixed-pitch,
// whether or not a font of that name is installed.
struct Font {
    enum Style : int { Plain = 0, Bold = 1, Italic = 2 };
    String name;
    int style = Plain;
    int size = 12;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace rt
