// Menu bar, menus and menu items on menu handles. Items are found by their
// command id when the frame receives the command.

#include "runtime/win32/Menus.h"

#include <map>

#include "runtime/Widgets.h"
#include "runtime/win32/Factories.h"

namespace rtwin {

namespace {

class MenuBarImpl;
class MenuImpl;

class MenuItemImpl final : public rt::MenuItem {
public:
    MenuItemImpl(const rt::String& text, UINT id) : text_(text), id_(id) { items()[id] = this; }
    ~MenuItemImpl() override { items().erase(id_); }

    static std::map<UINT, MenuItemImpl*>& items() {
        static std::map<UINT, MenuItemImpl*> byId;
        return byId;
    }

    UINT id() const { return id_; }
    void placedIn(MenuImpl& menu) { menu_ = &menu; }
    MenuImpl* menu() const { return menu_; }
    void fire() { listeners_.fire(*this); }

    rt::String text() const override { return text_; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }
    void addActionListener(std::unique_ptr<rt::ActionListener> listener) override { listeners_.add(std::move(listener)); }

private:
    rt::String text_;
    UINT id_;
    bool enabled_ = true;
    MenuImpl* menu_ = nullptr;
    ActionListeners listeners_;
};

class MenuImpl final : public rt::Menu {
public:
    explicit MenuImpl(std::optional<rt::String> title) : handle_(CreatePopupMenu()), title_(std::move(title)) {}
    // The menu handle goes with the bar's.
    ~MenuImpl() override {
        for (MenuItemImpl* item : items_) delete item;
    }
    HMENU handle() const { return handle_; }
    void placedIn(MenuBarImpl& bar) { bar_ = &bar; }
    MenuBarImpl* bar() const { return bar_; }
    std::optional<rt::String> title() const override { return title_; }
    void add(rt::MenuItem& item) override {
        auto& impl = dynamic_cast<MenuItemImpl&>(item);
        AppendMenuW(handle_, MF_STRING | (impl.isEnabled() ? 0 : MF_GRAYED), impl.id(), toCaption(impl.text()).c_str());
        impl.placedIn(*this);
        items_.push_back(&impl);
    }
    int itemCount() const override { return static_cast<int>(items_.size()); }
    rt::MenuItem& itemAt(int index) const override { return *items_.at(static_cast<std::size_t>(index)); }

private:
    HMENU handle_;
    std::optional<rt::String> title_;
    MenuBarImpl* bar_ = nullptr;
    std::vector<MenuItemImpl*> items_;
};

class MenuBarImpl final : public rt::MenuBar {
public:
    MenuBarImpl() : handle_(CreateMenu()) {}
    HMENU handle() const { return handle_; }
    HWND frame() const { return frame_; }
    void installedOn(HWND frame) {
        installed_ = true;
        frame_ = frame;
    }
    int menuCount() const override { return static_cast<int>(menus_.size()); }
    rt::Menu& menuAt(int index) const override { return *menus_.at(static_cast<std::size_t>(index)); }
    // A bar never installed goes with its menus; an installed one is the
    // frame's.
    void dispose() override {
        if (installed_) return;
        DestroyMenu(handle_);
        for (MenuImpl* menu : menus_) delete menu;
        delete this;
    }
    void add(rt::Menu& menu) override {
        auto& impl = dynamic_cast<MenuImpl&>(menu);
        const std::wstring title = impl.title() ? toCaption(*impl.title()) : std::wstring();
        AppendMenuW(handle_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(impl.handle()), title.c_str());
        impl.placedIn(*this);
        menus_.push_back(&impl);
        if (frame_ != nullptr) DrawMenuBar(frame_);
    }

private:
    HMENU handle_;
    // Installed on a frame, whose window may not be made yet (null).
    bool installed_ = false;
    HWND frame_ = nullptr;
    std::vector<MenuImpl*> menus_;
};

void MenuItemImpl::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (menu_ != nullptr) EnableMenuItem(menu_->handle(), id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

UINT nextMenuId() {
    static UINT id = 0x1000;
    return ++id;
}

}  // namespace

HMENU installMenuBar(rt::MenuBar& bar, HWND frame) {
    auto& impl = dynamic_cast<MenuBarImpl&>(bar);
    impl.installedOn(frame);
    return impl.handle();
}

bool menuCommand(UINT id) {
    auto found = MenuItemImpl::items().find(id);
    if (found == MenuItemImpl::items().end() || !found->second->isEnabled()) return false;
    found->second->fire();
    return true;
}

void chooseMenuItem(rt::MenuItem& item) {
    auto& impl = dynamic_cast<MenuItemImpl&>(item);
    if (!impl.isEnabled()) return;
    HWND frame = impl.menu() != nullptr && impl.menu()->bar() != nullptr ? impl.menu()->bar()->frame() : nullptr;
    if (frame != nullptr && GetMenu(frame) != nullptr) {
        if (IsWindowEnabled(frame)) SendMessageW(frame, WM_COMMAND, MAKEWPARAM(impl.id(), 0), 0);
    } else {
        impl.fire();
    }
}

rt::MenuBar* makeMenuBar() { return new MenuBarImpl; }
rt::Menu* makeMenu(const std::optional<rt::String>& title) { return new MenuImpl(title); }
rt::MenuItem* makeMenuItem(const rt::String& text) { return new MenuItemImpl(text, nextMenuId()); }

}  // namespace rtwin
