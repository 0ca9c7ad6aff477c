#pragma once

#include <vector>

#include "runtime/Toolkit.h"

namespace rtwin {

std::vector<rt::StyleInfo> installedStyles();
// Throws rt::Failure naming the style when it is not installed.
void setStyle(const rt::String& className);
rt::String currentStyle();

}  // namespace rtwin
