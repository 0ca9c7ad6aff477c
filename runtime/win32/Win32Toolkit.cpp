// The toolkit object: file choosers and visual styles beside the windows and
// components of the shared factory half.

#include "runtime/win32/Core.h"
#include "runtime/win32/Factories.h"
#include "runtime/win32/Styles.h"
#include "runtime/win32/TestHooks.h"
#include "runtime/win32/Win32Runtime.h"
#include "runtime/win32/WindowShells.h"

#include <commdlg.h>
#include <shlobj.h>

namespace rtwin {

namespace {

constexpr DWORD PathBufferSize = 32768;

// The chooser's filter list: "Word lists (*.txt)" and "*.txt", each ended by
// a zero, the list by another.
// With no types given, all files.
std::wstring filterList(const std::vector<rt::FileType>& types) {
    static const std::vector<rt::FileType> allFiles{{u"All files", u""}};
    std::wstring list;
    for (const auto& type : types.empty() ? allFiles : types) {
        const std::wstring pattern = type.pattern.empty() ? L"*.*" : toW(type.pattern);
        list += toW(type.name) + L" (" + pattern + L")" + L'\0' + pattern + L'\0';
    }
    return list + L'\0';
}

// The extension a name typed without one gets: that of the first type's
// pattern ("*.txt" gives "txt"), none for all files.
std::wstring defaultExtension(const std::vector<rt::FileType>& types) {
    if (types.empty() || !types.front().pattern.starts_with(u"*.")) return {};
    const std::wstring extension = toW(types.front().pattern.substr(2));
    return extension.find_first_of(L"*?;") == std::wstring::npos ? extension : std::wstring();
}

bool isFolder(const rt::String& path) {
    const DWORD attributes = GetFileAttributesW(toW(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring documentsFolder() {
    wchar_t path[MAX_PATH];
    static const auto folderPath =
        systemCall<HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR)>(L"shell32.dll", "SHGetFolderPathW");
    if (folderPath == nullptr || folderPath(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
    return path;
}

class Win32Toolkit final : public FactoryToolkit {
public:
    Win32Toolkit() { registerClasses(); }

    std::optional<rt::String> chooseFile(rt::Window& owner, rt::FileChooserMode mode, const rt::String& directory,
                                         const std::vector<rt::FileType>& types) override {
        std::wstring file(PathBufferSize, L'\0');
        const std::wstring start = !directory.empty() && isFolder(directory) ? toW(directory) : documentsFolder();
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = windowHandle(owner);
        const std::wstring filters = filterList(types);
        const std::wstring extension = defaultExtension(types);
        ofn.lpstrFilter = filters.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = PathBufferSize;
        ofn.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
        ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
        const bool save = mode == rt::FileChooserMode::Save;
        ofn.Flags |= save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
        TestHooks* hooks = testHooks;
        const auto answer = hooks != nullptr ? hooks->takeFileChooserAnswer(ofn) : std::nullopt;
        using Chooser = BOOL(WINAPI*)(OPENFILENAMEW*);
        const auto choose = systemCall<Chooser>(L"comdlg32.dll", save ? "GetSaveFileNameW" : "GetOpenFileNameW");
        const BOOL chosen = choose != nullptr && choose(&ofn);
        if (answer) return *answer;
        if (!chosen) return std::nullopt;
        return fromW(file.c_str(), wcslen(file.c_str()));
    }

    std::vector<rt::StyleInfo> installedStyles() const override { return rtwin::installedStyles(); }
    void setStyle(const rt::String& className) override { rtwin::setStyle(className); }
    rt::String currentStyle() const override { return rtwin::currentStyle(); }
};

}  // namespace

rt::Toolkit& startToolkit() {
    static Win32Toolkit toolkit;
    return toolkit;
}

}  // namespace rtwin
