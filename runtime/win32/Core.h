#pragma once

// Shared pieces of the Win32 implementation: string conversion, the native
// window behind each component, message reflection, mouse event relaying and
// the component base.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/Captions.h"
#include "runtime/Component.h"
#include "runtime/ListenerDelivery.h"
#include "runtime/MouseGesture.h"
#include "runtime/Text.h"

namespace rt {
class Window;
}

namespace rtwin {

using rt::ActionListeners;
using rt::deliver;

// wchar_t is 16 bits here: the framework's strings are UTF-16 already.
inline std::wstring toW(rt::StringView text) { return std::wstring(text.begin(), text.end()); }
inline rt::String fromW(const wchar_t* text, std::size_t length) { return rt::String(text, text + length); }
inline rt::String fromW(const std::wstring& text) { return fromW(text.data(), text.size()); }

// Texts in a code page (CP_ACP: the system's ANSI code page). Characters
// the code page lacks become its default character.
std::string toCodePage(const std::wstring& text, UINT codePage);
std::wstring fromCodePage(const std::string& bytes, UINT codePage);

// Captions of buttons and menus, escaped by the core's caption rule.
inline std::wstring toCaption(rt::StringView text) { return toW(rt::toCaptionText(text)); }
inline rt::String fromCaption(const std::wstring& caption) { return rt::fromCaptionText(fromW(caption)); }

std::wstring windowText(HWND hwnd);

inline rt::Rect toRect(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// The module of the runtime component (window classes are registered in it).
HINSTANCE moduleInstance();

// Registers the window classes of the runtime once.
void registerClasses();

// Window classes of the runtime: top-level windows and containers.
inline constexpr const wchar_t* TopClass = L"KovWindow";
inline constexpr const wchar_t* PaneClass = L"KovPane";

// A hidden window of the runtime with a class of its own, registered with
// it (parent HWND_MESSAGE for a message-only window).
HWND createHelperWindow(const wchar_t* windowClass, WNDPROC procedure, DWORD style, HWND parent);
// The hidden owner of dialogs that have no owner frame.
HWND hiddenOwner();

// A control id unique in the process (never IDOK or IDCANCEL).
UINT_PTR nextControlId();

// A container that lists its components: one added to another container
// leaves the list of the one that held it.
class Holder {
public:
    virtual void release(rt::Component& component) = 0;
    // Whether what it holds is in a window, shown or not yet: its chain of
    // containers ends in a window's content pane.
    virtual bool holdsInWindow() const = 0;

protected:
    ~Holder() = default;
};

// Every component of this toolkit names its native window and takes the
// notifications that its parent reflects back to it.
class Native {
public:
    virtual ~Native() = default;
    // Null until the component is first placed in a parent.
    virtual HWND hwnd() const = 0;
    // Makes the native window in parent, with every property given so far.
    virtual void realise(HWND parent) = 0;
    // Where its container's layout puts it: the window goes there, or is
    // made there.
    virtual void placeAt(const rt::Rect& bounds) = 0;
    // A notification about this control (WM_COMMAND, WM_DRAWITEM, WM_CTLCOLOR*),
    // whichever window received it; true when handled, with the result.
    virtual bool reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (void)message, (void)wParam, (void)lParam, (void)result;
        return false;
    }
    // The height its window is given beyond the bounds it is placed in: a
    // combo box's window height also holds its drop-down list.
    virtual int heightBeyondBounds() const { return 0; }
    // A scroll pane that scrolls its view itself: it takes the focus for
    // clicks on the view that no control there takes, and brings controls
    // that get the focus into sight.
    virtual bool scrollsByKeyboard() const { return false; }
    // A view that shows scroll bars of its own (list, text area): a scroll
    // pane lets it fill the pane instead of scrolling it.
    virtual bool scrollsItself() const { return false; }
    virtual void reveal(HWND descendant) { (void)descendant; }

    // The container that lists this component, or null.
    Holder* holder() const { return holder_; }
    void heldBy(Holder* holder) { holder_ = holder; }
    bool placedInWindow() const { return holder_ != nullptr && holder_->holdsInWindow(); }

private:
    Holder* holder_ = nullptr;
};

Native* nativeOf(HWND hwnd);
// Records the window object of a top-level window of the toolkit (found
// again by windowOfHandle); forgetWindow drops everything recorded about a
// window that goes.
void recordWindow(HWND hwnd, rt::Window* window);
void forgetWindow(HWND hwnd);
HWND hwndOf(const rt::Component& component);

// Scroll panes around hwnd that scroll by keyboard bring it into sight.
void revealInScrollPanes(HWND hwnd);
// A click on hwnd where no control takes the focus: the nearest scroll
// pane around it that scrolls by keyboard takes it.
void focusScrollPaneAround(HWND hwnd);

// Every window procedure of the runtime calls this first: notifications
// about a control go back to the control's object.
bool reflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Posted to a container whose layout is out of date.
inline constexpr UINT LayoutMessage = WM_APP + 0x10;

// The container a component sits in lays out again (deferred), and so do
// its ancestors, since preferred sizes travel upwards.
void invalidateLayoutAround(HWND hwnd);
// The container lays out again once the messages before it are handled.
void requestLayout(HWND container);

// Focus: each top-level window remembers its focus owner, which gets the
// focus back whenever the window is activated.
void rememberFocus(HWND control);
HWND focusOwnerOf(HWND window);
void focusComponent(HWND control);
// Focus asked for a component: one with its window takes it there. The
// runtime keeps one request for a component without its window yet, the
// last; any later request drops it, except one for a component with its
// window while the kept one is already in a window not shown yet (that
// window keeps it, as each window keeps its focus owner).
void requestFocusFor(Native& component);
// The component's window was just made: it takes the focus if the request
// kept is its own.
void takeKeptFocus(Native& component);
// A component that goes drops the request kept for it.
void dropFocusRequest(const Native& component);
// Gives the focus to the window's focus owner, else to its first control
// that takes the focus from the keyboard.
void restoreFocus(HWND window);

// Fonts.
HFONT defaultFont();
HFONT fontFor(const rt::Font& font);
rt::Font defaultFontRequest();
// The extent of a text drawn in the font; height of one line for "".
SIZE textExtent(HFONT font, const std::wstring& text);
// Average character width and line height of a font.
SIZE fontUnits(HFONT font);
// A list row in the font: a line high, with a pixel above and below.
int listRowHeight(HFONT font);

// Clock of mouse gestures: the message time of real input, or the driver's
// own clock while it sends a gesture, so that click counts never depend on
// how fast a test runs.
DWORD gestureTime();

// Turns mouse messages into listener calls, counting clicks by the core's
// gesture rule with the system's double-click and drag metrics (a press the
// system reports as a double click always continues the gesture); the first
// move into the component reports it entered.
class MouseRelay {
public:
    void add(std::unique_ptr<rt::MouseListener> listener) { mouse_.push_back(std::move(listener)); }
    void add(std::unique_ptr<rt::MouseMotionListener> listener) { motion_.push_back(std::move(listener)); }
    void relay(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, rt::EventSource& source);

private:
    void pressed(UINT message, rt::EventSource& source, POINT point);
    template <class Call>
    void toMouse(Call call);

