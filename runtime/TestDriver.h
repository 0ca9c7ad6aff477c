#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "runtime/Graphics.h"
#include "runtime/Text.h"
#include "runtime/Widgets.h"
#include "runtime/Windows.h"

namespace rt {

// A modal window as a test handler sees it while it is open.
class ModalWindow {
public:
    virtual ~ModalWindow();
    virtual String title() const = 0;
    virtual Size size() const = 0;
    // The text of its text area (a message box's message); empty if none.
    virtual String text() const = 0;
    virtual Window* window() const = 0;  // the toolkit window object, if any
    // Types text into the n-th one-line text field of the window (0-based).
    virtual void setFieldText(int index, const String& text) = 0;
    // Presses the button with that caption (real mouse press and release).
    virtual void pressButton(const String& caption) = 0;
    // Closes the window with its close control.
    virtual void closeBox() = 0;
    // Clicks into its text area (a message box's message), as a user does to
    // select or scroll the text; the text area then holds the focus.
    virtual void clickText() = 0;
};

// Drives the toolkit with real input events, for tests. Calls that make the
// application open a modal window block until it is closed, so the answer
// must be armed before with whenModalOpens / whenFileChooserOpens.
class TestDriver {
public:
    virtual ~TestDriver();

    // Mouse press and release at the button's centre.
    virtual void pressButton(Button& button) = 0;
    // Chooses the item through its menu, as a user does.
    virtual void chooseMenuItem(MenuItem& item) = 0;
    // Clicks (clicks = 1) or double-clicks (clicks = 2: press, release,
    // press, double-click, release) the row; a row of -1 clicks below the
    // last row.
    virtual void clickListRow(ListBox& list, int row, int clicks) = 0;
    // Pointer gestures on any component (a drawing panel, say), at points in
    // its coordinates. clickAt presses and releases without moving, clicks
    // times in quick succession. movePointer enters at the first point of the
    // path, moves through the others and leaves; with drag, the button is
    // pressed at the first point and released at the last.
    virtual void clickAt(Component& component, Point point, int clicks) = 0;
    virtual void movePointer(Component& component, const std::vector<Point>& path, bool drag) = 0;
    enum class Key { Up, Down, Home, End, PageUp, PageDown, Space, Enter, Tab, Escape };
    virtual void pressKey(Component& component, Key key) = 0;
    // Keys as a user at the keyboard sends them: to whatever holds the focus
    // of the active window (a modal window when one is open). Nothing holds
    // it: the keys are lost, as they are for a user, and a line on standard
    // error says so.
    virtual void pressKey(Key key) = 0;
    virtual void typeKeys(const String& text) = 0;
    // Replaces the text as a user typing it would.
    virtual void typeText(TextComponent& field, const String& text) = 0;
    // Closes the window with its close control.
    virtual void closeWindow(Window& window) = 0;

    // Calls handler once, with the next modal window as soon as it is shown.
    // The handler must close the window (or arm another answer) itself.
    // Answers armed before are kept: the newest takes the next window, so an
    // answer armed around an action still takes the windows that the
    // action's own answer leaves (a message shown by an answered dialog).
    virtual void whenModalOpens(std::function<void(ModalWindow&)> handler) = 0;
    // Answers the next file chooser: approves the path, or cancels when none.
    virtual void whenFileChooserOpens(std::optional<String> path) = 0;
    // The folder the last file chooser answered was showing when it opened.
    virtual String lastFileChooserDirectory() const = 0;
    // The file types the last chooser answered offered, as it showed them
    // in its list, and the one selected when it opened.
    virtual std::vector<String> lastFileChooserTypes() const = 0;
    virtual String lastFileChooserSelectedType() const = 0;
    // Drops answers that were armed but not used.
    virtual void disarm() = 0;

    // Delivers pending events (layout, paint, posted calls).
    virtual void processEvents() = 0;

    // What the toolkit shows, read back. The colour of the component's pixel
    // at point (its coordinates) as drawn now, pending paints done first.
    virtual Color pixelAt(Component& component, Point point) = 0;
    // The top-level windows of the toolkit that exist, shown or hidden.
    virtual int windowCount() const = 0;
};

// The driver of the toolkit under test. The test's main binds the testing
// runtime's accessor once; the driver is made on its first use, so that a
// program that never drives the toolkit never watches its windows.
TestDriver& testDriver();
void bindTestDriver(TestDriver& (*driver)());

}  // namespace rt
