#pragma once

// Shared pieces of the Qt implementation: string and geometry conversion,
// the widget behind a component, mouse event relaying and the component base.

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <exception>
#include <memory>
#include <vector>

#include "runtime/Captions.h"
#include "runtime/Component.h"
#include "runtime/ListenerDelivery.h"
#include "runtime/MouseGesture.h"
#include "runtime/Text.h"

namespace rtqt {

using rt::ActionListeners;
using rt::deliver;

inline QString toQ(rt::StringView text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline rt::String fromQ(const QString& text) {
    return rt::String(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
}

// Captions of buttons and menus, escaped by the core's caption rule.
inline QString toCaption(rt::StringView text) { return toQ(rt::toCaptionText(text)); }
inline rt::String fromCaption(const QString& caption) { return rt::fromCaptionText(fromQ(caption)); }

inline rt::Size fromQ(QSize size) { return {size.width(), size.height()}; }
inline rt::Rect fromQ(QRect r) { return {r.x(), r.y(), r.width(), r.height()}; }

// Every component of this toolkit can name its widget.
class WidgetHolder {
public:
    virtual ~WidgetHolder() = default;
    virtual QWidget* widget() const = 0;
    // The widget that receives the mouse events reported to listeners.
    virtual QWidget* mouseWidget() const { return widget(); }
};

QWidget* widgetOfComponent(const rt::Component& component);
QWidget* mouseWidgetOfComponent(const rt::Component& component);

// The hidden parent of components not yet placed in a container, so that
// showing or hiding them never makes a top-level window.
QWidget* limbo();

// Focus asked for a widget. In a window it is given there (at once if the
// window is active, else when it is). A widget not yet placed in a window
// keeps the request until it is: the last request made wins, so a later one
// for any widget drops it.
void requestFocusFor(QWidget& widget);
// The widget, or one inside it, that has or will have the focus: kept for
// it, or its window's focus widget. Qt takes the focus from a widget moved
// to another parent; it is given back once the widget is placed.
QWidget* focusWithin(const QWidget& widget);
// A widget was just placed in a container; focused is what focusWithin
// said before. It gets the focus if it has come into a window.
void placedInContainer(QWidget* focused);

// The Qt font for a request; fixed-pitch names come out fixed-pitch.
QFont toQFont(const rt::Font& font);
// Applies a font request to a widget, remembering the name asked for.
void applyFont(QWidget& widget, const rt::Font& font);
rt::Font fontOf(const QWidget& widget);

// Turns Qt mouse events into listener calls, counting clicks by the core's
// gesture rule with Qt's double-click interval and drag distance.
class MouseRelay {
public:
    void add(std::unique_ptr<rt::MouseListener> listener) { mouse_.push_back(std::move(listener)); }
    void add(std::unique_ptr<rt::MouseMotionListener> listener) { motion_.push_back(std::move(listener)); }
    // Relays one event; point is in the coordinates of the component.
    void relay(const QEvent& event, rt::EventSource& source, QPoint point, QRect area);

private:
    void pressed(const QMouseEvent& event, rt::EventSource& source, QPoint point);
    template <class Call>
    void toMouse(Call call);

    std::vector<std::unique_ptr<rt::MouseListener>> mouse_;
    std::vector<std::unique_ptr<rt::MouseMotionListener>> motion_;
    rt::MouseGesture gesture_;
};

// Base of every component: the rt side of one widget. It is a child of the
// widget, so it lives exactly as long as the widget does.
template <class Iface>
class ComponentImpl : public QObject, public Iface, public WidgetHolder {
public:
    // mouseTarget receives the mouse events reported to listeners (the
    // widget itself unless a subclass relays them on its own).
    explicit ComponentImpl(QWidget* widget, QWidget* mouseTarget)
        : QObject(widget), widget_(widget), mouseTarget_(mouseTarget) {
        if (widget->parentWidget() == nullptr) widget->setParent(limbo());
        if (mouseTarget != nullptr) mouseTarget->installEventFilter(this);
    }

    QWidget* widget() const override { return widget_; }
    QWidget* mouseWidget() const override { return mouseTarget_ != nullptr ? mouseTarget_ : widget_; }

    void setVisible(bool visible) override { widget_->setVisible(visible); }
    bool isVisible() const override { return !widget_->isHidden(); }
    void setEnabled(bool enabled) override { widget_->setEnabled(enabled); }
    bool isEnabled() const override { return widget_->isEnabled(); }
    rt::Font font() const override { return fontOf(*widget_); }
    void setFont(const rt::Font& font) override { applyFont(*widget_, font); }
    rt::Size preferredSize() const override { return fromQ(widget_->sizeHint().expandedTo(widget_->minimumSizeHint())); }
    rt::Size minimumSize() const override {
        QSize min = widget_->minimumSizeHint();
        return fromQ(min.isValid() ? min : widget_->sizeHint());
    }
    rt::Rect bounds() const override { return fromQ(widget_->geometry()); }
    void requestFocus() override { requestFocusFor(*widget_); }
    bool hasFocus() const override { return widget_->window()->focusWidget() == widget_; }
    void addMouseListener(std::unique_ptr<rt::MouseListener> listener) override { relay_.add(std::move(listener)); }
    void addMouseMotionListener(std::unique_ptr<rt::MouseMotionListener> listener) override {
        if (mouseTarget_ != nullptr) mouseTarget_->setMouseTracking(true);
        relay_.add(std::move(listener));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == mouseTarget_) relay_.relay(*event, *this, pointIn(*event, *mouseTarget_), mouseTarget_->rect());
        return false;
    }
    MouseRelay& relay() { return relay_; }
    // Where the pointer is, in the target's coordinates; a leave event
    // carries no position, the pointer's is taken.
    static QPoint pointIn(const QEvent& event, const QWidget& target);

private:
    QWidget* widget_;
    QWidget* mouseTarget_;
    MouseRelay relay_;
};

template <class Iface>
QPoint ComponentImpl<Iface>::pointIn(const QEvent& event, const QWidget& target) {
    if (auto* single = dynamic_cast<const QSinglePointEvent*>(&event)) return single->position().toPoint();
    if (event.type() == QEvent::Leave) return target.mapFromGlobal(QCursor::pos());
    return {};
}

}  // namespace rtqt
