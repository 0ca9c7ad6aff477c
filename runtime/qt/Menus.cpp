// Menu bar, menus and menu items. Each rt object is a child of its Qt object
// and lives as long as it; adding reparents the Qt object to its new owner.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"
#include "runtime/qt/Menus.h"

namespace rtqt {

namespace {

class MenuItemImpl final : public QObject, public rt::MenuItem {
public:
    explicit MenuItemImpl(QAction* action) : QObject(action), action_(action) {
        QObject::connect(action, &QAction::triggered, this, [this] { listeners_.fire(*this); });
    }
    QAction* action() const { return action_; }
    rt::String text() const override { return fromCaption(action_->text()); }
    void setEnabled(bool enabled) override { action_->setEnabled(enabled); }
    bool isEnabled() const override { return action_->isEnabled(); }
    void addActionListener(std::unique_ptr<rt::ActionListener> listener) override { listeners_.add(std::move(listener)); }

private:
    QAction* action_;
    ActionListeners listeners_;
};

class MenuImpl final : public QObject, public rt::Menu {
public:
    MenuImpl(QMenu* menu, std::optional<rt::String> title) : QObject(menu), menu_(menu), title_(std::move(title)) {}
    QMenu* menu() const { return menu_; }
    std::optional<rt::String> title() const override { return title_; }
    void add(rt::MenuItem& item) override {
        auto& impl = dynamic_cast<MenuItemImpl&>(item);
        impl.action()->setParent(menu_);
        menu_->addAction(impl.action());
        items_.push_back(&impl);
    }
    int itemCount() const override { return static_cast<int>(items_.size()); }
    rt::MenuItem& itemAt(int index) const override { return *items_.at(static_cast<size_t>(index)); }

private:
    QMenu* menu_;
    std::optional<rt::String> title_;
    std::vector<MenuItemImpl*> items_;
};

class MenuBarImpl final : public QObject, public rt::MenuBar {
public:
    explicit MenuBarImpl(QMenuBar* bar) : QObject(bar), bar_(bar) {}
    QMenuBar* bar() const { return bar_; }
    int menuCount() const override { return static_cast<int>(menus_.size()); }
    rt::Menu& menuAt(int index) const override { return *menus_.at(static_cast<size_t>(index)); }
    void add(rt::Menu& menu) override {
        auto& impl = dynamic_cast<MenuImpl&>(menu);
        impl.menu()->setParent(bar_, impl.menu()->windowFlags());
        bar_->addMenu(impl.menu());
        menus_.push_back(&impl);
    }
    // Deletes this object too: it is a child of the bar.
    void dispose() override {
        if (bar_->parentWidget() == limbo()) delete bar_;
    }

private:
    QMenuBar* bar_;
    std::vector<MenuImpl*> menus_;
};

}  // namespace

QMenuBar* menuBarWidget(const rt::MenuBar& bar) { return dynamic_cast<const MenuBarImpl&>(bar).bar(); }
QAction* actionOf(const rt::MenuItem& item) { return dynamic_cast<const MenuItemImpl&>(item).action(); }

rt::MenuBar* makeMenuBar() {
    auto* bar = new QMenuBar(limbo());
    bar->setNativeMenuBar(false);
    return new MenuBarImpl(bar);
}

rt::Menu* makeMenu(const std::optional<rt::String>& title) {
    return new MenuImpl(new QMenu(title ? toCaption(*title) : QString(), limbo()), title);
}

rt::MenuItem* makeMenuItem(const rt::String& text) { return new MenuItemImpl(new QAction(toCaption(text), limbo())); }

}  // namespace rtqt
