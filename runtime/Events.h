#pragma once

#include "runtime/Geometry.h"

namespace rt {

class Window;

// Anything that can be the source of an event: components and menu items.
// Handlers view the source as the kind they expect (dynamic_cast).
class EventSource {
public:
    virtual ~EventSource();

protected:
    EventSource() = default;
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;
};

struct ActionEvent {
    EventSource& source;
};

// Mouse events carry the position relative to the component the listener is
// registered on, and the click count of the gesture (1 for a single click, 2
// for the second click of a double click, ...).
struct MouseEvent {
    EventSource& source;
    Point point;
    int clickCount = 1;
};

struct WindowEvent {
    Window& window;
};

// A list's selection moved by the user from the keyboard: arrow, Home, End
// and Page keys or a typed first letter. index is the row now selected.
struct ListSelectionEvent {
    EventSource& source;
    int index;
};

// Listener interfaces. Every operation has an empty default, so an adapter
// overrides only what it needs. All events arrive one at a time on the
// toolkit's event thread.
class ActionListener {
public:
    virtual ~ActionListener();
    virtual void actionPerformed(const ActionEvent& event) = 0;
};

class MouseListener {
public:
    virtual ~MouseListener();
    virtual void mouseClicked(const MouseEvent&) {}
    virtual void mousePressed(const MouseEvent&) {}
    virtual void mouseReleased(const MouseEvent&) {}
    virtual void mouseEntered(const MouseEvent&) {}
    virtual void mouseExited(const MouseEvent&) {}
};

class MouseMotionListener {
public:
    virtual ~MouseMotionListener();
    virtual void mouseDragged(const MouseEvent&) {}
    virtual void mouseMoved(const MouseEvent&) {}
};

// Hears selections that the user moves from the keyboard. Selections made
// by the program are not reported, nor those of the mouse, which mouse
// listeners hear as presses and clicks.
class ListSelectionListener {
public:
    virtual ~ListSelectionListener();
    virtual void selectionMoved(const ListSelectionEvent& event) = 0;
};

class WindowListener {
public:
    virtual ~WindowListener();
    virtual void windowOpened(const WindowEvent&) {}
    // The user asked to close the window with its close control. The toolkit
    // itself does nothing more: the window stays until a listener hides or
    // disposes of it.
    virtual void windowClosing(const WindowEvent&) {}
    virtual void windowClosed(const WindowEvent&) {}
    virtual void windowIconified(const WindowEvent&) {}
    virtual void windowDeiconified(const WindowEvent&) {}
    virtual void windowActivated(const WindowEvent&) {}
    virtual void windowDeactivated(const WindowEvent&) {}
};

}  // namespace rt
