// Containers: window content panes (border arrangement), plain panels (flow
// arrangement, centred), either after setGridBagLayout, scroll panes and the
// applet panel. Each is a window of the container class whose children are
// the native windows of its components.

#include <algorithm>
#include <map>
#include <utility>

#include "runtime/BorderGeometry.h"
#include "runtime/FlowGeometry.h"
#include "runtime/GridBagGeometry.h"
#include "runtime/win32/Containers.h"
#include "runtime/win32/Factories.h"
#include "runtime/win32/Painting.h"
#include "runtime/win32/WindowShells.h"

namespace rtwin {

namespace {

ATOM containerAtom = 0;
// Above zero while layoutNow runs: resized containers then lay out at once
// even in a window not shown yet.
int layoutsForced = 0;

// What a container window asks of its object.
class PaneHost {
public:
    virtual ~PaneHost() = default;
    virtual void arrange() = 0;
};

void arrangeNow(HWND container, PaneHost& host) {
    takeLayoutRequest(container);
    host.arrange();
}

LRESULT CALLBACK paneProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (reflectToControl(message, wParam, lParam, result)) return result;
    auto* host = reinterpret_cast<PaneHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (host != nullptr && message == WM_SIZE) {
        // A window not on screen lays out once, when it shows: sizing it
        // and giving it a menu bar before then costs no layout passes.
        if (layoutsForced > 0 || IsWindowVisible(hwnd)) arrangeNow(hwnd, *host);
        else requestLayout(hwnd);
        return 0;
    }
    if (message == LayoutMessage) {
        // A layout since the request (the one at the window's first
        // showing) has answered it already.
        if (takeLayoutRequest(hwnd) && host != nullptr) host->arrange();
        return 0;
    }
    // A multi-line edit posts this to its parent on Escape. A container is
    // never destroyed by it (its objects would outlive their windows): it
    // is Escape for the top-level window, which a dialog takes as a close.
    if (message == WM_CLOSE) {
        SendMessageW(GetAncestor(hwnd, GA_ROOT), WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

ControlBlueprint paneBlueprint() { return {PaneClass, L"", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT}; }

// A container's window was just made: it answers to host.
void hostPane(HWND pane, PaneHost& host) {
    SetWindowLongPtrW(pane, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&host));
}

void place(rt::Component& child, const rt::Rect& r) { dynamic_cast<Native&>(child).placeAt(r); }

rt::Size clientSize(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

// The grid-bag layout manager of one container: a copy of the constraints
// registered for each component.
class GridBagImpl final : public rt::GridBag {
public:
    explicit GridBagImpl(HWND container) : container_(container) {}
    void setConstraints(rt::Component& component, const rt::CellConstraints& constraints) override {
        constraints_[&component] = constraints;
        invalidateLayoutAround(container_);
    }
    rt::CellConstraints constraintsOf(const rt::Component& component) const override {
        auto found = constraints_.find(&component);
        return found != constraints_.end() ? found->second : rt::CellConstraints{};
    }

private:
    HWND container_;
    std::map<const rt::Component*, rt::CellConstraints> constraints_;
};

enum class Arrangement { Border, Flow, GridBag };

// The components of a container get their windows when the container gets
// its own, in the order they were added.
template <class Iface>
class ContainerImpl : public ComponentImpl<Iface>, public PaneHost, private Holder {
public:
    // A window's content pane is in that window from the start.
    ContainerImpl(Arrangement arrangement, bool windowContent)
        : ComponentImpl<Iface>(paneBlueprint()), arrangement_(arrangement), windowContent_(windowContent) {}

    rt::GridBag& setGridBagLayout() override {
        arrangement_ = Arrangement::GridBag;
        gridBag_ = std::make_unique<GridBagImpl>(this->hwnd());
        invalidateLayoutAround(this->hwnd());
        return *gridBag_;
    }

    void add(rt::Component& component) override { add(component, rt::BorderPlace::Center); }

    void add(rt::Component& component, rt::BorderPlace place) override {
        auto& native = dynamic_cast<Native&>(component);
        if (Holder* old = native.holder(); old != nullptr && old != this) old->release(component);
        native.heldBy(this);
        if (arrangement_ == Arrangement::Border) {
            // A component added at an occupied place replaces the one there.
            if (rt::Component* old = border_.put(component, place)) old->setVisible(false);
        }
        // A component added again moves to the end instead of being listed twice.
        std::erase(children_, &component);
        children_.push_back(&component);
        if (this->hwnd() != nullptr) {
            placeInParent(component, this->hwnd());
            invalidateLayoutAround(hwndOf(component));
        } else if (HWND child = hwndOf(component)) {
            // Moved here from a container shown elsewhere: it goes from
            // there now and shows here once this container has its window.
            ShowWindow(child, SW_HIDE);
        }
    }

    int componentCount() const override { return static_cast<int>(children_.size()); }
    rt::Component& componentAt(int index) const override { return *children_.at(static_cast<std::size_t>(index)); }

    rt::Size preferredSize() const override { return measure(false); }
    rt::Size minimumSize() const override { return measure(true); }

    void arrange() override {
        const rt::Size area = clientSize(this->hwnd());
        switch (arrangement_) {
        case Arrangement::Border: arrangeBorder(area); break;
        case Arrangement::Flow: arrangeFlow(area); break;
        case Arrangement::GridBag: arrangeGridBag(area); break;
        }
    }

protected:
    // Laid out first: the components' windows are made at their places.
    void created() override {
        hostPane(this->hwnd(), *this);
        arrange();
        for (rt::Component* child : children_) placeInParent(*child, this->hwnd());
    }

private:
    // Laid out no more here: it lies in another container now.
    void release(rt::Component& component) override {
        std::erase(children_, &component);
        border_.remove(component);
        invalidateLayoutAround(this->hwnd());
    }
    bool holdsInWindow() const override { return windowContent_ || this->placedInWindow(); }

    // The shown components at their places, with their sizes.
    rt::border::Items borderItems() const {
        rt::border::Items items;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const rt::Component* c = border_.all()[i];
            if (c != nullptr && c->isVisible()) items[i] = rt::border::Item{c->preferredSize(), c->minimumSize()};
        }
        return items;
    }

    static std::vector<rt::Size> flowSizes(const std::vector<rt::Component*>& children) {
        std::vector<rt::Size> sizes;
        for (const rt::Component* c : children) sizes.push_back(c->preferredSize());
        return sizes;
    }

    rt::Size measure(bool minimum) const {
        switch (arrangement_) {
        case Arrangement::Border:
            return minimum ? rt::border::minimumLayoutSize(borderItems()) : rt::border::preferredLayoutSize(borderItems());
        case Arrangement::Flow: return rt::flow::preferredLayoutSize(flowSizes(visibleChildren()));
        case Arrangement::GridBag: {
            std::vector<rt::Component*> placed;
            const auto items = gridItems(placed);
            return minimum ? rt::gridbag::minimumLayoutSize(items) : rt::gridbag::preferredLayoutSize(items);
        }
        }
        return {};
    }

    std::vector<rt::Component*> visibleChildren() const {
        std::vector<rt::Component*> result;
        for (rt::Component* c : children_)
            if (c->isVisible()) result.push_back(c);
        return result;
    }

    std::vector<rt::gridbag::Item> gridItems(std::vector<rt::Component*>& placed) const {
        std::vector<rt::gridbag::Item> items;
        for (rt::Component* c : visibleChildren()) {
            items.push_back({gridBag_->constraintsOf(*c), c->preferredSize(), c->minimumSize()});
            placed.push_back(c);
        }
        return items;
    }

    void arrangeGridBag(rt::Size area) {
        std::vector<rt::Component*> placed;
        const auto rects = rt::gridbag::layout(gridItems(placed), area);
        for (std::size_t i = 0; i < placed.size() && i < rects.size(); ++i) place(*placed[i], rects[i]);
    }

    void arrangeFlow(rt::Size area) {
        const auto children = visibleChildren();
        const auto rects = rt::flow::layout(flowSizes(children), area);
        for (std::size_t i = 0; i < children.size(); ++i) place(*children[i], rects[i]);
    }

    void arrangeBorder(rt::Size area) {
        const rt::border::Items items = borderItems();
        const rt::border::Rects rects = rt::border::layout(items, area);
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i]) place(*border_.all()[i], rects[i]);
    }

