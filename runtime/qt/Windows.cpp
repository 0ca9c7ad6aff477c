// Frames, dialogs and the applet panel. A window's close control only tells
// the window listeners (windowClosing); the listeners decide what happens.
// Showing a modal dialog runs a nested event loop until it is hidden. A
// window hidden and shown again is put back where it was: a window manager
// would otherwise place it anew (and shift it by its frame) on every return.

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <optional>

#include "runtime/Placement.h"
#include "runtime/Widgets.h"
#include "runtime/WindowLifecycle.h"
#include "runtime/qt/Containers.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"
#include "runtime/qt/Menus.h"
#include "runtime/qt/ProgramIcon.h"
#include "runtime/qt/WindowShells.h"

namespace rtqt {

namespace {

constexpr const char* WindowProperty = "rtWindow";

// What a window's widget reports to the window object.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void closeRequested() = 0;
    virtual void shown() = 0;
    virtual void hidden() = 0;
    virtual void activated(bool active) = 0;
    virtual void iconified(bool iconic) = 0;
};

// Re-styles the widget and everything inside it for the current style.
void restyleTree(QWidget* root) {
    QStyle* style = QApplication::style();
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        style->unpolish(w);
        style->polish(w);
        QEvent changed(QEvent::StyleChange);
        QApplication::sendEvent(w, &changed);
    }
}

template <class QBase>
class Shell : public QBase {
public:
    explicit Shell(QWidget* parent) : QBase(parent) {}
    WindowEvents* events = nullptr;
    // Pressed by Enter that no focused widget took (a text field leaves it).
    QPointer<QPushButton> defaultButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (!enter || defaultButton.isNull() || !defaultButton->isEnabled() || !defaultButton->isVisible()) {
            QBase::keyPressEvent(event);
            return;
        }
        if (!event->isAutoRepeat()) defaultButton->click();
        event->accept();
    }
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (events != nullptr) events->closeRequested();
    }
    void showEvent(QShowEvent* event) override {
        QBase::showEvent(event);
        if (events != nullptr && !event->spontaneous()) events->shown();
    }
    void hideEvent(QHideEvent* event) override {
        QBase::hideEvent(event);
        if (events != nullptr && !event->spontaneous()) events->hidden();
    }
    void changeEvent(QEvent* event) override {
        QBase::changeEvent(event);
        if (events == nullptr) return;
        if (event->type() == QEvent::ActivationChange) events->activated(this->isActiveWindow());
        if (event->type() == QEvent::WindowStateChange) events->iconified(this->windowState() & Qt::WindowMinimized);
    }
};

using FrameShell = Shell<QWidget>;

class DialogShell final : public Shell<QDialog> {
public:
    using Shell::Shell;

protected:
    // Escape asks to close, like the close control; it does not hide.
    void reject() override {
        if (events != nullptr) events->closeRequested();
    }
};

class WindowHolder {
public:
    virtual ~WindowHolder() = default;
    virtual QWidget* shellWidget() const = 0;
};

template <class Iface, class ShellT>
class WindowImpl : public Iface, public WindowEvents, public WindowHolder {
public:
    explicit WindowImpl(ShellT* shell) : shell_(shell), layout_(new QVBoxLayout(shell)), content_(makeContentPane()) {
        shell->events = this;
        shell->setProperty(WindowProperty, QVariant::fromValue(static_cast<void*>(static_cast<rt::Window*>(this))));
        layout_->setContentsMargins(0, 0, 0, 0);
        layout_->setSpacing(0);
        // The size asked for is the size shown: the content's minimum does
        // not become the window's.
        layout_->setSizeConstraint(QLayout::SetNoConstraint);
        layout_->addWidget(widgetOfComponent(*content_));
    }
    ~WindowImpl() override {
        if (shell_.isNull()) return;
        shell_->events = nullptr;
        releaseOwnedWindows();
        delete shell_.data();
    }

    QWidget* shellWidget() const override { return shell_; }
    rt::Container& contentPane() override { return *content_; }
    rt::String title() const override { return fromQ(shell_->windowTitle()); }
    void setTitle(const rt::String& title) override { shell_->setWindowTitle(toQ(title)); }
    rt::Size size() const override { return fromQ(shell_->size()); }
    void setSize(int width, int height) override { shell_->resize(width, height); }
    rt::Point location() const override { return {shell_->x(), shell_->y()}; }
    void setLocation(rt::Point location) override { moveTo({location.x, location.y}); }
    bool isVisible() const override { return shell_->isVisible(); }

    void setLocationRelativeTo(const rt::Window& other) override {
        const QWidget* over = windowWidget(other);
        const rt::Point placed =
            rt::placeOver(fromQ(shell_->frameGeometry().size()), fromQ(over->frameGeometry()),
                          fromQ(over->screen()->availableGeometry()));
        moveTo({placed.x, placed.y});
    }

    void setDefaultButton(rt::Button* button) override {
        shell_->defaultButton = button != nullptr ? qobject_cast<QPushButton*>(widgetOfComponent(*button)) : nullptr;
    }

