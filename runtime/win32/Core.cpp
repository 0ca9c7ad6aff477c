// Window classes, message reflection, the mouse relay and the component base.

#include "runtime/win32/Core.h"

#include <commctrl.h>

#include <cstdlib>
#include <unordered_map>

#include "runtime/win32/Containers.h"
#include "runtime/win32/TestHooks.h"
#include "runtime/win32/WindowShells.h"

namespace rtwin {

namespace {

// What the runtime knows of its windows, kept in the process rather than
// in window properties: reading a property is a request to the window
// system (under Wine a round trip to its server), and these are read for
// nearly every message. Windows live on the one thread of the toolkit.
struct WindowRecord {
    Native* native = nullptr;
    rt::Window* window = nullptr;
    HWND focusOwner = nullptr;
    bool layoutPending = false;
};

std::unordered_map<HWND, WindowRecord> records;

// The component whose focus request waits for its window to be made.
const Native* keptFocus = nullptr;

const WindowRecord* recordOf(HWND hwnd) {
    auto found = records.find(hwnd);
    return found != records.end() ? &found->second : nullptr;
}

constexpr const wchar_t* OwnerClass = L"KovOwner";

}  // namespace

std::string toCodePage(const std::wstring& text, UINT codePage) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::wstring fromCodePage(const std::string& bytes, UINT codePage) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), length);
    return text;
}

std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

HINSTANCE moduleInstance() {
    static HINSTANCE instance = [] {
        HMODULE module = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&moduleInstance), &module);
        return module;
    }();
    return instance;
}

void registerClasses() {
    static bool done = false;
    if (std::exchange(done, true)) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = moduleInstance();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    registerContainerClass(wc);
    registerTopClass(wc);
}

HWND createHelperWindow(const wchar_t* windowClass, WNDPROC procedure, DWORD style, HWND parent) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = moduleInstance();
    wc.lpfnWndProc = procedure;
    wc.lpszClassName = windowClass;
    RegisterClassExW(&wc);
    return CreateWindowExW(0, windowClass, L"", style, 0, 0, 0, 0, parent, nullptr, moduleInstance(), nullptr);
}

// Most runs never need it.
HWND hiddenOwner() {
    static HWND hwnd = createHelperWindow(OwnerClass, DefWindowProcW, WS_POPUP, nullptr);
    return hwnd;
}

UINT_PTR nextControlId() {
    static UINT_PTR id = 100;
    return ++id;
}

Native* nativeOf(HWND hwnd) {
    const WindowRecord* record = recordOf(hwnd);
    return record != nullptr ? record->native : nullptr;
}

void recordWindow(HWND hwnd, rt::Window* window) { records[hwnd].window = window; }

rt::Window* windowOfHandle(HWND hwnd) {
    const WindowRecord* record = recordOf(hwnd);
    return record != nullptr ? record->window : nullptr;
}

void forgetWindow(HWND hwnd) { records.erase(hwnd); }

HWND hwndOf(const rt::Component& component) {
    auto* native = dynamic_cast<const Native*>(&component);
    return native != nullptr ? native->hwnd() : nullptr;
}

bool reflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND control = nullptr;
    switch (message) {
    case WM_COMMAND:
        control = reinterpret_cast<HWND>(lParam);
        break;
    case WM_DRAWITEM:
        control = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_NOTIFY:
        control = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        control = reinterpret_cast<HWND>(lParam);
        break;
    case WM_MEASUREITEM:
        // Sent while a list's window is made, before its object knows the
        // window: the default font's height, which a list given a font of
        // its own replaces once made.
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(listRowHeight(defaultFont()));
        result = TRUE;
        return true;
    default:
        return false;
    }
    Native* native = nativeOf(control);
    return native != nullptr && native->reflected(message, wParam, lParam, result);
}

void invalidateLayoutAround(HWND hwnd) {
    for (HWND at = hwnd; at != nullptr; at = GetParent(at)) {
        if (isContainerWindow(at)) requestLayout(at);
    }
}

void requestLayout(HWND container) {
    if (std::exchange(records[container].layoutPending, true)) return;
    PostMessageW(container, LayoutMessage, 0, 0);
}

bool takeLayoutRequest(HWND container) {
    auto found = records.find(container);
    return found != records.end() && std::exchange(found->second.layoutPending, false);
}

namespace {

// The nearest scroll pane around hwnd that scrolls by keyboard, or null.
HWND scrollPaneAround(HWND hwnd) {
    for (HWND at = GetParent(hwnd); at != nullptr; at = GetParent(at)) {
        if (Native* native = nativeOf(at); native != nullptr && native->scrollsByKeyboard()) return at;
    }
    return nullptr;
}

}  // namespace

void revealInScrollPanes(HWND hwnd) {
    for (HWND pane = scrollPaneAround(hwnd); pane != nullptr; pane = scrollPaneAround(pane)) {
        nativeOf(pane)->reveal(hwnd);
    }
}

void focusScrollPaneAround(HWND hwnd) {
    if (HWND pane = scrollPaneAround(hwnd)) focusComponent(pane);
}

void rememberFocus(HWND control) {
    if (HWND root = GetAncestor(control, GA_ROOT); root != nullptr && root != control) {
        records[root].focusOwner = control;
    }
}

HWND focusOwnerOf(HWND window) {
    const WindowRecord* record = recordOf(window);
    return record != nullptr ? record->focusOwner : nullptr;
}

