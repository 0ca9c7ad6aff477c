// Containers: window content panes (border arrangement), plain panels (flow
// arrangement, centred) and either after setGridBagLayout.

#include "runtime/qt/BorderLayout.h"
#include "runtime/qt/Containers.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"
#include "runtime/qt/FlowLayout.h"
#include "runtime/qt/GridBagLayout.h"
#include "runtime/qt/Painting.h"

namespace rtqt {

namespace {

template <class Iface>
class ContainerImpl : public ComponentImpl<Iface> {
public:
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
        for (rt::Component* c : children_) gridBag_->addWidget(widgetOfComponent(*c));
        return *gridBag_;
    }

    void add(rt::Component& component) override { add(component, rt::BorderPlace::Center); }

    void add(rt::Component& component, rt::BorderPlace place) override {
        QWidget* child = widgetOfComponent(component);
        if (gridBag_ != nullptr) {
            gridBag_->addWidget(child);
        } else if (flow_ != nullptr) {
            flow_->addWidget(child);
        } else {
            border_->put(child, place);
        }
        // A component added again moves to the end instead of being listed twice.
        std::erase(children_, &component);
        children_.push_back(&component);
        child->setVisible(!child->isHidden() || !child->testAttribute(Qt::WA_WState_ExplicitShowHide));
    }

    int componentCount() const override { return static_cast<int>(children_.size()); }
    rt::Component& componentAt(int index) const override { return *children_.at(static_cast<size_t>(index)); }

private:
    BorderLayout* border_ = nullptr;
    FlowLayout* flow_ = nullptr;
    GridBagLayout* gridBag_ = nullptr;
    std::vector<rt::Component*> children_;
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
