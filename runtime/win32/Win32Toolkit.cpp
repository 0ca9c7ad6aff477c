// The toolkit object: creation of windows and components, file choosers,
// visual styles and the process services (random, console, exit).

#include <chrono>
#include <cstdio>
#include <iostream>
#include <random>

#include "runtime/AppletHost.h"
#include "runtime/Toolkit.h"
#include "runtime/win32/Core.h"
#include "runtime/win32/Factories.h"
#include "runtime/win32/Styles.h"
#include "runtime/win32/TestHooks.h"
#include "runtime/win32/TextFiles.h"
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

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode);
}

class Win32Toolkit final : public rt::Toolkit {
public:
    Win32Toolkit()
        : random_(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {
        registerClasses();
    }

    std::unique_ptr<rt::Frame> createFrame() override { return makeFrame(); }
    std::unique_ptr<rt::Dialog> createDialog(rt::Frame* owner, bool modal) override { return makeDialog(owner, modal); }
    std::unique_ptr<rt::AppletPanel> createAppletPanel() override { return makeAppletPanel(); }

    rt::Label* createLabel(const rt::String& text) override { return makeLabel(text); }
    rt::Button* createButton(const rt::String& text) override { return makeButton(text); }
    rt::TextField* createTextField(const rt::String& text) override { return makeTextField(text); }
    rt::TextArea* createTextArea(const rt::String& text) override { return makeTextArea(text); }
    rt::CheckBox* createCheckBox(const rt::String& text) override { return makeCheckBox(text); }
    rt::RadioButton* createRadioButton(const rt::String& text) override { return makeRadioButton(text); }
    rt::ComboBox* createComboBox() override { return makeComboBox(); }
    rt::Panel* createPanel() override { return makePanel(); }
    rt::ScrollPane* createScrollPane(rt::Component& view) override { return makeScrollPane(view); }
    rt::ListBox* createListBox() override { return makeListBox(); }
    rt::MenuBar* createMenuBar() override { return makeMenuBar(); }
    rt::Menu* createMenu(const std::optional<rt::String>& title) override { return makeMenu(title); }
    rt::MenuItem* createMenuItem(const rt::String& text) override { return makeMenuItem(text); }

    std::optional<rt::String> chooseFile(rt::Window& owner, rt::FileChooserMode mode) override {
        return chooseFile(owner, mode, rt::String(), {});
    }

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

    rt::String programDirectory() const override {
        std::wstring path(PathBufferSize, L'\0');
        path.resize(GetModuleFileNameW(nullptr, path.data(), PathBufferSize));
        return fromW(path.substr(0, path.find_last_of(L"\\/")));
    }

    std::vector<rt::StyleInfo> installedStyles() const override { return rtwin::installedStyles(); }
    void setStyle(const rt::String& className) override { rtwin::setStyle(className); }
    rt::String currentStyle() const override { return rtwin::currentStyle(); }

    std::unique_ptr<rt::TextReader> openTextReader(const rt::String& path) override { return rtwin::openTextReader(path); }
    std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String& path) override { return rtwin::openTextWriter(path); }

    // 53 random bits scaled to [0, 1): never 1.0, unlike a rounded division.
    double nextRandom() override { return static_cast<double>(random_() >> 11) * 0x1.0p-53; }

    // A console gets the text as it is; a file or pipe gets it in the ANSI
    // code page.
    void writeStdout(const rt::String& text) override {
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        const std::wstring wide = toW(text);
        std::fflush(stdout);
        if (isConsole(out)) {
            DWORD written = 0;
            WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
            return;
        }
        const std::string bytes = toCodePage(wide, CP_ACP);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
    }

    std::optional<rt::String> readStdinLine() override {
        HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
        if (isConsole(in)) return readConsoleLine(in);
        std::string line;
        if (!std::getline(std::cin, line)) {
            std::cin.clear();
            return std::nullopt;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return fromW(fromCodePage(line, CP_ACP));
    }

    [[noreturn]] void exitProcess(int status) override {
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        ExitProcess(static_cast<UINT>(status));
    }

    rt::Frame* hostApplet(const rt::AppletClass* table, const rt::String& name, int width, int height) override {
        return rt::hostApplet(*this, table, name, width, height);
    }

private:
    static std::optional<rt::String> readConsoleLine(HANDLE in) {
        std::wstring line;
        wchar_t c = 0;
        DWORD read = 0;
        while (ReadConsoleW(in, &c, 1, &read, nullptr) && read == 1) {
            if (c == L'\n') return fromW(line);
            if (c != L'\r') line.push_back(c);
        }
        if (line.empty()) return std::nullopt;
        return fromW(line);
    }

    std::mt19937_64 random_;
};

}  // namespace

rt::Toolkit& startToolkit() {
    static Win32Toolkit toolkit;
    return toolkit;
}

void* nativeWindowOf(const rt::Component& component) { return hwndOf(component); }
void* nativeWindowOf(const rt::Window& window) { return windowHandle(window); }

}  // namespace rtwin