    Arrangement arrangement_;
    bool windowContent_;
    std::unique_ptr<GridBagImpl> gridBag_;
    rt::border::Occupants<rt::Component> border_;
    std::vector<rt::Component*> children_;
};

// A plain panel, painted by its painter over its background.
class PanelImpl final : public ContainerImpl<rt::Panel> {
public:
    PanelImpl() : ContainerImpl(Arrangement::Flow, false) {}
    void setPainter(rt::Painter* painter) override {
        painter_ = painter;
        repaint();
    }
    void repaint() override {
        if (hwnd() != nullptr) InvalidateRect(hwnd(), nullptr, TRUE);
    }

protected:
    bool before(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message == WM_LBUTTONDOWN) focusScrollPaneAround(hwnd());
        if (message != WM_PAINT || painter_ == nullptr) return false;
        paintWith(hwnd(), hfont(), *painter_);
        result = 0;
        return true;
    }

private:
    rt::Painter* painter_ = nullptr;
};

// How far to scroll so that the span low..high shows in 0..size, its
// start first.
int revealingShift(int low, int high, int size) { return low < 0 ? low : std::max(0, std::min(high - size, low)); }

// A view that scrolls itself (list, text area) fills the pane and shows its
// own scroll bars as needed. Any other view (a panel) gets its preferred
// size, at least the pane's, and the pane scrolls it with bars of its own,
// each shown while the view does not fit that way.
class ScrollPaneImpl final : public ComponentImpl<rt::ScrollPane>, public PaneHost, private Holder {
public:
    // The pane holds its view: a view in a window's pane is in that window.
    explicit ScrollPaneImpl(rt::Component& view) : ComponentImpl(paneBlueprint()), view_(view) {
        dynamic_cast<Native&>(view).heldBy(this);
    }
    rt::Component& view() const override { return view_; }
    rt::Size preferredSize() const override { return view_.preferredSize(); }
    rt::Size minimumSize() const override { return view_.minimumSize(); }
    void arrange() override {
        if (scrollsItself()) {
            const rt::Size area = clientSize(hwnd());
            place(view_, {0, 0, area.width, area.height});
            return;
        }
        // Showing or hiding a bar resizes the client area, which arranges
        // again: the outer call finishes the work.
        if (std::exchange(arranging_, true)) return;
        setBars(view_.preferredSize());
        arranging_ = false;
        placeView();
    }

