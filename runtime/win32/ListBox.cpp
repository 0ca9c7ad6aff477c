// The list box: a list control without data of its own (it knows only the
// number of rows) that draws each row from the model, single selection.
// A row inserted or removed is told to the control as that one row; the
// control then draws nothing until the messages waiting have been handled,
// so that the change and whatever selection or scrolling follows it are
// drawn once (each drawing of the scroll bar costs a hundred requests to
// the server under Wine).
// The control moves the selection on the mouse press before the press and
// the click are reported to mouse listeners; a press below the last row
// selects the last row. A selection moved from the keyboard (the control's
// own keys, and a typed letter that selects the next word starting with it)
// is reported to selection listeners.

#include <algorithm>
#include <cwctype>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/StringListStore.h"
#include "runtime/win32/Core.h"
#include "runtime/win32/Factories.h"

namespace rtwin {

namespace {

// Posted to a list whose drawing is held: draw again.
constexpr UINT ResumeRedrawMessage = WM_APP + 0x12;

// The selected row of a list whose window is not made yet. It moves as the
// control's own does: with its word when a row comes or goes above it, to
// none when its row goes or a new count leaves it out.
class KeptSelection {
public:
    int row() const { return row_; }
    void select(int row) { row_ = row; }
    void inserted(int index) {
        if (row_ >= index) ++row_;
    }
    void removed(int index) {
        if (row_ == index) row_ = -1;
        else if (row_ > index) --row_;
    }
    void counted(int rows) {
        if (row_ >= rows) row_ = -1;
    }

private:
    int row_ = -1;
};

// The rows come from the store: the model's own items or a vector the
// caller shares. Until the list's window is made, rows change only here
// and move the kept selection; the window is made with their count.
class StringsModel final : public rt::ListModel {
public:
    explicit StringsModel(const Native& list) : list_(list) {}

    void append(const rt::String& item) override {
        store_.append(item);
        changeRow(LB_INSERTSTRING, size() - 1);
    }
    void assign(const std::vector<rt::String>& items) override {
        store_.assign(items);
        refilled();
    }
    void clear() override { assign({}); }
    int size() const override { return static_cast<int>(store_.size()); }
    bool isEmpty() const override { return store_.empty(); }
    rt::String at(int index) const override { return store_.at(index); }

    // The vector shown already, sorted or changed in place, keeps the
    // selected row; another vector is new contents.
    void share(const std::vector<rt::String>& items) override {
        const bool same = store_.shows(items);
        store_.share(items);
        if (same) redrawAll();
        else refilled();
    }
    void sharedItemInserted(int index) override {
        kept_.inserted(index);
        changeRow(LB_INSERTSTRING, index);
    }
    void sharedItemRemoved(int index) override {
        kept_.removed(index);
        changeRow(LB_DELETESTRING, index);
    }

    // The selection while the window is not made.
    KeptSelection& kept() { return kept_; }

    // The row's text where it is kept, without a copy.
    const rt::String& row(int index) const { return store_[static_cast<std::size_t>(index)]; }
    int indexOf(const rt::String& value) const { return store_.indexOf(value, store_.size()); }

