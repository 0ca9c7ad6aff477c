// The list box: a QListView over a model of strings, single selection. The
// selection moves on the mouse press (the view's own handling) before the
// press and the click are reported to mouse listeners. A selection moved
// from the keyboard is reported to selection listeners.

#include <QAbstractListModel>
#include <QListView>
#include <QMouseEvent>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"

namespace rtqt {

namespace {

class StringsModel final : public QAbstractListModel, public rt::ListModel {
public:
    explicit StringsModel(QObject* parent) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(items_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
        return toQ(items_.at(static_cast<size_t>(index.row())));
    }

    void append(const rt::String& item) override {
        const int row = size();
        beginInsertRows({}, row, row);
        items_.push_back(item);
        endInsertRows();
    }
    void assign(const std::vector<rt::String>& items) override {
        beginResetModel();
        items_ = items;
        endResetModel();
    }
    void clear() override { assign({}); }
    int size() const override { return static_cast<int>(items_.size()); }
    bool isEmpty() const override { return items_.empty(); }
    rt::String at(int index) const override { return items_.at(static_cast<size_t>(index)); }

    int indexOf(const rt::String& value) const {
        auto found = std::find(items_.begin(), items_.end(), value);
        return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
    }

private:
    std::vector<rt::String> items_;
};

// Relays the viewport's mouse events after the view has handled them, so
// listeners see the selection the press made.
class ListView final : public QListView {
public:
    std::function<void(const QEvent&, QPoint)> relay;
    // Told the row that a key press selected.
    std::function<void(int)> keySelected;

    // The row under a point, or the nearest one: the first above the rows,
    // the last below them; -1 for an empty list.
    int nearestRow(QPoint point) const {
        const int rows = model()->rowCount();
        if (rows == 0) return -1;
        const QRect first = visualRect(model()->index(0, 0));
        const QModelIndex hit = indexAt({first.x() + 1, point.y()});
        if (hit.isValid()) return hit.row();
        return point.y() < first.top() ? 0 : rows - 1;
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (insideBase_) QListView::mousePressEvent(event);
        else pressed(event, [&] { QListView::mousePressEvent(event); });
    }
    // The second press of a double click is a press like the first.
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        pressed(event, [&] { QListView::mouseDoubleClickEvent(event); });
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QListView::mouseReleaseEvent(event);
        relayed(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        QListView::mouseMoveEvent(event);
        relayed(event);
    }
    // Arrows, Home, End, Page keys and type-ahead all move the selection
    // here, in the view's own key handling.
    void keyPressEvent(QKeyEvent* event) override {
        const int before = selectedRow();
        QListView::keyPressEvent(event);
        const int after = selectedRow();
        if (after >= 0 && after != before) keySelected(after);
    }
    bool viewportEvent(QEvent* event) override {
        const bool result = QListView::viewportEvent(event);
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) relay(*event, {});
        return result;
    }

private:
    int selectedRow() const {
        const QModelIndexList selected = selectionModel()->selectedIndexes();
        return selected.isEmpty() ? -1 : selected.first().row();
    }

    // A press beside or below the rows selects the nearest row (the view
    // itself would clear the selection); the press is reported once, even
    // when the view turns a double click back into a press.
    template <class Base>
    void pressed(QMouseEvent* event, Base base) {
        const QPoint at = event->position().toPoint();
        if (event->button() == Qt::LeftButton && !indexAt(at).isValid()) {
            const int row = nearestRow(at);
            if (row >= 0) setCurrentIndex(model()->index(row, 0));
        } else {
            insideBase_ = true;
            base();
            insideBase_ = false;
        }
        relayed(event);
    }

    bool insideBase_ = false;

    void relayed(QMouseEvent* event) { relay(*event, event->position().toPoint()); }
};

class ListBoxImpl final : public ComponentImpl<rt::ListBox> {
public:
    explicit ListBoxImpl(ListView* view) : ComponentImpl(view, nullptr), view_(view), model_(new StringsModel(view)) {
        view->setModel(model_);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setUniformItemSizes(true);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->relay = [this](const QEvent& event, QPoint point) {
            relay().relay(event, *this, point, view_->viewport()->rect());
        };
        view->keySelected = [this](int row) { selectionMoved(row); };
    }

    QWidget* mouseWidget() const override { return view_->viewport(); }
    void addMouseMotionListener(std::unique_ptr<rt::MouseMotionListener> listener) override {
        view_->viewport()->setMouseTracking(true);
        relay().add(std::move(listener));
    }

    rt::ListModel& model() const override { return *model_; }
    int selectedIndex() const override {
        const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
        return selected.isEmpty() ? -1 : selected.first().row();
    }
    std::optional<rt::String> selectedValue() const override {
        const int index = selectedIndex();
        if (index < 0) return std::nullopt;
        return model_->at(index);
    }
    void setSelectedIndex(int index) override {
        if (index < 0 || index >= model_->size()) {
            clearSelection();
            return;
        }
        view_->setCurrentIndex(model_->index(index));
    }
    void setSelectedValue(const rt::String& value, bool scroll) override {
        const int index = model_->indexOf(value);
        setSelectedIndex(index);
        if (scroll && index >= 0) view_->scrollTo(model_->index(index));
    }
    void clearSelection() override { view_->selectionModel()->clearSelection(); }
    int locationToIndex(rt::Point point) const override {
        return view_->nearestRow({point.x, point.y});
    }
    rt::Rect rowBounds(int index) const override { return fromQ(view_->visualRect(model_->index(index))); }
    void addSelectionListener(std::unique_ptr<rt::ListSelectionListener> listener) override {
        selectionListeners_.push_back(std::move(listener));
    }

private:
    void selectionMoved(int row) {
        for (auto& listener : selectionListeners_) deliver([&] { listener->selectionMoved({*this, row}); });
    }

    ListView* view_;
    StringsModel* model_;
    std::vector<std::unique_ptr<rt::ListSelectionListener>> selectionListeners_;
};

}  // namespace

rt::ListBox* makeListBox() { return new ListBoxImpl(new ListView); }

}  // namespace rtqt