    bool scrollsByKeyboard() const override { return !scrollsItself(); }
    bool scrollsItself() const override { return dynamic_cast<const Native&>(view_).scrollsItself(); }

    // Scrolls as little as brings the descendant's window into sight (its
    // top-left corner when it is larger than the pane).
    void reveal(HWND descendant) override {
        RECT r;
        GetWindowRect(descendant, &r);
        MapWindowPoints(HWND_DESKTOP, hwnd(), reinterpret_cast<POINT*>(&r), 2);
        const rt::Size area = clientSize(hwnd());
        setPosition(SB_HORZ, position(SB_HORZ) + revealingShift(r.left, r.right, area.width), false);
        setPosition(SB_VERT, position(SB_VERT) + revealingShift(r.top, r.bottom, area.height));
    }

protected:
    void created() override {
        hostPane(hwnd(), *this);
        arrange();
        placeInParent(view_, hwnd());
    }

    bool before(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        if (scrollsItself()) return false;
        switch (message) {
        case WM_MOUSEWHEEL: wheel(GET_WHEEL_DELTA_WPARAM(wParam)); break;
        case WM_HSCROLL:
        case WM_VSCROLL: scrollTo(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam)); break;
        case WM_LBUTTONDOWN: focusComponent(hwnd()); return false;
        case WM_GETDLGCODE: result = DLGC_WANTARROWS; return true;
        case WM_KEYDOWN: return key(static_cast<UINT>(wParam));
        default: return false;
        }
        result = 0;
        return true;
    }

