#include "runtime/qt/FontPreload.h"

#include <fontconfig/fontconfig.h>

#include <clocale>

namespace rtqt {

FontPreload::FontPreload() {
    std::setlocale(LC_ALL, "");
    loader_ = std::jthread([] { FcInit(); });
}

}  // namespace rtqt
