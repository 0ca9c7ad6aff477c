#include "runtime/Captions.h"

namespace rt {

String toCaptionText(StringView text) {
    String caption;
    caption.reserve(text.size());
    for (char16_t c : text) {
        if (c == u'&') caption.push_back(u'&');
        caption.push_back(c);
    }
    return caption;
}

String fromCaptionText(StringView caption) {
    String text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size() && caption[i + 1] == u'&') ++i;
        text.push_back(caption[i]);
    }
    return text;
}

}  // namespace rt
