// The test driver: mouse and key messages sent to the controls as the
// system sends real input, and modal windows answered from inside their
// nested message loop as soon as it runs.

#include <map>
#include <vector>

#include "runtime/TestDriverBase.h"
#include "runtime/win32/Core.h"
#include "runtime/win32/Driver.h"
#include "runtime/win32/Menus.h"
#include "runtime/win32/TestHooks.h"
#include "runtime/win32/WindowShells.h"

#include <dlgs.h>

namespace rtwin {

namespace {

constexpr UINT AnswerMessage = WM_APP + 0x20;
constexpr const wchar_t* DriverClass = L"KovDriver";

LPARAM at(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

// Real input reaches a control only when it and its window are enabled.
bool acceptsInput(HWND hwnd) {
    for (HWND h = hwnd; h != nullptr; h = GetAncestor(h, GA_PARENT)) {
        if (!IsWindowEnabled(h)) return false;
        if ((GetWindowLongW(h, GWL_STYLE) & WS_CHILD) == 0) break;
    }
    return true;
}

// A key as the keyboard sends it: posted to the window with the focus and
// delivered through the message loop, where the dialog keys (Tab, Enter,
// Escape) take effect.
void postKey(HWND target, UINT key, wchar_t character) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    if (character != 0) PostMessageW(target, WM_CHAR, character, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

void sendKey(HWND target, UINT key) {
    SendMessageW(target, WM_KEYDOWN, key, 1);
    SendMessageW(target, WM_KEYUP, key, 0xC0000001);
}

void typeInto(HWND edit, const rt::String& text) {
    if (!acceptsInput(edit)) return;
    SendMessageW(edit, EM_SETSEL, 0, -1);
    if (text.empty()) sendKey(edit, VK_DELETE);
    for (char16_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

template <class Kind>
BOOL CALLBACK collectComponent(HWND child, LPARAM data) {
    if (auto* kind = dynamic_cast<Kind*>(nativeOf(child)))
        reinterpret_cast<std::vector<std::pair<HWND, Kind*>>*>(data)->emplace_back(child, kind);
    return TRUE;
}

// The components of a window, in the order they were added (depth first).
template <class Kind>
std::vector<std::pair<HWND, Kind*>> componentsOf(HWND window) {
    std::vector<std::pair<HWND, Kind*>> found;
    EnumChildWindows(window, collectComponent<Kind>, reinterpret_cast<LPARAM>(&found));
    return found;
}

BOOL CALLBACK countOurs(HWND window, LPARAM count) {
    if (windowOfHandle(window) != nullptr) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

void closeWithCloseControl(HWND window) { SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

// The texts of a chooser's file-type list.
std::vector<rt::String> typeTexts(HWND types) {
    std::vector<rt::String> texts;
    const auto count = SendMessageW(types, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(types, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(fromW(text.c_str(), wcslen(text.c_str())));
    }
    return texts;
}

class Driver;

class OpenModal final : public rt::ModalWindow {
public:
    OpenModal(Driver& driver, HWND window) : driver_(driver), window_(window) {}
    rt::String title() const override { return fromW(windowText(window_)); }
    rt::Size size() const override {
        if (rt::Window* w = window()) return w->size();
        RECT r;
        GetWindowRect(window_, &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    rt::String text() const override {
        const auto areas = componentsOf<rt::TextArea>(window_);
        return areas.empty() ? rt::String() : areas.front().second->text();
    }
    rt::Window* window() const override { return windowOfHandle(window_); }
    void setFieldText(int index, const rt::String& text) override {
        const auto fields = componentsOf<rt::TextField>(window_);
        if (index < 0 || index >= static_cast<int>(fields.size())) {
            rt::TestDriverBase::reportNoField(index);
            return;
        }
        typeInto(fields[static_cast<std::size_t>(index)].first, text);
    }
    void pressButton(const rt::String& caption) override;
    void closeBox() override { closeWithCloseControl(window_); }
    void clickText() override;

private:
    Driver& driver_;
    HWND window_;
};

class Driver final : public rt::TestDriverBase, private TestHooks {
public:
    Driver() {
        window_ = createHelperWindow(DriverClass, procedure, 0, HWND_MESSAGE);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        testHooks = this;
    }
    ~Driver() override {
        testHooks = nullptr;
        DestroyWindow(window_);
    }

    // clicks presses and releases at one point; the second press is a
    // double click, as the system reports it.
    void click(HWND target, POINT point, int clicks = 1) {
        if (!acceptsInput(target)) return;
        DWORD time = clock_.nextGesture();
        for (int i = 0; i < clicks; ++i) {
            if (i > 0) time = clock_.withinGesture();
            gestureTime_ = time;
            SendMessageW(target, i == 1 ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at(point));
            SendMessageW(target, WM_LBUTTONUP, 0, at(point));
        }
        gestureTime_.reset();
    }

    void clickAt(rt::Component& component, rt::Point point, int clicks) override {
        click(hwndOf(component), {point.x, point.y}, clicks);
    }

    void movePointer(rt::Component& component, const std::vector<rt::Point>& path, bool drag) override {
        if (path.empty()) return;
        HWND target = hwndOf(component);
        if (!acceptsInput(target)) return;
        const POINT first{path.front().x, path.front().y};
        gestureTime_ = clock_.nextGesture();
        SendMessageW(target, WM_MOUSEMOVE, 0, at(first));
        if (drag) SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at(first));
        for (std::size_t i = 1; i < path.size(); ++i)
            SendMessageW(target, WM_MOUSEMOVE, drag ? MK_LBUTTON : 0, at({path[i].x, path[i].y}));
        if (drag) SendMessageW(target, WM_LBUTTONUP, 0, at({path.back().x, path.back().y}));
        SendMessageW(target, WM_MOUSELEAVE, 0, 0);
        gestureTime_.reset();
    }

    void pressButton(rt::Button& button) override {
        HWND hwnd = hwndOf(button);
        RECT r;
        GetClientRect(hwnd, &r);
        click(hwnd, {r.right / 2, r.bottom / 2});
    }

    void chooseMenuItem(rt::MenuItem& item) override { rtwin::chooseMenuItem(item); }

    void clickListRow(rt::ListBox& list, int row, int clicks) override {
        HWND hwnd = hwndOf(list);
        RECT client;
        GetClientRect(hwnd, &client);
        // A user scrolls the row into sight before clicking it.
        if (row >= 0) {
            const rt::Rect bounds = list.rowBounds(row);
            if (bounds.y < 0 || bounds.y + bounds.height > client.bottom) SendMessageW(hwnd, LB_SETTOPINDEX, row, 0);
        }
        const rt::Rect bounds = row >= 0 ? list.rowBounds(row) : rt::Rect{0, client.bottom - 2, client.right, 0};
        click(hwnd, {bounds.x + bounds.width / 2, bounds.y + bounds.height / 2}, clicks);
    }

    void pressKey(rt::Component& component, Key key) override {
        HWND hwnd = hwndOf(component);
        if (acceptsInput(hwnd)) pressKeyOn(hwnd, key);
    }

    void pressKey(Key key) override {
        if (HWND target = focusTarget()) pressKeyOn(target, key);
    }

    void typeKeys(const rt::String& text) override {
        for (char16_t c : text) {
            if (HWND target = focusTarget()) {
                PostMessageW(target, WM_CHAR, c, 1);
                processEvents();
            }
        }
    }

    void typeText(rt::TextComponent& field, const rt::String& text) override { typeInto(hwndOf(field), text); }

    void closeWindow(rt::Window& window) override {
        HWND hwnd = windowHandle(window);
        if (IsWindowEnabled(hwnd)) closeWithCloseControl(hwnd);
    }

    void processEvents() override {
        MSG message;
        for (int i = 0; i < 3; ++i) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) dispatchMessage(message);
        }
    }

    // Read from the window's device context, where the screen shows it.
    rt::Color pixelAt(rt::Component& component, rt::Point point) override {
        HWND hwnd = hwndOf(component);
        UpdateWindow(GetAncestor(hwnd, GA_ROOT));
        HDC dc = GetDC(hwnd);
        const COLORREF c = GetPixel(dc, point.x, point.y);
        ReleaseDC(hwnd, dc);
        return {GetRValue(c), GetGValue(c), GetBValue(c)};
    }
    int windowCount() const override {
        int count = 0;
        EnumThreadWindows(GetCurrentThreadId(), countOurs, reinterpret_cast<LPARAM>(&count));
        return count;
    }

private:
    void pressKeyOn(HWND target, Key key) {
        struct Code {
            UINT key;
            wchar_t character;
        };
        static const std::map<Key, Code> codes = {
            {Key::Up, {VK_UP, 0}},         {Key::Down, {VK_DOWN, 0}},   {Key::Home, {VK_HOME, 0}},
            {Key::End, {VK_END, 0}},       {Key::PageUp, {VK_PRIOR, 0}},   {Key::PageDown, {VK_NEXT, 0}},
            {Key::Space, {VK_SPACE, L' '}}, {Key::Enter, {VK_RETURN, 0}},
            {Key::Tab, {VK_TAB, 0}},       {Key::Escape, {VK_ESCAPE, 0}}};
        const Code& code = codes.at(key);
        postKey(target, code.key, code.character);
        processEvents();
    }

    // What the keyboard reaches: the focus of the open modal window, else of
    // the window shown last, activated as a window manager would.
    static HWND focusTarget() {
        HWND window = currentModal() != nullptr ? currentModal() : lastShownWindow();
        if (window != nullptr && GetActiveWindow() != window) SetActiveWindow(window);
        HWND focus = GetFocus();
        if (window == nullptr || focus == nullptr || GetAncestor(focus, GA_ROOT) != window) {
            reportNoFocus();
            return nullptr;
        }
        return focus;
    }

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Driver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == AnswerMessage && self != nullptr) {
            self->answer(reinterpret_cast<HWND>(lParam));
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }

    // Runs inside the window's nested loop; the handler may arm the next one.
    void answer(HWND window) {
        if (!IsWindow(window) || !IsWindowVisible(window) || currentModal() != window) return;
        OpenModal modal(*this, window);
        answerModal(modal);
    }

    // The toolkit's questions, answered while this driver runs.
    void modalShown(HWND modal) override { PostMessageW(window_, AnswerMessage, 0, reinterpret_cast<LPARAM>(modal)); }

    std::optional<std::optional<rt::String>> takeFileChooserAnswer(OPENFILENAMEW& chooser) override {
        auto answer = takeFileAnswer();
        if (answer) {
            chooser.Flags |= OFN_ENABLEHOOK;
            chooser.lpfnHook = closeAnsweredChooser;
        }
        return answer;
    }

    std::optional<DWORD> gestureTime() const override { return gestureTime_; }

    // A chooser answered by the driver notes what it shows and closes as
    // soon as it is up.
    static UINT_PTR CALLBACK closeAnsweredChooser(HWND hook, UINT message, WPARAM, LPARAM lParam) {
        if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
            HWND chooser = GetParent(hook);
            wchar_t folder[MAX_PATH] = {};
            SendMessageW(chooser, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
            std::vector<rt::String> types = typeTexts(GetDlgItem(chooser, cmb1));
            const auto selected = SendMessageW(GetDlgItem(chooser, cmb1), CB_GETCURSEL, 0, 0);
            const rt::String selectedType =
                selected >= 0 && static_cast<std::size_t>(selected) < types.size() ? types[selected] : u"";
            static_cast<Driver*>(testHooks)->noteFileChooser(fromW(folder, wcsnlen(folder, MAX_PATH)), std::move(types),
                                                             selectedType);
            PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
        }
        return 0;
    }

    HWND window_ = nullptr;
    rt::MouseClock<DWORD> clock_;
    std::optional<DWORD> gestureTime_;
};

void OpenModal::pressButton(const rt::String& caption) {
    for (const auto& [hwnd, button] : componentsOf<rt::Button>(window_)) {
        if (button->text() == caption && IsWindowVisible(hwnd)) {
            RECT r;
            GetClientRect(hwnd, &r);
            driver_.click(hwnd, {r.right / 2, r.bottom / 2});
            return;
        }
    }
    // Without the button the window would block the test for good: close it.
    rt::TestDriverBase::reportNoButton(caption);
    closeWithCloseControl(window_);
}

void OpenModal::clickText() {
    const auto areas = componentsOf<rt::TextArea>(window_);
    if (areas.empty()) {
        rt::TestDriverBase::reportNoTextArea();
        return;
    }
    driver_.click(areas.front().first, {4, 4});
}

}  // namespace

void* nativeWindowOf(const rt::Component& component) { return hwndOf(component); }
void* nativeWindowOf(const rt::Window& window) { return windowHandle(window); }

rt::TestDriver& testDriver() {
    static Driver driver;
    return driver;
}

}  // namespace rtwin
