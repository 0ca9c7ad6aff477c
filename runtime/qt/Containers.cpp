// Containers: window content panes (border arrangement), plain panels (flow
// arrangement, centred) and either after setGridBagLayout.

#include <QGridLayout>
#include <QHBoxLayout>

#include "runtime/qt/Containers.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"
#include "runtime/qt/GridBagLayout.h"
#include "runtime/qt/Painting.h"

namespace rtqt {

namespace {

// Border arrangement on a 3 x 3 grid: north and south span the top and
// bottom rows, the centre takes all extra space. A component added at an
// occupied place replaces the one there.
class BorderArrangement {
public:
    explicit BorderArrangement(QWidget* container) : grid_(new QGridLayout(container)) {
        grid_->setContentsMargins(0, 0, 0, 0);
        grid_->setSpacing(0);
        grid_->setRowStretch(1, 1);
        grid_->setColumnStretch(1, 1);
    }
    void add(QWidget* widget, rt::BorderPlace place) {
        const Cell cell = cellOf(place);
        if (QLayoutItem* old = grid_->itemAtPosition(cell.row, cell.column); old != nullptr && old->widget() != nullptr) {
            old->widget()->hide();
            grid_->removeWidget(old->widget());
        }
        grid_->addWidget(widget, cell.row, cell.column, 1, cell.columns);
    }

private:
    struct Cell {
        int row;
        int column;
        int columns;
    };
    static Cell cellOf(rt::BorderPlace place) {
        switch (place) {
        case rt::BorderPlace::North: return {0, 0, 3};
        case rt::BorderPlace::South: return {2, 0, 3};
        case rt::BorderPlace::West: return {1, 0, 1};
        case rt::BorderPlace::East: return {1, 2, 1};
        case rt::BorderPlace::Center: break;
        }
        return {1, 1, 1};
    }
    QGridLayout* grid_;
};

template <class Iface>
class ContainerImpl : public ComponentImpl<Iface> {
public:
    ContainerImpl(QWidget* widget, bool flow) : ComponentImpl<Iface>(widget, widget) {
        if (flow) {
            flow_ = new QHBoxLayout(widget);
            flow_->setContentsMargins(5, 5, 5, 5);
            flow_->setSpacing(5);
            flow_->addStretch(1);
            flow_->addStretch(1);
        } else {
            border_ = std::make_unique<BorderArrangement>(widget);
        }
    }

    rt::GridBag& setGridBagLayout() override {
        QWidget* w = this->widget();
        border_.reset();
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
            flow_->insertWidget(flow_->count() - 1, child);
        } else {
            border_->add(child, place);
        }
        children_.push_back(&component);
        child->setVisible(!child->isHidden() || !child->testAttribute(Qt::WA_WState_ExplicitShowHide));
    }

    int componentCount() const override { return static_cast<int>(children_.size()); }
    rt::Component& componentAt(int index) const override { return *children_.at(static_cast<size_t>(index)); }

private:
    std::unique_ptr<BorderArrangement> border_;
    QHBoxLayout* flow_ = nullptr;
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