    // Draws the list again after one-row changes: the scroll bar once, and
    // the rows.
    void resumeRedraw() {
        if (!std::exchange(redrawHeld_, false)) return;
        SendMessageW(list_.hwnd(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_.hwnd(), nullptr, TRUE);
    }

    // The window was just made: it gets the count of rows.
    void created() {
        if (!store_.empty()) SendMessageW(list_.hwnd(), LB_SETCOUNT, store_.size(), 0);
    }

private:
    // New contents: no row of them is selected (the control would keep
    // the row number, now another word).
    void refilled() {
        kept_.select(-1);
        if (list_.hwnd() != nullptr) SendMessageW(list_.hwnd(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        redrawAll();
    }

    // A new count draws the scroll bar again; a list sorted, or replaced by
    // one as long, keeps its count and has only its rows drawn again.
    void redrawAll() {
        HWND list = list_.hwnd();
        kept_.counted(size());
        if (list == nullptr) return;
        if (SendMessageW(list, LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(store_.size())) {
            SendMessageW(list, LB_SETCOUNT, store_.size(), 0);
        }
        InvalidateRect(list, nullptr, TRUE);
    }

    // One row inserted or deleted (LB_INSERTSTRING, LB_DELETESTRING): the
    // control keeps the first row shown and moves its selection with the
    // row selected; a list without data of its own takes an insertion
    // without data.
    void changeRow(UINT message, int index) {
        if (list_.hwnd() == nullptr) return;
        holdRedraw();
        SendMessageW(list_.hwnd(), message, static_cast<WPARAM>(index), 0);
    }

    // Until the resume posted now arrives; drawn at once when it cannot be
    // posted.
    void holdRedraw() {
        if (redrawHeld_) return;
        SendMessageW(list_.hwnd(), WM_SETREDRAW, FALSE, 0);
        redrawHeld_ = true;
        if (!PostMessageW(list_.hwnd(), ResumeRedrawMessage, 0, 0)) resumeRedraw();
    }

    const Native& list_;
    rt::StringListStore store_;
    KeptSelection kept_;
    bool redrawHeld_ = false;
};

// Until its window is made, the list keeps its selection and its first row
// shown, and gets them once made.
class ListBoxImpl final : public ComponentImpl<rt::ListBox> {
public:
    explicit ListBoxImpl(ControlBlueprint blueprint) : ComponentImpl(std::move(blueprint)), model_(*this) {}

    rt::ListModel& model() const override { return model_; }
    int selectedIndex() const override {
        if (hwnd() == nullptr) return model_.kept().row();
        const auto index = SendMessageW(hwnd(), LB_GETCURSEL, 0, 0);
        return index == LB_ERR ? -1 : static_cast<int>(index);
    }
    std::optional<rt::String> selectedValue() const override {
        const int index = selectedIndex();
        if (index < 0 || index >= model_.size()) return std::nullopt;
        return model_.at(index);
    }
    void setSelectedIndex(int index) override {
        if (index < 0 || index >= model_.size()) {
            clearSelection();
            return;
        }
        select(index);
    }
    void setSelectedValue(const rt::String& value, bool scroll) override {
        const int index = model_.indexOf(value);
        const int top = topIndex();
        setSelectedIndex(index);
        if (!scroll) setTopIndex(top);
    }
    // A list not shown yet has room for one row: the row becomes its first.
    void ensureIndexIsVisible(int index) override {
        if (index < 0 || index >= model_.size()) return;
        RECT client{};
        if (hwnd() != nullptr) GetClientRect(hwnd(), &client);
        const int shown = std::max(1, static_cast<int>(client.bottom) / rowHeight());
        const int top = topIndex();
        if (index < top) setTopIndex(index);
        else if (index >= top + shown) setTopIndex(index - shown + 1);
    }
    void clearSelection() override { select(-1); }

    int locationToIndex(rt::Point point) const override {
        const int rows = model_.size();
        if (rows == 0) return -1;
        const int top = topIndex();
        const int row = top + (point.y < 0 ? -1 - (-point.y - 1) / rowHeight() : point.y / rowHeight());
        return std::clamp(row, 0, rows - 1);
    }
    rt::Rect rowBounds(int index) const override {
        RECT client{};
        if (hwnd() != nullptr) GetClientRect(hwnd(), &client);
        return {0, (index - topIndex()) * rowHeight(), client.right, rowHeight()};
    }

    void addSelectionListener(std::unique_ptr<rt::ListSelectionListener> listener) override {
        selectionListeners_.push_back(std::move(listener));
    }

    rt::Size preferredSize() const override { return {256, 192}; }
    rt::Size minimumSize() const override { return {72, 48}; }
    bool scrollsItself() const override { return true; }

    bool reflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
        if (message != WM_DRAWITEM) return false;
        drawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }

protected:
    void fontChanged() override {
        SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, rowHeight());
        InvalidateRect(hwnd(), nullptr, TRUE);
    }

    // The window was made with the default font's row height (the parent
    // answers WM_MEASUREITEM so): a font of its own sets its rows' height.
    void created() override {
        if (fontGiven()) fontChanged();
        model_.created();
        const int row = model_.kept().row();
        if (row >= 0) SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        if (top_ > 0) SendMessageW(hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(top_), 0);
    }

    // A press beside or below the rows selects the nearest row (the control
    // itself would ignore it); the press is still reported.
    bool before(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == ResumeRedrawMessage) {
            model_.resumeRedraw();
            return true;
        }
        if (message == WM_KEYDOWN) selectedBeforeKey_ = selectedIndex();
        if (message == WM_CHAR) return typedAhead(static_cast<wchar_t>(wParam));
        if ((message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK) || model_.isEmpty()) return false;
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (topIndex() + at.y / rowHeight() < model_.size()) return false;
        SetFocus(hwnd());
        setSelectedIndex(locationToIndex({at.x, at.y}));
        after(message, wParam, lParam);
        result = 0;
        return true;
    }

    void after(UINT message, WPARAM wParam, LPARAM lParam) override {
        ComponentImpl::after(message, wParam, lParam);
        if (message == WM_KEYDOWN && selectedIndex() != selectedBeforeKey_) selectionMoved();
    }

private:
    // A typed letter selects the next row whose word starts with it (case
    // ignored), after the selected row and round to the first, as the
    // system's lists of strings do. Other characters are left alone.
    bool typedAhead(wchar_t typed) {
        if (typed <= L' ' || model_.isEmpty()) return false;
        const int rows = model_.size();
        const int from = selectedIndex();
        for (int step = 1; step <= rows; ++step) {
            const int row = (from + step + rows) % rows;
            const rt::String& word = model_.row(row);
            if (!word.empty() && std::towlower(static_cast<wchar_t>(word.front())) == std::towlower(typed)) {
                if (row != from) {
                    setSelectedIndex(row);
                    selectionMoved();
                }
                break;
            }
        }
        return true;
    }

    void selectionMoved() {
        const int row = selectedIndex();
        if (row < 0) return;
        for (auto& listener : selectionListeners_) deliver([&] { listener->selectionMoved({*this, row}); });
    }

    int rowHeight() const { return listRowHeight(hfont()); }

    int topIndex() const {
        return hwnd() != nullptr ? static_cast<int>(SendMessageW(hwnd(), LB_GETTOPINDEX, 0, 0)) : top_;
    }
    void setTopIndex(int top) {
        if (hwnd() != nullptr) SendMessageW(hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
        else top_ = top;
    }
    void select(int index) {
        if (hwnd() != nullptr) SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        else model_.kept().select(index);
    }

    void drawRow(const DRAWITEMSTRUCT& item) const {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (item.itemID != static_cast<UINT>(-1) && static_cast<int>(item.itemID) < model_.size()) {
            const std::wstring text = toW(model_.row(static_cast<int>(item.itemID)));
            HGDIOBJ old = SelectObject(item.hDC, hfont());
            SetBkMode(item.hDC, TRANSPARENT);
            SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            RECT r = item.rcItem;
            r.left += 2;
            DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            SelectObject(item.hDC, old);
        }
        if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
    }

    mutable StringsModel model_;
    std::vector<std::unique_ptr<rt::ListSelectionListener>> selectionListeners_;
    int selectedBeforeKey_ = -1;
    // The first row shown before the window is made.
    int top_ = 0;
};

}  // namespace

rt::ListBox* makeListBox() {
    return new ListBoxImpl({L"LISTBOX", L"",
                            LBS_NOTIFY | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                                WS_TABSTOP,
                            WS_EX_CLIENTEDGE});
}

}  // namespace rtwin