void focusComponent(HWND control) {
    rememberFocus(control);
    if (GetAncestor(control, GA_ROOT) == GetActiveWindow()) SetFocus(control);
}

void requestFocusFor(Native& component) {
    if (HWND control = component.hwnd()) {
        if (keptFocus != nullptr && !keptFocus->placedInWindow()) keptFocus = nullptr;
        focusComponent(control);
        return;
    }
    keptFocus = &component;
}

void takeKeptFocus(Native& component) {
    if (keptFocus != &component) return;
    keptFocus = nullptr;
    focusComponent(component.hwnd());
}

void dropFocusRequest(const Native& component) {
    if (keptFocus == &component) keptFocus = nullptr;
}

void restoreFocus(HWND window) {
    HWND owner = focusOwnerOf(window);
    if (owner == nullptr || !IsWindow(owner) || !IsChild(window, owner) || !IsWindowEnabled(owner)) {
        owner = GetNextDlgTabItem(window, nullptr, FALSE);
    }
    if (owner != nullptr) SetFocus(owner);
}

DWORD gestureTime() {
    if (const TestHooks* hooks = testHooks) {
        if (const auto time = hooks->gestureTime()) return *time;
    }
    return static_cast<DWORD>(GetMessageTime());
}

FARPROC systemFunction(const wchar_t* library, const char* name) {
    wchar_t directory[MAX_PATH];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(directory, length) + L"\\" + library;
    HMODULE module = GetModuleHandleW(path.c_str());
    if (module == nullptr) module = LoadLibraryW(path.c_str());
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

HWND createControl(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle, HWND parent,
                   const rt::Rect& bounds) {
    registerClasses();
    HWND hwnd = CreateWindowExW(exStyle, windowClass, text.c_str(), style | WS_CHILD, bounds.x, bounds.y, bounds.width,
                                bounds.height, parent,
                                reinterpret_cast<HMENU>(nextControlId()), moduleInstance(), nullptr);
    styleNewControl(hwnd);
    return hwnd;
}

void placeInParent(rt::Component& component, HWND parent) {
    auto& native = dynamic_cast<Native&>(component);
    HWND child = native.hwnd();
    if (child == nullptr) {
        native.realise(parent);
        return;
    }
    SetParent(child, parent);
    SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (component.isVisible() ? SWP_SHOWWINDOW : 0));
}

void SubclassBase::attach(HWND hwnd) {
    records[hwnd].native = this;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassBase::procedure)));
}

void SubclassBase::detach(HWND hwnd) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    forgetWindow(hwnd);
}

void SubclassBase::destroyWindowOnly(HWND hwnd) {
    if (!std::exchange(alive_, false)) return;
    detach(hwnd);
    DestroyWindow(hwnd);
}

LRESULT CALLBACK SubclassBase::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only attach makes this the procedure, and it records the object first.
    auto* self = static_cast<SubclassBase*>(nativeOf(hwnd));
    const WNDPROC original = self->original_;
    if (message == WM_NCDESTROY) {
        self->detach(hwnd);
        const LRESULT result = CallWindowProcW(original, hwnd, message, wParam, lParam);
        self->alive_ = false;
        if (self->deletedWithWindow()) delete self;
        return result;
    }
    LRESULT result = 0;
    if (message == WM_SETFOCUS) {
        rememberFocus(hwnd);
        revealInScrollPanes(hwnd);
    }
    if (self->before(message, wParam, lParam, result)) return result;
    result = CallWindowProcW(original, hwnd, message, wParam, lParam);
    self->after(message, wParam, lParam);
    return result;
}

template <class Call>
void MouseRelay::toMouse(Call call) {
    for (auto& listener : mouse_) deliver([&] { call(*listener); });
}

namespace {

rt::GestureLimits gestureLimits() {
    return {GetDoubleClickTime(),
            {GetSystemMetrics(SM_CXDOUBLECLK) / 2, GetSystemMetrics(SM_CYDOUBLECLK) / 2},
            {GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG)}};
}

}  // namespace

void MouseRelay::pressed(UINT message, rt::EventSource& source, POINT point) {
    const int count = gesture_.press({point.x, point.y}, gestureTime(), gestureLimits(), message == WM_LBUTTONDBLCLK);
    toMouse([&](rt::MouseListener& l) { l.mousePressed({source, {point.x, point.y}, count}); });
}

void MouseRelay::relay(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, rt::EventSource& source) {
    if (mouse_.empty() && motion_.empty()) return;
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const rt::MouseEvent e{source, {point.x, point.y}, gesture_.count()};
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed(message, source, point);
        break;
    case WM_LBUTTONUP: {
        toMouse([&](rt::MouseListener& l) { l.mouseReleased(e); });
        RECT client;
        GetClientRect(hwnd, &client);
        if (gesture_.clicks({point.x, point.y}, PtInRect(&client, point) != FALSE, gestureLimits()))
            toMouse([&](rt::MouseListener& l) { l.mouseClicked(e); });
        break;
    }
    case WM_MOUSEMOVE:
        if (!std::exchange(inside_, true)) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
            toMouse([&](rt::MouseListener& l) { l.mouseEntered(e); });
            break;
        }
        for (auto& l : motion_) deliver([&] { (wParam & MK_LBUTTON) != 0 ? l->mouseDragged(e) : l->mouseMoved(e); });
        break;
    case WM_MOUSELEAVE:
        if (std::exchange(inside_, false)) toMouse([&](rt::MouseListener& l) { l.mouseExited(e); });
        break;
    default:
        break;
    }
}

}  // namespace rtwin
