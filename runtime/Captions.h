#pragma once

#include "runtime/Text.h"

namespace rt {

// Captions of buttons, check boxes and menus: both toolkits read "&" as the
// marker of a mnemonic, while the framework's texts mean the character itself.
// A caption doubles every "&"; reading one back halves each "&&" pair.
String toCaptionText(StringView text);
String fromCaptionText(StringView caption);

}  // namespace rt