    std::vector<std::unique_ptr<rt::MouseListener>> mouse_;
    std::vector<std::unique_ptr<rt::MouseMotionListener>> motion_;
    rt::MouseGesture gesture_;
    bool inside_ = false;
};

// The window procedure hook of every component: it sees each message of
// the component's window before (filter) and after the control's own code.
// It replaces the window's procedure and finds its object in the runtime's
// records: the common controls' subclassing reads a window property for
// every message, a round trip to the server under Wine.
class SubclassBase : public Native {
public:
    virtual ~SubclassBase() = default;

protected:
    void attach(HWND hwnd);
    // Components die with their window; an object that its creator owns
    // (an applet panel) only learns that the window is gone.
    virtual bool deletedWithWindow() const { return true; }
    bool windowAlive() const { return alive_; }
    // Destroys the window without deleting this object.
    void destroyWindowOnly(HWND hwnd);
    // Before the control: true to swallow the message with result.
    virtual bool before(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // After the control handled the message.
    virtual void after(UINT, WPARAM, LPARAM) {}

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    void detach(HWND hwnd);
    // The control's own window procedure, which this one calls.
    WNDPROC original_ = nullptr;
    bool alive_ = true;
};

// Creates a child control of the runtime in parent at bounds, below the
// children there (WS_VISIBLE in style shows it).
HWND createControl(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle, HWND parent,
                   const rt::Rect& bounds);

// What a component's native window is made of, kept until it is made.
struct ControlBlueprint {
    const wchar_t* windowClass;
    std::wstring text;
    DWORD style;
    DWORD exStyle = 0;
};

// Base of every component: the rt side of one native window. The window is
// made when the component is first placed in a parent, there, with every
// property given before (text, font, enabled, visibility, styles), so that
// it is never made elsewhere and moved. Until then the component keeps
// those properties and answers from them. It lives as long as its window
// (deleted when the window is destroyed); one never placed lives on.
template <class Iface>
class ComponentImpl : public Iface, public SubclassBase {
public:
    explicit ComponentImpl(ControlBlueprint blueprint) : blueprint_(std::move(blueprint)) {}
    ~ComponentImpl() override { dropFocusRequest(*this); }

