// Containers: window content panes (border arrangement), plain panels (flow
// arrangement, centred) and either after setGridBagLayout.

#include <QChildEvent>
#include <vector>

#include "runtime/qt/BorderLayout.h"
#include "runtime/qt/Containers.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"
#include "runtime/qt/FlowLayout.h"
#include "runtime/qt/GridBagLayout.h"
#include "runtime/qt/Painting.h"

namespace rtqt {

namespace {

// The container lists its components in the order added. A component
// whose widget leaves the container's widget (added to another container,
// or deleted) leaves the list, as Qt's layout lets go of the widget then.
template <class Iface>
class ContainerImpl : public ComponentImpl<Iface> {
public:
    // The widget's events come to eventFilter: it is the mouse target.
    ContainerImpl(QWidget* widget, bool flow) : ComponentImpl<Iface>(widget, widget) {
        if (flow) flow_ = new FlowLayout(widget);
        else border_ = new BorderLayout(widget);
    }

    rt::GridBag& setGridBagLayout() override {
        QWidget* w = this->widget();
        border_ = nullptr;
        flow_ = nullptr;
        delete w->layout();
        gridBag_ = new GridBagLayout(w);
        for (const Child& c : children_) gridBag_->addWidget(widgetOfComponent(*c.component));
        return *gridBag_;
    }

    void add(rt::Component& component) override { add(component, rt::BorderPlace::Center); }

    void add(rt::Component& component, rt::BorderPlace place) override {
        QWidget* child = widgetOfComponent(component);
        QWidget* focused = focusWithin(*child);
        if (gridBag_ != nullptr) {
            gridBag_->addWidget(child);
        } else if (flow_ != nullptr) {
            flow_->addWidget(child);
        } else {
            border_->put(child, place);
        }
        // A component added again moves to the end instead of being listed twice.
        forget(child);
        children_.push_back({&component, child});
        child->setVisible(!child->isHidden() || !child->testAttribute(Qt::WA_WState_ExplicitShowHide));
        placedInContainer(focused);
    }

    int componentCount() const override { return static_cast<int>(children_.size()); }
    rt::Component& componentAt(int index) const override { return *children_.at(static_cast<size_t>(index)).component; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == this->widget() && event->type() == QEvent::ChildRemoved)
            forget(static_cast<QChildEvent*>(event)->child());
        return ComponentImpl<Iface>::eventFilter(watched, event);
    }

private:
    // The widget's object is kept beside the component: a widget being
    // deleted has lost its component already, and its address is only
    // compared.
    struct Child {
        rt::Component* component;
        const QObject* widget;
    };

    void forget(const QObject* widget) {
        std::erase_if(children_, [widget](const Child& c) { return c.widget == widget; });
    }

    BorderLayout* border_ = nullptr;
    FlowLayout* flow_ = nullptr;
    GridBagLayout* gridBag_ = nullptr;
    std::vector<Child> children_;
};

class PanelImpl final : public ContainerImpl<rt::Panel> {
public:
    explicit PanelImpl(PaintedWidget* widget) : ContainerImpl(widget, true), widget_(widget) {}
    void setPainter(rt::Painter* painter) override {
        widget_->setPainter(painter);
        widget_->update();
    }
    void repaint() override { widget_->update(); }

private:
    PaintedWidget* widget_;
};

}  // namespace

rt::Container* makeContentPane() { return new ContainerImpl<rt::Container>(new QWidget, false); }
rt::Panel* makePanel() { return new PanelImpl(new PaintedWidget); }

}  // namespace rtqt