    void setVisible(bool visible) override {
        if (!visible) {
            hide();
        } else if (shell_->isVisible()) {
            shell_->raise();
            shell_->activateWindow();
        } else {
            lifecycle_.showing();
            if (shownAt_) shell_->windowHandle()->setPosition(*std::exchange(shownAt_, std::nullopt));
            showWithProgramIcon(*shell_);
            // A listener may have disposed of it while it opened: then there
            // is no hiding left to end the wait.
            if (shell_->isModal() && shell_->isVisible()) runModalLoop();
        }
    }

    void dispose() override {
        lifecycle_.dispose([this] { hide(); });
    }

    void validate() override {
        layout_->invalidate();
        layout_->activate();
        shell_->update();
    }

    void updateStyle() override {
        restyleTree(shell_);
        validate();
    }

    void addWindowListener(std::unique_ptr<rt::WindowListener> listener) override {
        lifecycle_.add(std::move(listener));
    }
    void addWindowListener(rt::WindowListener& listener) override { lifecycle_.add(listener); }

    void closeRequested() override { lifecycle_.fire(&rt::WindowListener::windowClosing); }
    void shown() override { lifecycle_.shown(); }
    void hidden() override { lifecycle_.hidden(); }
    void activated(bool active) override {
        lifecycle_.fire(active ? &rt::WindowListener::windowActivated : &rt::WindowListener::windowDeactivated);
    }
    void iconified(bool iconic) override {
        lifecycle_.fire(iconic ? &rt::WindowListener::windowIconified : &rt::WindowListener::windowDeiconified);
    }

protected:
    ShellT& shell() const { return *shell_; }
    QVBoxLayout& layout() const { return *layout_; }

private:
    // An explicit place replaces the one remembered at hiding.
    void moveTo(QPoint frameTopLeft) {
        shownAt_.reset();
        shell_->move(frameTopLeft);
    }

    void hide() {
        // The inner position: Qt then places the window exactly there on
        // its return, whatever frame the window manager adds (a frame
        // position would be placed anew or shifted by the frame).
        if (shell_->isVisible()) shownAt_ = shell_->geometry().topLeft();
        shell_->hide();
    }

    // Windows owned by this one belong to their own window objects, which
    // may outlive it: they lose their owner (and are hidden, as owned
    // windows are when their owner goes) instead of being destroyed with it.
    void releaseOwnedWindows() {
        for (QWidget* child : shell_->template findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isWindow() && windowOfWidget(child) != nullptr) child->setParent(nullptr, child->windowFlags());
        }
    }

    void runModalLoop() {
        QEventLoop loop;
        lifecycle_.runModal([&loop] { loop.exec(QEventLoop::DialogExec); }, [&loop] { loop.quit(); });
    }

    QPointer<ShellT> shell_;
    QVBoxLayout* layout_;
    rt::Container* content_;
    rt::WindowLifecycle lifecycle_{*this};
    std::optional<QPoint> shownAt_;
};

class FrameImpl final : public WindowImpl<rt::Frame, FrameShell> {
public:
    FrameImpl() : WindowImpl(new FrameShell(nullptr)) {}
    void setMenuBar(rt::MenuBar& bar) override {
        layout().setMenuBar(menuBarWidget(bar));
        bar_ = &bar;
    }
    rt::MenuBar* menuBar() const override { return bar_; }

private:
    rt::MenuBar* bar_ = nullptr;
};

class DialogImpl final : public WindowImpl<rt::Dialog, DialogShell> {
public:
    DialogImpl(rt::Frame* owner, bool modal)
        : WindowImpl(new DialogShell(owner != nullptr ? windowWidget(*owner) : nullptr)) {
        shell().setModal(modal);
    }
    bool isModal() const override { return shell().isModal(); }
    // Null once the owner is gone.
    rt::Frame* owner() const override { return dynamic_cast<rt::Frame*>(windowOfWidget(shell().parentWidget())); }
};

class AppletPanelImpl final : public ComponentImpl<rt::AppletPanel> {
public:
    // The host owns this object (not the widget's parent): it takes the
    // widget with it unless a container already destroyed that.
    explicit AppletPanelImpl(QWidget* panel)
        : ComponentImpl(panel, panel), panel_(panel), content_(makeContentPane()) {
        setParent(nullptr);
        auto* layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(widgetOfComponent(*content_));
    }
    ~AppletPanelImpl() override { delete panel_.data(); }
    rt::Container& contentPane() override { return *content_; }
    void updateStyle() override {
        restyleTree(panel_);
        if (QLayout* layout = panel_->layout()) layout->activate();
        panel_->update();
    }

private:
    QPointer<QWidget> panel_;
    rt::Container* content_;
};

}  // namespace

QWidget* windowWidget(const rt::Window& window) {
    auto* holder = dynamic_cast<const WindowHolder*>(&window);
    return holder != nullptr ? holder->shellWidget() : nullptr;
}

rt::Window* windowOfWidget(const QWidget* widget) {
    return widget != nullptr ? static_cast<rt::Window*>(widget->property(WindowProperty).value<void*>()) : nullptr;
}

std::unique_ptr<rt::Frame> makeFrame() { return std::make_unique<FrameImpl>(); }

std::unique_ptr<rt::Dialog> makeDialog(rt::Frame* owner, bool modal) {
    return std::make_unique<DialogImpl>(owner, modal);
}

std::unique_ptr<rt::AppletPanel> makeAppletPanel() {
    return std::make_unique<AppletPanelImpl>(new QWidget);
}

}  // namespace rtqt