    HWND hwnd() const override { return hwnd_; }

    void realise(HWND parent) override {
        const DWORD state = (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
        hwnd_ = createControl(blueprint_.windowClass, blueprint_.text, blueprint_.style | state, blueprint_.exStyle,
                              parent, placed_);
        blueprint_.text.clear();
        attach(hwnd_);
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont()), FALSE);
        takeKeptFocus(*this);
        created();
    }

    // The component's own visibility, which its window shows once made.
    void setVisible(bool visible) override {
        visible_ = visible;
        if (hwnd_ == nullptr) return;
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
        invalidateLayoutAround(hwnd_);
    }
    bool isVisible() const override { return visible_; }

    // A moved control paints itself anew: the bits the system would copy
    // from its old place may already show a neighbour that grew over it (a
    // list's rows on a button), and would count as painted. A window
    // already there is left alone.
    void placeAt(const rt::Rect& bounds) override {
        const rt::Rect target{bounds.x, bounds.y, std::max(bounds.width, 0),
                              std::max(bounds.height, 0) + this->heightBeyondBounds()};
        if (hwnd_ == nullptr) {
            placed_ = target;
            return;
        }
        if (windowBounds() == target) return;
        SetWindowPos(hwnd_, nullptr, target.x, target.y, target.width, target.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOCOPYBITS);
    }

    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        if (hwnd_ != nullptr) EnableWindow(hwnd_, enabled);
    }
    bool isEnabled() const override { return enabled_; }
    rt::Font font() const override { return font_ ? *font_ : defaultFontRequest(); }
    void setFont(const rt::Font& font) override {
        font_ = font;
        if (hwnd_ == nullptr) return;
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(font)), TRUE);
        fontChanged();
        invalidateLayoutAround(hwnd_);
    }
    rt::Size minimumSize() const override { return this->preferredSize(); }
    // Nowhere yet before the window is made.
    rt::Rect bounds() const override { return hwnd_ != nullptr ? windowBounds() : rt::Rect{}; }
    void addMouseListener(std::unique_ptr<rt::MouseListener> listener) override { relay_.add(std::move(listener)); }
    void addMouseMotionListener(std::unique_ptr<rt::MouseMotionListener> listener) override {
        relay_.add(std::move(listener));
    }
    void requestFocus() override { requestFocusFor(*this); }
    bool hasFocus() const override { return hwnd_ != nullptr && focusOwnerOf(GetAncestor(hwnd_, GA_ROOT)) == hwnd_; }

protected:
    HFONT hfont() const { return font_ ? fontFor(*font_) : defaultFont(); }
    bool fontGiven() const { return font_.has_value(); }
    virtual void fontChanged() {}
    // The window was just made: what the window class alone cannot be
    // given at creation is applied here.
    virtual void created() {}

    // The window's text, or the text it will be made with.
    std::wstring currentText() const { return hwnd_ != nullptr ? windowText(hwnd_) : blueprint_.text; }
    void setCurrentText(std::wstring text) {
        if (hwnd_ != nullptr) SetWindowTextW(hwnd_, text.c_str());
        else blueprint_.text = std::move(text);
    }
    // The window's style, or the style it will be made with.
    DWORD currentStyle() const {
        return hwnd_ != nullptr ? static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)) : blueprint_.style;
    }
    // Sets or clears style bits the window is made with.
    void setCreationStyle(DWORD bits, bool on) {
        blueprint_.style = on ? blueprint_.style | bits : blueprint_.style & ~bits;
    }

    void after(UINT message, WPARAM wParam, LPARAM lParam) override {
        relay_.relay(hwnd_, message, wParam, lParam, *this);
    }

private:
    // The window's rectangle in its parent's client area (no request to
    // the window system for a window of this thread).
    rt::Rect windowBounds() const {
        RECT r;
        GetWindowRect(hwnd_, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
        return toRect(r);
    }

    ControlBlueprint blueprint_;
    HWND hwnd_ = nullptr;
    // Where the window is made.
    rt::Rect placed_{};
    bool visible_ = true;
    bool enabled_ = true;
    std::optional<rt::Font> font_;
    MouseRelay relay_;
};

// A function of a system DLL that only some features need, loaded from the
// system directory on first use, so that a start loads no more than it
// uses. Null when it is not there.
FARPROC systemFunction(const wchar_t* library, const char* name);
template <class Fn>
Fn systemCall(const wchar_t* library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(systemFunction(library, name)));
}

// Puts a component's window into parent, below the children there: made
// there when the component has none yet; otherwise moved and shown in the
// same step unless the component is hidden (one window position change
// where re-parenting a shown window hides and shows it).
void placeInParent(rt::Component& component, HWND parent);

}  // namespace rtwin
