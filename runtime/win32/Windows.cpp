// Frames and dialogs. A window's close control only tells the window
// listeners (windowClosing); the listeners decide what happens. Showing a
// modal dialog disables the application's other windows and runs a nested
// message loop until the dialog is hidden.

#include <algorithm>
#include <utility>

#include "runtime/Placement.h"
#include "runtime/Widgets.h"
#include "runtime/WindowLifecycle.h"
#include "runtime/win32/Containers.h"
#include "runtime/win32/Factories.h"
#include "runtime/win32/Menus.h"
#include "runtime/win32/TestHooks.h"
#include "runtime/win32/WindowShells.h"
#include "splash/SplashProtocol.h"

namespace rtwin {

namespace {

std::vector<HWND> modalStack;
// Visible windows of ours in the order they were shown.
std::vector<HWND> shownOrder;

// What a window's native window reports to the window object.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void closeRequested() = 0;
    virtual void resized() = 0;
    virtual void activated(bool active) = 0;
    virtual void iconified(bool iconic) = 0;
    // Enter that no focused control took: true when a button took it.
    virtual bool enterPressed() = 0;
};

// The size of the decorations around the client area (without a menu bar)
// of a window with the styles.
SIZE decorations(DWORD style, DWORD exStyle) {
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE decorations(HWND hwnd) {
    return decorations(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)),
                       static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)));
}

LRESULT CALLBACK topProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (reflectToControl(message, wParam, lParam, result)) return result;
    if (message == WM_GETMINMAXINFO) {
        // Any size asked for is the size shown, even one smaller than the
        // system's smallest captioned window, from the window's creation on.
        const SIZE d = decorations(hwnd);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {d.cx, d.cy};
        return 0;
    }
    auto* events = reinterpret_cast<WindowEvents*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (events == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_CLOSE:
        events->closeRequested();
        return 0;
    case WM_SIZE:
        events->resized();
        if (wParam == SIZE_MINIMIZED || wParam == SIZE_RESTORED) events->iconified(wParam == SIZE_MINIMIZED);
        return 0;
    case WM_ACTIVATE:
        events->activated(LOWORD(wParam) != WA_INACTIVE);
        if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) != 0) break;
        restoreFocus(hwnd);
        return 0;
    case WM_COMMAND:
        // Escape in a dialog asks to close, like the close control.
        if (lParam == 0 && LOWORD(wParam) == IDCANCEL && GetWindow(hwnd, GW_OWNER) != nullptr) {
            events->closeRequested();
            return 0;
        }
        if (lParam == 0 && HIWORD(wParam) == 0 && menuCommand(LOWORD(wParam))) return 0;
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

struct OthersSearch {
    HWND modal;
    std::vector<HWND> others;
};

BOOL CALLBACK collectOther(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<OthersSearch*>(data);
    if (hwnd != search->modal && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) search->others.push_back(hwnd);
    return TRUE;
}

// Disables the application's other enabled top-level windows; returns them.
std::vector<HWND> disableOthers(HWND modal) {
    OthersSearch search{modal, {}};
    EnumThreadWindows(GetCurrentThreadId(), collectOther, reinterpret_cast<LPARAM>(&search));
    for (HWND hwnd : search.others) EnableWindow(hwnd, FALSE);
    return search.others;
}

// An owned window of ours loses its owner (and hides, as owned windows do
// when their owner goes).
BOOL CALLBACK releaseIfOwned(HWND hwnd, LPARAM owner) {
    if (GetWindow(hwnd, GW_OWNER) == reinterpret_cast<HWND>(owner) && windowOfHandle(hwnd) != nullptr) {
        ShowWindow(hwnd, SW_HIDE);
        SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hiddenOwner()));
    }
    return TRUE;
}

