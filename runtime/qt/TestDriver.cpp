// The test driver: real mouse and key events sent to the widgets, and modal
// windows answered from inside their nested event loop as soon as they show.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "runtime/TestDriverBase.h"
#include "runtime/qt/Core.h"
#include "runtime/qt/Driver.h"
#include "runtime/qt/Menus.h"
#include "runtime/qt/TestHooks.h"
#include "runtime/qt/WindowShells.h"

namespace rtqt {

namespace {

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, quint64 time, bool held = true) {
    const bool release = type == QEvent::MouseButtonRelease;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = held && !release ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(target, &event);
}

void sendKey(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

class Driver;

class OpenModal final : public rt::ModalWindow {
public:
    OpenModal(Driver& driver, QWidget* window) : driver_(driver), window_(window) {}
    rt::String title() const override { return fromQ(window_->windowTitle()); }
    rt::Size size() const override { return fromQ(window_->size()); }
    rt::String text() const override {
        auto* area = window_->findChild<QPlainTextEdit*>();
        return area != nullptr ? fromQ(area->toPlainText()) : rt::String();
    }
    rt::Window* window() const override { return windowOfWidget(window_); }
    void setFieldText(int index, const rt::String& text) override;
    void pressButton(const rt::String& caption) override;
    void closeBox() override { window_->close(); }
    void clickText() override;

private:
    Driver& driver_;
    QPointer<QWidget> window_;
};

class Driver final : public QObject, public rt::TestDriverBase, private TestHooks {
public:
    // Windows already open count as shown before any that opens later.
    Driver() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) shownWindows_.emplace_back(w);
        }
        qApp->installEventFilter(this);
        testHooks = this;
    }
    ~Driver() override {
        testHooks = nullptr;
        if (qApp != nullptr) qApp->removeEventFilter(this);
    }

    // clicks presses and releases at one point; the second press is a
    // double click, as a real mouse reports it.
    void click(QWidget* target, QPoint at, int clicks = 1) {
        takeClickFocus(target);
        quint64 time = clock_.nextGesture();
        for (int i = 0; i < clicks; ++i) {
            if (i > 0) time = clock_.withinGesture();
            sendMouse(target, i == 1 ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, at, time);
            sendMouse(target, QEvent::MouseButtonRelease, at, time + 5);
        }
    }

    void clickAt(rt::Component& component, rt::Point point, int clicks) override {
        click(mouseWidgetOfComponent(component), {point.x, point.y}, clicks);
    }

    void movePointer(rt::Component& component, const std::vector<rt::Point>& path, bool drag) override {
        if (path.empty()) return;
        QWidget* target = mouseWidgetOfComponent(component);
        const QPoint first(path.front().x, path.front().y);
        QEnterEvent enter(first, first, target->mapToGlobal(first));
        QApplication::sendEvent(target, &enter);
        quint64 time = clock_.nextGesture();
        if (drag) sendMouse(target, QEvent::MouseButtonPress, first, time);
        for (std::size_t i = 1; i < path.size(); ++i)
            sendMouse(target, QEvent::MouseMove, {path[i].x, path[i].y}, time = clock_.withinGesture(), drag);
        if (drag) sendMouse(target, QEvent::MouseButtonRelease, {path.back().x, path.back().y}, clock_.withinGesture());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(target, &leave);
    }

    void pressButton(rt::Button& button) override {
        QWidget* w = widgetOfComponent(button);
        click(w, w->rect().center());
    }

    void chooseMenuItem(rt::MenuItem& item) override {
        QAction* action = actionOf(item);
        auto* menu = qobject_cast<QMenu*>(action->parent());
        if (action->isEnabled() && (menu == nullptr || menu->isEnabled())) action->activate(QAction::Trigger);
    }

    void clickListRow(rt::ListBox& list, int row, int clicks) override {
        auto* view = qobject_cast<QAbstractItemView*>(widgetOfComponent(list));
        QWidget* viewport = view->viewport();
        // A user scrolls the row into sight before clicking it.
        if (row >= 0) view->scrollTo(view->model()->index(row, 0));
        QApplication::sendPostedEvents();
        const QPoint at = row >= 0 ? view->visualRect(view->model()->index(row, 0)).center() : belowLastRow(*view);
        click(viewport, at, clicks);
    }

    void pressKey(rt::Component& component, Key key) override { pressKeyOn(widgetOfComponent(component), key); }

    void pressKey(Key key) override {
        if (QWidget* target = focusTarget()) pressKeyOn(target, key);
    }

    void typeKeys(const rt::String& text) override {
        for (char32_t c : rt::codePoints(text)) {
            rt::String typed;
            rt::appendCodePoint(typed, c);
            if (QWidget* target = focusTarget()) sendKey(target, 0, toQ(typed));
        }
    }

    void typeText(rt::TextComponent& field, const rt::String& text) override { typeInto(widgetOfComponent(field), text); }

    static void typeInto(QWidget* w, const rt::String& text) {
        if (auto* line = qobject_cast<QLineEdit*>(w)) line->selectAll();
        if (auto* area = qobject_cast<QPlainTextEdit*>(w)) area->selectAll();
        const QString typed = toQ(text);
        if (typed.isEmpty()) sendKey(w, Qt::Key_Delete);
        else sendKey(w, 0, typed);
    }

    void closeWindow(rt::Window& window) override { windowWidget(window)->close(); }

    void processEvents() override {
        for (int i = 0; i < 3; ++i) {
            QApplication::sendPostedEvents();
            QApplication::processEvents();
        }
    }

    rt::Color pixelAt(rt::Component& component, rt::Point point) override {
        const QColor c = widgetOfComponent(component)->grab().toImage().pixelColor(point.x, point.y);
        return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                static_cast<std::uint8_t>(c.blue())};
    }
    int windowCount() const override { return static_cast<int>(QApplication::topLevelWidgets().size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
            QPointer<QWidget> window = static_cast<QWidget*>(watched);
            std::erase(shownWindows_, window);
            shownWindows_.push_back(window);
            QTimer::singleShot(0, this, [this, window] { answer(window); });
        }
        return false;
    }

