#include "runtime/Paths.h"

namespace rt {

namespace {

#ifdef _WIN32
constexpr char16_t Separators[] = u"/\\";
constexpr char16_t Separator = u'\\';
#else
constexpr char16_t Separators[] = u"/";
constexpr char16_t Separator = u'/';
#endif

}  // namespace

String parentFolder(StringView path) {
    const std::size_t last = path.find_last_of(Separators);
    if (last == StringView::npos) return {};
    // A root ("/", "C:\") keeps its separator.
    const bool root = last == 0 || path[last - 1] == u':';
    return String(path.substr(0, root ? last + 1 : last));
}

String joinPath(StringView folder, StringView name) {
    String path(folder);
    if (!path.empty() && StringView(Separators).find(path.back()) == StringView::npos) path += Separator;
    return path += name;
}

}  // namespace rt