// The splash library, when the stub loaded one, closes its splash once the
// program's first window is on screen.
void closeSplashOnce() {
    static bool done = false;
    if (std::exchange(done, true)) return;
    HMODULE library = GetModuleHandleW(splash_protocol::WindowsLibraryName);
    if (library == nullptr) return;
    const auto close =
        reinterpret_cast<splash_protocol::CloseFn>(GetProcAddress(library, splash_protocol::CloseName));
    if (close != nullptr) close();
}

// A button pressed as a click on it would: its parent hears BN_CLICKED.
void clickButton(HWND button) {
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

struct ButtonSearch {
    const rt::Button* wanted;  // null for any
    HWND found = nullptr;
};

BOOL CALLBACK findButton(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ButtonSearch*>(data);
    const auto* button = dynamic_cast<rt::Button*>(nativeOf(child));
    if (button == nullptr || (search->wanted != nullptr && button != search->wanted)) return TRUE;
    search->found = child;
    return FALSE;
}

// The window of the button in the window (the first button for null), or
// null. Buttons are looked for by their object, which may have got its
// window after it was named the default.
HWND buttonIn(HWND window, const rt::Button* wanted) {
    ButtonSearch search{wanted};
    EnumChildWindows(window, findButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The size a window is made with until it is given one.
constexpr rt::Size DefaultOuterSize{300, 300};

// A window's native window is made when it is first shown or first needed
// (as an owner, for its place on the screen), with its final title, size,
// place and menu bar, and its content made inside at the content's final
// size: every setting before then is kept here and costs the window system
// nothing.
template <class Iface>
class WindowImpl : public Iface, public WindowEvents {
public:
    WindowImpl(DWORD style, DWORD exStyle, HWND owner)
        : style_(style | WS_CLIPCHILDREN), exStyle_(exStyle), owner_(owner), content_(makeContentPane(true)) {}
    ~WindowImpl() override {
        if (hwnd_ == nullptr) {
            delete content_;
            return;
        }
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        forgetWindow(hwnd_);
        releaseOwnedWindows();
        if (visible_) hidden();
        DestroyWindow(hwnd_);
    }

    // Made now if it was not yet: making it changes nothing its users see.
    HWND hwnd() const {
        if (hwnd_ == nullptr) const_cast<WindowImpl*>(this)->make();
        return hwnd_;
    }
    rt::Container& contentPane() override { return *content_; }
    rt::String title() const override { return title_; }
    void setTitle(const rt::String& title) override {
        title_ = title;
        if (hwnd_ != nullptr) SetWindowTextW(hwnd_, toW(title).c_str());
    }

    // Sizes count the menu bar but not the decorations.
    rt::Size size() const override {
        const rt::Rect outer = outerRect();
        const SIZE d = decorations(style_, exStyle_);
        return {outer.width - d.cx, outer.height - d.cy};
    }
    void setSize(int width, int height) override {
        const SIZE d = decorations(style_, exStyle_);
        outerSize_ = {width + d.cx, height + d.cy};
        if (hwnd_ != nullptr) {
            SetWindowPos(hwnd_, nullptr, 0, 0, outerSize_.width, outerSize_.height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    bool isVisible() const override { return visible_; }

    // Where the system puts a window never placed is known once it is made.
    rt::Point location() const override {
        if (!placed_) hwnd();
        const rt::Rect outer = outerRect();
        return {outer.x, outer.y};
    }
    void setLocation(rt::Point location) override {
        placed_ = true;
        location_ = location;
        if (hwnd_ != nullptr) {
            SetWindowPos(hwnd_, nullptr, location.x, location.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    // Placed over other by the core's rule, inside the work area of other's
    // screen.
    void setLocationRelativeTo(const rt::Window& other) override {
        RECT over;
        GetWindowRect(windowHandle(other), &over);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(windowHandle(other), MONITOR_DEFAULTTONEAREST), &monitor);
        const rt::Rect outer = outerRect();
        setLocation(rt::placeOver({outer.width, outer.height}, toRect(over), toRect(monitor.rcWork)));
    }

    void setDefaultButton(rt::Button* button) override { defaultButton_ = button; }

    bool enterPressed() override {
        HWND button = defaultButton_ != nullptr ? buttonIn(hwnd_, defaultButton_) : fallbackDefaultButton();
        if (button == nullptr || !IsWindowEnabled(button) || !IsWindowVisible(button)) return false;
        clickButton(button);
        return true;
    }

    void setVisible(bool visible) override {
        if (!visible) {
            if (visible_) hidden();
            if (!modalStack.empty() && modalStack.back() == hwnd_) enableOthers();
            if (hwnd_ != nullptr) ShowWindow(hwnd_, SW_HIDE);
            return;
        }
        if (visible_) {
            SetForegroundWindow(hwnd_);
            return;
        }
        lifecycle_.showing();
        visible_ = true;
        beforeFirstShow();
        hwnd();
        layoutNow(hwndOf(*content_));
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
        shownOrder.push_back(hwnd_);
        SetForegroundWindow(hwnd_);
        closeSplashOnce();
        lifecycle_.shown();
        // A listener may have disposed of it while it opened: then there
        // is no hiding left to end the wait.
        if (modal() && visible_) runModalLoop();
    }

    void dispose() override {
        lifecycle_.dispose([this] { setVisible(false); });
    }

    // Nothing to lay out before the window is made: it is laid out then.
    void validate() override {
        if (hwnd_ == nullptr) return;
        layoutNow(hwndOf(*content_));
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    void updateStyle() override;

    void addWindowListener(std::unique_ptr<rt::WindowListener> listener) override {
        lifecycle_.add(std::move(listener));
    }
    void addWindowListener(rt::WindowListener& listener) override { lifecycle_.add(listener); }

    void closeRequested() override { lifecycle_.fire(&rt::WindowListener::windowClosing); }
    void resized() override {
        RECT client;
        GetClientRect(hwnd_, &client);
        MoveWindow(hwndOf(*content_), 0, 0, client.right, client.bottom, TRUE);
    }
    void activated(bool active) override {
        lifecycle_.fire(active ? &rt::WindowListener::windowActivated : &rt::WindowListener::windowDeactivated);
    }
    void iconified(bool iconic) override {
        if (iconic == iconic_) return;
        iconic_ = iconic;
        lifecycle_.fire(iconic ? &rt::WindowListener::windowIconified : &rt::WindowListener::windowDeiconified);
    }

protected:
    virtual bool modal() const { return false; }
    // Before the window is shown, made or not.
    virtual void beforeFirstShow() {}
    // The menu the window is made with, and what it does once made.
    virtual HMENU menuAtCreation() const { return nullptr; }
    virtual void made() {}
    HWND madeHwnd() const { return hwnd_; }
    // The window's rectangle on the screen, or the one it will be made with.
    rt::Rect outerRect() const {
        if (hwnd_ == nullptr) return {location_.x, location_.y, outerSize_.width, outerSize_.height};
        RECT r;
        GetWindowRect(hwnd_, &r);
        return toRect(r);
    }
    // The window that owns this one: a window of ours gone since has left
    // it to the hidden owner.
    HWND ownerHandle() const {
        if (hwnd_ != nullptr) return GetWindow(hwnd_, GW_OWNER);
        return owner_ != nullptr && windowOfHandle(owner_) == nullptr && owner_ != hiddenOwner() ? hiddenOwner() : owner_;
    }
    // The button Enter presses when none was set.
    virtual HWND fallbackDefaultButton() const { return nullptr; }
    bool placed() const { return placed_; }

private:
    // The window as it was set, the content made inside at the client
    // area's size and laid out before its controls are made.
    void make() {
        registerClasses();
        const int x = placed_ ? location_.x : CW_USEDEFAULT, y = placed_ ? location_.y : CW_USEDEFAULT;
        hwnd_ = CreateWindowExW(exStyle_, TopClass, toW(title_).c_str(), style_, x, y, outerSize_.width,
                                outerSize_.height, ownerHandle(), menuAtCreation(), moduleInstance(), nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<WindowEvents*>(this)));
        recordWindow(hwnd_, this);
        RECT client;
        GetClientRect(hwnd_, &client);
        dynamic_cast<Native&>(*content_).placeAt({0, 0, client.right, client.bottom});
        placeInParent(*content_, hwnd_);
        made();
    }

    // The modal loop ends when the window is hidden.
    void hidden() {
        visible_ = false;
        std::erase(shownOrder, hwnd_);
        lifecycle_.hidden();
    }

    void runModalLoop() {
        bool running = true;
        lifecycle_.runModal([this, &running] { pumpModal(running); }, [&running] { running = false; });
        if (HWND owner = GetWindow(hwnd_, GW_OWNER); owner != nullptr && IsWindowVisible(owner)) SetForegroundWindow(owner);
    }

    // Dispatches messages, the application's other windows disabled, until
    // running turns false.
    void pumpModal(const bool& running) {
        disabled_ = disableOthers(hwnd_);
        modalStack.push_back(hwnd_);
        if (TestHooks* hooks = testHooks) hooks->modalShown(hwnd_);
        MSG message;
        while (running && GetMessageW(&message, nullptr, 0, 0) > 0) dispatchMessage(message);
        modalStack.erase(std::find(modalStack.begin(), modalStack.end(), hwnd_));
        enableOthers();
    }

    // Enables the windows the modal loop disabled. A modal window hidden
    // does so before it goes, so that the system activates its owner at
    // once: with the owner still disabled no window is activated, and the
    // owner's activation afterwards is a second change of the focus.
    void enableOthers() {
        for (HWND hwnd : std::exchange(disabled_, {})) EnableWindow(hwnd, TRUE);
    }

    // Windows owned by this one belong to their own window objects, which
    // may outlive it: they lose their owner instead of being destroyed.
    void releaseOwnedWindows() {
        EnumThreadWindows(GetCurrentThreadId(), releaseIfOwned, reinterpret_cast<LPARAM>(hwnd_));
    }

    HWND hwnd_ = nullptr;
    DWORD style_;
    DWORD exStyle_;
    HWND owner_;
    rt::String title_;
    rt::Size outerSize_ = DefaultOuterSize;
    rt::Point location_{};
    rt::Container* content_;
    rt::WindowLifecycle lifecycle_{*this};
    // The windows the modal loop disabled, while it runs.
    std::vector<HWND> disabled_;
    // Only compared with the buttons in the window, never dereferenced: it
    // may be gone with a window it was moved to.
    const rt::Button* defaultButton_ = nullptr;
    bool placed_ = false;
    bool visible_ = false;
    bool iconic_ = false;
};

// A window not made yet gets the style when made.
template <class Iface>
void WindowImpl<Iface>::updateStyle() {
    if (hwnd_ == nullptr) return;
    applyCurrentStyle(hwnd_);
    validate();
}

class FrameImpl final : public WindowImpl<rt::Frame> {
public:
    FrameImpl() : WindowImpl(WS_OVERLAPPEDWINDOW, WS_EX_CONTROLPARENT, nullptr) {}
    // The size stays what it was: the bar takes its height from the content,
    // as the system keeps the window's outer rectangle when a menu is set.
    void setMenuBar(rt::MenuBar& bar) override {
        bar_ = &bar;
        HMENU menu = installMenuBar(bar, madeHwnd());
        if (madeHwnd() != nullptr) SetMenu(madeHwnd(), menu);
    }
    rt::MenuBar* menuBar() const override { return bar_; }

protected:
    HMENU menuAtCreation() const override { return bar_ != nullptr ? installMenuBar(*bar_, nullptr) : nullptr; }
    void made() override {
        if (bar_ != nullptr) installMenuBar(*bar_, madeHwnd());
    }

private:
    rt::MenuBar* bar_ = nullptr;
};

// A dialog without an owner frame gets the toolkit's hidden owner.
class DialogImpl final : public WindowImpl<rt::Dialog> {
public:
    DialogImpl(rt::Frame* owner, bool modal)
        : WindowImpl(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                     owner != nullptr ? windowHandle(*owner) : hiddenOwner()),
          modal_(modal) {}
    bool isModal() const override { return modal_; }
    // Null once the owner is gone.
    rt::Frame* owner() const override { return dynamic_cast<rt::Frame*>(windowOfHandle(ownerHandle())); }

protected:
    bool modal() const override { return modal_; }
    // Without a default button, Enter presses the dialog's first one.
    HWND fallbackDefaultButton() const override { return buttonIn(hwnd(), nullptr); }
    // Opens centred over its owner (over the screen without one) unless it
    // was placed.
    void beforeFirstShow() override {
        if (placed()) return;
        RECT area;
        HWND owner = ownerHandle();
        if (owner == nullptr || owner == hiddenOwner() || !IsWindowVisible(owner)) {
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        } else {
            GetWindowRect(owner, &area);
        }
        const rt::Rect self = outerRect();
        const int width = self.width, height = self.height;
        setLocation({area.left + (area.right - area.left - width) / 2,
                     std::max<int>(area.top, area.top + (area.bottom - area.top - height) / 2)});
    }

private:
    bool modal_;
};

}  // namespace

void registerTopClass(WNDCLASSEXW base) {
    base.lpfnWndProc = topProcedure;
    base.lpszClassName = TopClass;
    base.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    RegisterClassExW(&base);
}

HWND windowHandle(const rt::Window& window) {
    if (auto* frame = dynamic_cast<const FrameImpl*>(&window)) return frame->hwnd();
    if (auto* dialog = dynamic_cast<const DialogImpl*>(&window)) return dialog->hwnd();
    return nullptr;
}

HWND currentModal() { return modalStack.empty() ? nullptr : modalStack.back(); }

HWND lastShownWindow() { return shownOrder.empty() ? nullptr : shownOrder.back(); }

namespace {

// A read-only text area, where the space bar has nothing to do.
bool readOnlyTextArea(HWND hwnd) {
    auto* area = dynamic_cast<rt::TextArea*>(nativeOf(hwnd));
    return area != nullptr && !area->isEditable();
}

// Enter on a focused push button presses it; elsewhere (but in a text area
// that takes line breaks) it presses the window's default button, and so
// does the space bar in a read-only text area.
bool enterTaken(const MSG& message, HWND top) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.wParam != VK_RETURN && (message.wParam != VK_SPACE || !readOnlyTextArea(message.hwnd))) return false;
    if (dynamic_cast<rt::Button*>(nativeOf(message.hwnd)) != nullptr) {
        clickButton(message.hwnd);
        return true;
    }
    if ((SendMessageW(message.hwnd, WM_GETDLGCODE, VK_RETURN, 0) & DLGC_WANTALLKEYS) != 0 &&
        (GetWindowLongW(message.hwnd, GWL_STYLE) & ES_WANTRETURN) != 0) {
        return false;
    }
    auto* events = reinterpret_cast<WindowEvents*>(GetWindowLongPtrW(top, GWLP_USERDATA));
    return events != nullptr && events->enterPressed();
}

}  // namespace

void dispatchMessage(MSG& message) {
    HWND top = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    const bool ours = top != nullptr && windowOfHandle(top) != nullptr;
    if (ours && enterTaken(message, top)) return;
    if (ours && IsDialogMessageW(top, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

std::unique_ptr<rt::Frame> makeFrame() { return std::make_unique<FrameImpl>(); }
std::unique_ptr<rt::Dialog> makeDialog(rt::Frame* owner, bool modal) {
    return std::make_unique<DialogImpl>(owner, modal);
}

}  // namespace rtwin
