#pragma once

#include <memory>

#include "runtime/CellConstraints.h"
#include "runtime/Events.h"
#include "runtime/Font.h"
#include "runtime/Geometry.h"

namespace rt {

// Ownership rule of the toolkit interface: a component made by the Toolkit
// belongs to the toolkit until it is added to a container (or wrapped in a
// scroll pane); from then on it belongs to that parent and lives as long as
// the parent's window. Callers keep plain pointers. Listeners passed as
// unique_ptr belong to the component they are registered on; listeners
// passed by reference must outlive it.
class Component : public EventSource {
public:
    ~Component() override;

    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;

    virtual Font font() const = 0;
    virtual void setFont(const Font& font) = 0;

    virtual Size preferredSize() const = 0;
    virtual Size minimumSize() const = 0;
    // Position and size relative to the parent container.
    virtual Rect bounds() const = 0;

    virtual void addMouseListener(std::unique_ptr<MouseListener> listener) = 0;
    virtual void addMouseMotionListener(std::unique_ptr<MouseMotionListener> listener) = 0;

    // Makes the component its window's focus owner: it receives the keys
    // whenever the window is active (at once when it is, else as soon as it
    // becomes active or is shown).
    virtual void requestFocus() = 0;
    // Whether the component is its window's focus owner.
    virtual bool hasFocus() const = 0;
};

// The grid-bag layout manager of one container. Registering constraints for a
// component stores a copy: later changes to the caller's record move nothing.
class GridBag {
public:
    virtual ~GridBag();
    virtual void setConstraints(Component& component, const CellConstraints& constraints) = 0;
    // The stored copy (default constraints for a component never registered).
    virtual CellConstraints constraintsOf(const Component& component) const = 0;
};

// Places of the border arrangement.
enum class BorderPlace { Center, North, South, East, West };

// A component that holds other components. Its arrangement is one of:
// - border: the default of a window's content pane; add with a BorderPlace;
// - flow: the default of a plain panel; components in a centred row;
// - grid-bag: after setGridBagLayout; add places by the registered constraints.
class Container : public Component {
public:
    ~Container() override;

    // Installs a new grid-bag layout, owned by this container, and returns it.
    virtual GridBag& setGridBagLayout() = 0;
    // Adds at the end, placed by the container's arrangement (for grid-bag:
    // by the constraints registered for the component).
    virtual void add(Component& component) = 0;
    virtual void add(Component& component, BorderPlace place) = 0;
    virtual int componentCount() const = 0;
    virtual Component& componentAt(int index) const = 0;
};

}  // namespace rt
