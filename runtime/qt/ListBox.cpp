// The list box: a view over a model of strings, single selection. The
// selection moves on the mouse press (the view's own handling) before the
// press and the click are reported to mouse listeners. A selection moved
// from the keyboard is reported to selection listeners.

#include <QAbstractListModel>
#include <QHeaderView>
#include <QTableView>
#include <QMouseEvent>
#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "runtime/StringListStore.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"

namespace rtqt {

namespace {

// The rows come from the store (the model's own items or a vector the
// caller shares); rows() is the number the view knows of, which a reported
// insertion or removal changes between the begin and end notifications.
class StringsModel final : public QAbstractListModel, public rt::ListModel {
public:
    explicit StringsModel(QObject* parent) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    QVariant data(const QModelIndex& index, int role) const override {
        const auto row = static_cast<size_t>(index.row());
        if (!index.isValid() || row >= std::min(static_cast<size_t>(rows_), store_.size())) return {};
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
        return toQ(store_[row]);
    }

    void append(const rt::String& item) override {
        beginInsertRows({}, rows_, rows_);
        store_.append(item);
        rows_ = static_cast<int>(store_.size());
        endInsertRows();
    }
    void assign(const std::vector<rt::String>& items) override {
        beginResetModel();
        store_.assign(items);
        rows_ = static_cast<int>(store_.size());
        endResetModel();
    }
    void clear() override { assign({}); }
    int size() const override { return rows_; }
    bool isEmpty() const override { return rows_ == 0; }
    rt::String at(int index) const override {
        if (index >= rows_) throw std::out_of_range("list row out of range");
        return store_.at(index);
    }

    // Sharing the vector shared already (a list replaced or sorted in place)
    // changes only the rows that are new or gone and redraws the rest: a
    // reset would rebuild the view's row table for every row.
    void share(const std::vector<rt::String>& items) override {
        if (!store_.shows(items)) {
            beginResetModel();
            store_.share(items);
            rows_ = static_cast<int>(items.size());
            endResetModel();
            return;
        }
        const int rows = static_cast<int>(items.size());
        if (rows > rows_) {
            beginInsertRows({}, rows_, rows - 1);
            rows_ = rows;
            endInsertRows();
        } else if (rows < rows_) {
            beginRemoveRows({}, rows, rows_ - 1);
            rows_ = rows;
            endRemoveRows();
        }
        if (rows > 0) emit dataChanged(index(0), index(rows - 1));
    }
    void sharedItemInserted(int index) override {
        beginInsertRows({}, index, index);
        rows_ = static_cast<int>(store_.size());
        endInsertRows();
    }
    void sharedItemRemoved(int index) override {
        beginRemoveRows({}, index, index);
        rows_ = static_cast<int>(store_.size());
        endRemoveRows();
    }

    int indexOf(const rt::String& value) const { return store_.indexOf(value, static_cast<size_t>(rows_)); }

private:
    rt::StringListStore store_;
    int rows_ = 0;
};

// A one-column table without headers or grid shown as a list. Its rows are
// those of its vertical header, which keeps fixed-height rows without a
// layout pass over them: a row inserted into or removed from a million
// costs about as little as one in ten, where a QListView lays out every row
// again. Relays the viewport's mouse events after the view has handled
// them, so listeners see the selection the press made.
class ListView final : public QTableView {
public:
    using View = QTableView;
    std::function<void(const QEvent&, QPoint)> relay;
    // Told the row that a key press selected.
    std::function<void(int)> keySelected;

    ListView() { showAsList(); }

    // The scroll range follows a change of the rows only once the delayed
    // layout has run: run it first, as QListView does.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override {
        executeDelayedItemsLayout();
        View::scrollTo(index, hint);
    }

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
    // A selected row removed leaves the list without a selection, as in a
    // list of the system's; the view itself would select a neighbour.
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override {
        const int selected = selectedRow();
        View::rowsAboutToBeRemoved(parent, start, end);
        if (selected >= start && selected <= end) selectionModel()->clear();
    }
    // Home and End go to the first and last row, as in a list (a table
    // would go to the first and last column).
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
        return View::moveCursor(action, modifiers);
    }
    void changeEvent(QEvent* event) override {
        View::changeEvent(event);
        if (event->type() == QEvent::FontChange) fitRowsToFont();
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (insideBase_) View::mousePressEvent(event);
        else pressed(event, [&] { View::mousePressEvent(event); });
    }
    // The second press of a double click is a press like the first.
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        pressed(event, [&] { View::mouseDoubleClickEvent(event); });
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        View::mouseReleaseEvent(event);
        relayed(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        View::mouseMoveEvent(event);
        relayed(event);
    }
    // Arrows, Home, End, Page keys and type-ahead all move the selection
    // here, in the view's own key handling.
    void keyPressEvent(QKeyEvent* event) override {
        const int before = selectedRow();
        View::keyPressEvent(event);
        const int after = selectedRow();
        if (after >= 0 && after != before) keySelected(after);
    }
    bool viewportEvent(QEvent* event) override {
        const bool result = View::viewportEvent(event);
        if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) relay(*event, {});
        return result;
    }

private:
    int selectedRow() const {
        const QModelIndexList selected = selectionModel()->selectedIndexes();
        return selected.isEmpty() ? -1 : selected.first().row();
    }
    void showAsList() {
        setShowGrid(false);
        setWordWrap(false);
        setTabKeyNavigation(false);
        setSelectionBehavior(SelectRows);
        horizontalHeader()->hide();
        horizontalHeader()->setStretchLastSection(true);
        verticalHeader()->hide();
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->setMinimumSectionSize(1);
        fitRowsToFont();
    }
    void fitRowsToFont() { verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4); }

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
    void ensureIndexIsVisible(int index) override {
        if (index >= 0 && index < model_->size()) view_->scrollTo(model_->index(index));
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