private:
    // A real press gives the focus to the first widget from the target up
    // that takes it from a click; Qt does that only for events that come
    // from the window system.
    static void takeClickFocus(QWidget* target) {
        for (QWidget* w = target; w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget()) {
            if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
                w->setFocus(Qt::MouseFocusReason);
                return;
            }
        }
    }

    static void pressKeyOn(QWidget* target, Key key) {
        struct Code {
            int key;
            const char* text;
        };
        static const std::map<Key, Code> codes = {
            {Key::Up, {Qt::Key_Up, ""}},          {Key::Down, {Qt::Key_Down, ""}},
            {Key::Home, {Qt::Key_Home, ""}},      {Key::End, {Qt::Key_End, ""}},
            {Key::PageUp, {Qt::Key_PageUp, ""}},  {Key::PageDown, {Qt::Key_PageDown, ""}},
            {Key::Space, {Qt::Key_Space, " "}},   {Key::Enter, {Qt::Key_Return, "\r"}},
            {Key::Tab, {Qt::Key_Tab, "\t"}},      {Key::Escape, {Qt::Key_Escape, "\x1b"}}};
        const Code& code = codes.at(key);
        sendKey(target, code.key, QString::fromLatin1(code.text));
    }

    // What a keyboard reaches: the focus widget of the window a window
    // manager would have activated, the open modal window first, else the
    // window shown last. The offscreen platform activates nothing itself.
    QWidget* focusTarget() {
        QWidget* window = QApplication::activeModalWidget();
        if (window == nullptr) window = lastShownWindow();
        if (window != nullptr && QApplication::activeWindow() != window) QApplication::setActiveWindow(window);
        QWidget* focus = window != nullptr ? window->focusWidget() : nullptr;
        if (focus == nullptr) reportNoFocus();
        return focus;
    }

    QWidget* lastShownWindow() {
        for (auto it = shownWindows_.rbegin(); it != shownWindows_.rend(); ++it) {
            if (!it->isNull() && (*it)->isVisible()) return *it;
        }
        return nullptr;
    }

    static QPoint belowLastRow(const QAbstractItemView& view) {
        const QRect area = view.viewport()->rect();
        return {area.center().x(), area.bottom() - 1};
    }

    // Runs inside the window's nested loop; the handler may arm the next one.
    void answer(const QPointer<QWidget>& window) {
        if (window.isNull() || !window->isVisible() || QApplication::activeModalWidget() != window) return;
        if (auto* chooser = qobject_cast<QFileDialog*>(window.data()); chooser != nullptr && fileChooserArmed()) {
            answerChooser(*chooser, *takeFileAnswer());
        } else {
            OpenModal modal(*this, window);
            answerModal(modal);
        }
    }

    void answerChooser(QFileDialog& chooser, const std::optional<rt::String>& path) {
        std::vector<rt::String> typeTexts;
        for (const QString& type : chooser.nameFilters()) typeTexts.push_back(fromQ(type));
        noteFileChooser(fromQ(QDir::toNativeSeparators(chooser.directory().absolutePath())), std::move(typeTexts),
                        fromQ(chooser.selectedNameFilter()));
        if (!path) {
            chooser.reject();
            return;
        }
        answeredPath_ = *path;
        chooser.selectFile(toQ(*path));
        static_cast<QDialog&>(chooser).done(QDialog::Accepted);
    }

    std::optional<rt::String> takeAnsweredPath() override { return std::exchange(answeredPath_, std::nullopt); }

    rt::MouseClock<quint64> clock_;
    std::optional<rt::String> answeredPath_;
    // Top-level windows in the order they were last shown.
    std::vector<QPointer<QWidget>> shownWindows_;
};

void OpenModal::setFieldText(int index, const rt::String& text) {
    const auto fields = window_->findChildren<QLineEdit*>();
    if (index < 0 || index >= fields.size()) {
        rt::TestDriverBase::reportNoField(index);
        return;
    }
    Driver::typeInto(fields.at(index), text);
}

void OpenModal::pressButton(const rt::String& caption) {
    for (QPushButton* button : window_->findChildren<QPushButton*>()) {
        if (button->text() == toCaption(caption) && button->isVisible()) {
            static_cast<Driver&>(driver_).click(button, button->rect().center());
            return;
        }
    }
    // Without the button the window would block the test for good: close it.
    rt::TestDriverBase::reportNoButton(caption);
    window_->close();
}

void OpenModal::clickText() {
    auto* area = window_->findChild<QPlainTextEdit*>();
    if (area == nullptr) {
        rt::TestDriverBase::reportNoTextArea();
        return;
    }
    static_cast<Driver&>(driver_).click(area->viewport(), {4, 4});
}

}  // namespace

QWidget* widgetOf(const rt::Component& component) { return widgetOfComponent(component); }
QWidget* widgetOf(const rt::Window& window) { return windowWidget(window); }

rt::TestDriver& testDriver() {
    static Driver driver;
    return driver;
}

}  // namespace rtqt