private:
    // Arrows scroll a line their way; Page Up/Down, Home and End scroll the
    // vertical bar when shown, else the horizontal one, as the wheel does.
    bool key(UINT code) {
        const int main = mainBar();
        switch (code) {
        case VK_LEFT: scrollTo(SB_HORZ, SB_LINEUP); break;
        case VK_RIGHT: scrollTo(SB_HORZ, SB_LINEDOWN); break;
        case VK_UP: scrollTo(SB_VERT, SB_LINEUP); break;
        case VK_DOWN: scrollTo(SB_VERT, SB_LINEDOWN); break;
        case VK_PRIOR: scrollTo(main, SB_PAGEUP); break;
        case VK_NEXT: scrollTo(main, SB_PAGEDOWN); break;
        case VK_HOME: scrollTo(main, SB_TOP); break;
        case VK_END: scrollTo(main, SB_BOTTOM); break;
        default: return false;
        }
        return true;
    }

    int mainBar() const { return (GetWindowLongW(hwnd(), GWL_STYLE) & WS_VSCROLL) != 0 ? SB_VERT : SB_HORZ; }

    // Which bars the view needs in the pane's whole area, each bar taking
    // room from the other direction.
    void setBars(rt::Size wanted) {
        const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
        const int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYHSCROLL);
        rt::Size whole = clientSize(hwnd());
        if ((style & WS_VSCROLL) != 0) whole.width += barWidth;
        if ((style & WS_HSCROLL) != 0) whole.height += barHeight;
        bool vertical = wanted.height > whole.height;
        const bool horizontal = wanted.width > whole.width - (vertical ? barWidth : 0);
        vertical = wanted.height > whole.height - (horizontal ? barHeight : 0);
        setBar(SB_HORZ, wanted.width, whole.width - (vertical ? barWidth : 0));
        setBar(SB_VERT, wanted.height, whole.height - (horizontal ? barHeight : 0));
    }

    // A range of the view's extent with a page of the visible part; a bar
    // whose page covers its range is hidden.
    void setBar(int bar, int extent, int visible) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMax = std::max(extent, 1) - 1;
        info.nPage = static_cast<UINT>(std::max(visible, 0));
        SetScrollInfo(hwnd(), bar, &info, TRUE);
    }

    int position(int bar) const {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_POS;
        GetScrollInfo(hwnd(), bar, &info);
        return info.nPos;
    }

    void placeView() {
        const rt::Size area = clientSize(hwnd()), wanted = view_.preferredSize();
        place(view_, {-position(SB_HORZ), -position(SB_VERT), std::max(wanted.width, area.width),
                              std::max(wanted.height, area.height)});
    }

    void scrollTo(int bar, WORD request) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        GetScrollInfo(hwnd(), bar, &info);
        const int line = fontUnits(hfont()).cy;
        const int page = static_cast<int>(info.nPage);
        int pos = info.nPos;
        switch (request) {
        case SB_LINEUP: pos -= line; break;
        case SB_LINEDOWN: pos += line; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = info.nTrackPos; break;
        case SB_TOP: pos = info.nMin; break;
        case SB_BOTTOM: pos = info.nMax; break;
        default: return;
        }
        setPosition(bar, pos);
    }

    // Three lines a notch, down or right for a turn towards the user; the
    // vertical bar when shown, else the horizontal one.
    void wheel(int delta) {
        const int bar = mainBar();
        setPosition(bar, position(bar) - delta * 3 * fontUnits(hfont()).cy / WHEEL_DELTA);
    }

    // Clamped to the bar's range by the system.
    void setPosition(int bar, int pos, bool place = true) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_POS;
        info.nPos = pos;
        SetScrollInfo(hwnd(), bar, &info, TRUE);
        if (place) placeView();
    }

    // A view taken into a container is held there; the pane lists nothing.
    void release(rt::Component&) override {}
    bool holdsInWindow() const override { return placedInWindow(); }

    rt::Component& view_;
    bool arranging_ = false;
};

class AppletPanelImpl final : public ComponentImpl<rt::AppletPanel>, public PaneHost {
public:
    AppletPanelImpl() : ComponentImpl(paneBlueprint()), content_(makeContentPane(false)) {}
    // The host owns this object: the window goes with it unless a
    // container destroyed it already.
    ~AppletPanelImpl() override {
        if (hwnd() != nullptr) destroyWindowOnly(hwnd());
    }
    rt::Container& contentPane() override { return *content_; }
    void updateStyle() override {
        if (hwnd() == nullptr) return;
        applyCurrentStyle(hwnd());
        layoutNow(hwndOf(*content_));
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    rt::Size preferredSize() const override { return content_->preferredSize(); }
    rt::Size minimumSize() const override { return content_->minimumSize(); }
    void arrange() override {
        const rt::Size area = clientSize(hwnd());
        place(*content_, {0, 0, area.width, area.height});
    }

protected:
    bool deletedWithWindow() const override { return false; }
    void created() override {
        hostPane(hwnd(), *this);
        arrange();
        placeInParent(*content_, hwnd());
    }

private:
    rt::Container* content_;
};

}  // namespace

void registerContainerClass(WNDCLASSEXW base) {
    base.lpfnWndProc = paneProcedure;
    base.lpszClassName = PaneClass;
    base.style = CS_DBLCLKS;
    containerAtom = RegisterClassExW(&base);
}

bool isContainerWindow(HWND hwnd) {
    return containerAtom != 0 && GetClassLongPtrW(hwnd, GCW_ATOM) == containerAtom;
}

void layoutNow(HWND container) {
    auto* host = reinterpret_cast<PaneHost*>(GetWindowLongPtrW(container, GWLP_USERDATA));
    if (host == nullptr) return;
    ++layoutsForced;
    arrangeNow(container, *host);
    --layoutsForced;
}

rt::Container* makeContentPane(bool ofWindow) {
    return new ContainerImpl<rt::Container>(Arrangement::Border, ofWindow);
}
rt::Panel* makePanel() { return new PanelImpl; }
rt::ScrollPane* makeScrollPane(rt::Component& view) { return new ScrollPaneImpl(view); }
std::unique_ptr<rt::AppletPanel> makeAppletPanel() { return std::make_unique<AppletPanelImpl>(); }

}  // namespace rtwin
