#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "runtime/Component.h"
#include "runtime/Graphics.h"
#include "runtime/Text.h"

namespace rt {

class Label : public Component {
public:
    ~Label() override;
    virtual String text() const = 0;
    virtual void setText(const String& text) = 0;
};

// A push button. A press with the mouse, or the space bar or Enter while it
// has the focus, reports an action.
class Button : public Component {
public:
    ~Button() override;
    virtual String text() const = 0;
    virtual void setText(const String& text) = 0;
    virtual void addActionListener(std::unique_ptr<ActionListener> listener) = 0;
    // Non-owning: the listener must outlive the button.
    virtual void addActionListener(ActionListener& listener) = 0;
};

class TextComponent : public Component {
public:
    ~TextComponent() override;
    virtual String text() const = 0;
    virtual void setText(const String& text) = 0;
    virtual bool isEditable() const = 0;
    virtual void setEditable(bool editable) = 0;
};

// One-line text field.
class TextField : public TextComponent {
public:
    ~TextField() override;
};

// Multi-line text area; lines break only at line breaks of the text.
class TextArea : public TextComponent {
public:
    ~TextArea() override;
};

class CheckBox : public Component {
public:
    ~CheckBox() override;
    virtual String text() const = 0;
    virtual bool isSelected() const = 0;
    virtual void setSelected(bool selected) = 0;
};

// Radio buttons are independent: none is put in a group.
class RadioButton : public Component {
public:
    ~RadioButton() override;
    virtual String text() const = 0;
    virtual bool isSelected() const = 0;
    virtual void setSelected(bool selected) = 0;
};

class ComboBox : public Component {
public:
    ~ComboBox() override;
    virtual void addItem(const String& item) = 0;
    virtual int itemCount() const = 0;
    virtual String itemAt(int index) const = 0;
    virtual int selectedIndex() const = 0;  // -1 when nothing is selected
    virtual void setSelectedIndex(int index) = 0;
};

// Plain panel; its default arrangement is flow. Mouse and mouse-motion
// listeners get positions relative to the panel's top-left pixel.
class Panel : public Container {
public:
    ~Panel() override;
    // The painter draws the panel's content over its background each time it
    // is painted, below any components it holds; null paints nothing more.
    // Non-owning: the painter must outlive the panel or be replaced first.
    virtual void setPainter(Painter* painter) = 0;
    // Asks for the panel to be painted again soon, on the event thread.
    virtual void repaint() = 0;
};

// Scroll pane around one view component; scroll bars are shown as needed.
class ScrollPane : public Component {
public:
    ~ScrollPane() override;
    virtual Component& view() const = 0;
};

// The items shown by a ListBox. Changes show at once in every list over it.
class ListModel {
public:
    virtual ~ListModel();
    virtual void append(const String& item) = 0;
    // Replaces all items at once; far faster than clear and many appends.
    virtual void assign(const std::vector<String>& items) = 0;
    virtual void clear() = 0;
    virtual int size() const = 0;
    virtual bool isEmpty() const = 0;
    virtual String at(int index) const = 0;

    // Shows the caller's items instead of a copy of them, so that a long
    // list is held once: the model reads items where they are, and the
    // caller keeps the vector alive at the same address while it is shown
    // (until the next share, assign, append or clear). A change the caller
    // makes to the vector shows once reported: one item inserted or removed
    // at index redraws that row only; any other change by sharing again.
    virtual void share(const std::vector<String>& items) = 0;
    virtual void sharedItemInserted(int index) = 0;
    virtual void sharedItemRemoved(int index) = 0;
};

// List with single selection. The selection moves on the mouse press, before
// the click is reported to mouse listeners; a double click is reported as a
// click with count 1 followed by one with count 2. Keyboard navigation moves
// the selection and reports no click.
class ListBox : public Component {
public:
    ~ListBox() override;
    virtual ListModel& model() const = 0;
    virtual int selectedIndex() const = 0;  // -1 when nothing is selected
    virtual std::optional<String> selectedValue() const = 0;
    virtual void setSelectedIndex(int index) = 0;  // -1 clears the selection
    // Selects the first item equal to value and, when scroll is true, scrolls
    // it into view. A value not in the list clears the selection.
    virtual void setSelectedValue(const String& value, bool scroll) = 0;
    // Scrolls the row at index into view, if it is not shown already.
    virtual void ensureIndexIsVisible(int index) = 0;
    virtual void clearSelection() = 0;
    // Index of the row under a point (list coordinates); below the last row,
    // the last row; -1 for an empty list.
    virtual int locationToIndex(Point point) const = 0;
    // Bounds of a row in list coordinates (for tests and hit testing).
    virtual Rect rowBounds(int index) const = 0;
    // The list owns the listener from then on.
    virtual void addSelectionListener(std::unique_ptr<ListSelectionListener> listener) = 0;
};

class MenuItem : public EventSource {
public:
    ~MenuItem() override;
    virtual String text() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual void addActionListener(std::unique_ptr<ActionListener> listener) = 0;
};

class Menu {
public:
    virtual ~Menu();
    // The title; a menu made without one has none (and matches no name).
    virtual std::optional<String> title() const = 0;
    // Appends the item; the menu owns it from then on.
    virtual void add(MenuItem& item) = 0;
    virtual int itemCount() const = 0;
    virtual MenuItem& itemAt(int index) const = 0;
};

class MenuBar {
public:
    virtual ~MenuBar();
    virtual int menuCount() const = 0;
    virtual Menu& menuAt(int index) const = 0;
    // Appends the menu; the bar owns it from then on.
    virtual void add(Menu& menu) = 0;
    // Releases a bar, with its menus, that was never installed on a frame;
    // a bar installed on a frame belongs to it and stays.
    virtual void dispose() = 0;
};

}  // namespace rt
