#pragma once

#include <memory>

#include "runtime/Component.h"
#include "runtime/Events.h"
#include "runtime/Text.h"

namespace rt {

class Button;
class MenuBar;

// A top-level window. Its content pane uses the border arrangement until the
// owner installs another. Sizes include the window's menu bar (if any) but not
// the decorations drawn by the window manager.
class Window : public EventSource {
public:
    ~Window() override;

    virtual Container& contentPane() = 0;
    virtual String title() const = 0;
    virtual void setTitle(const String& title) = 0;
    virtual Size size() const = 0;
    virtual void setSize(int width, int height) = 0;
    // Screen position of the window's outer top-left corner (decorations
    // included when the window system draws any).
    virtual Point location() const = 0;
    virtual void setLocation(Point location) = 0;
    // Places the window centred over other (kept on other's screen).
    virtual void setLocationRelativeTo(const Window& other) = 0;
    // Shows or hides the window. Showing a modal dialog blocks until the
    // dialog is disposed, while events keep being delivered to it. A window
    // shown again after hiding comes back where it was. A dialog with an
    // owner that was never placed opens centred over its owner.
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
    // Hides the window and releases its window resources; a modal show in
    // progress returns. The object stays usable afterwards (it can be read,
    // and shown again).
    virtual void dispose() = 0;
    // Lays the content out again and repaints.
    virtual void validate() = 0;
    // Every component of the window re-styles itself for the current visual
    // style, then the window is laid out again and repainted.
    virtual void updateStyle() = 0;

    virtual void addWindowListener(std::unique_ptr<WindowListener> listener) = 0;
    // Non-owning: the listener must outlive the window.
    virtual void addWindowListener(WindowListener& listener) = 0;

    // Enter typed in the window while the focus is not on a push button
    // presses button (a button of this window) if it is enabled; null for
    // none. Without one, a dialog gives Enter to its first push button and a
    // frame to nothing.
    virtual void setDefaultButton(Button* button) = 0;
};

class Frame : public Window {
public:
    ~Frame() override;
    // Installs the bar (made by Toolkit::createMenuBar) above the content;
    // the frame owns it from then on. Installing the same bar again is
    // harmless.
    virtual void setMenuBar(MenuBar& bar) = 0;
    virtual MenuBar* menuBar() const = 0;  // null when none is installed
};

class Dialog : public Window {
public:
    ~Dialog() override;
    virtual bool isModal() const = 0;
    // The owner given at creation; null for the toolkit's hidden default owner.
    virtual Frame* owner() const = 0;
};

// A panel that a host creates, sizes and shows (no window of its own).
class AppletPanel : public Component {
public:
    ~AppletPanel() override;
    virtual Container& contentPane() = 0;
    // Every component of the panel re-styles itself for the current visual
    // style, then the panel is laid out again and repainted.
    virtual void updateStyle() = 0;

    // The window a host shows the panel in (the host sets it, and must
    // outlive the panel or clear it); null when no host has placed it.
    Window* hostWindow() const { return hostWindow_; }
    void setHostWindow(Window* window) { hostWindow_ = window; }

private:
    Window* hostWindow_ = nullptr;
};

}  // namespace rt
