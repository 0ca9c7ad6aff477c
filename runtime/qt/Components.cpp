// The simple widgets: label, push button, text field and area, check box,
// radio button, combo box and scroll pane.

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <limits>

#include "runtime/qt/Core.h"
#include "runtime/qt/Factories.h"

namespace rtqt {

QWidget* limbo() {
    static QPointer<QWidget> holder;
    if (holder.isNull()) holder = new QWidget;
    return holder;
}

namespace {

QPointer<QWidget>& keptFocus() {
    static QPointer<QWidget> widget;
    return widget;
}

bool placedInWindow(const QWidget& widget) { return widget.window() != limbo(); }

}  // namespace

// Qt gives the focus at once in an active window and otherwise keeps the
// widget as its window's focus widget for when the window is activated; a
// widget moved into a window from outside would lose it, so it is asked
// for only once the widget is there.
void requestFocusFor(QWidget& widget) {
    if (!placedInWindow(widget)) {
        keptFocus() = &widget;
        return;
    }
    keptFocus() = nullptr;
    widget.setFocus(Qt::OtherFocusReason);
}

QWidget* focusWithin(const QWidget& widget) {
    for (QWidget* focused : {keptFocus().data(), widget.window()->focusWidget()})
        if (focused != nullptr && (focused == &widget || widget.isAncestorOf(focused))) return focused;
    return nullptr;
}

// The window's focus widget moved keeps it without being asked again: a
// request kept for another widget stands.
void placedInContainer(QWidget* focused) {
    if (focused == nullptr || !placedInWindow(*focused)) return;
    if (focused == keptFocus()) keptFocus() = nullptr;
    focused->setFocus(Qt::OtherFocusReason);
}

QWidget* widgetOfComponent(const rt::Component& component) {
    auto* holder = dynamic_cast<const WidgetHolder*>(&component);
    return holder != nullptr ? holder->widget() : nullptr;
}

QWidget* mouseWidgetOfComponent(const rt::Component& component) {
    auto* holder = dynamic_cast<const WidgetHolder*>(&component);
    return holder != nullptr ? holder->mouseWidget() : nullptr;
}

template <class Call>
void MouseRelay::toMouse(Call call) {
    for (auto& listener : mouse_) deliver([&] { call(*listener); });
}

namespace {

rt::GestureLimits gestureLimits() {
    const int distance = QApplication::startDragDistance();
    const rt::Reach reach{distance, distance, true};
    return {static_cast<std::uint32_t>(QApplication::doubleClickInterval()), reach, reach};
}

}  // namespace

void MouseRelay::pressed(const QMouseEvent& event, rt::EventSource& source, QPoint point) {
    const int count = gesture_.press({point.x(), point.y()}, static_cast<std::uint32_t>(event.timestamp()),
                                     gestureLimits());
    toMouse([&](rt::MouseListener& l) { l.mousePressed({source, {point.x(), point.y()}, count}); });
}

void MouseRelay::relay(const QEvent& event, rt::EventSource& source, QPoint point, QRect area) {
    const rt::MouseEvent e{source, {point.x(), point.y()}, gesture_.count()};
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        pressed(static_cast<const QMouseEvent&>(event), source, point);
        break;
    case QEvent::MouseButtonRelease:
        toMouse([&](rt::MouseListener& l) { l.mouseReleased(e); });
        if (gesture_.clicks({point.x(), point.y()}, area.contains(point), gestureLimits()))
            toMouse([&](rt::MouseListener& l) { l.mouseClicked(e); });
        break;
    case QEvent::MouseMove: {
        const bool dragging = static_cast<const QMouseEvent&>(event).buttons() != Qt::NoButton;
        for (auto& l : motion_) deliver([&] { dragging ? l->mouseDragged(e) : l->mouseMoved(e); });
        break;
    }
    case QEvent::Enter:
        toMouse([&](rt::MouseListener& l) { l.mouseEntered(e); });
        break;
    case QEvent::Leave:
        toMouse([&](rt::MouseListener& l) { l.mouseExited(e); });
        break;
    default:
        break;
    }
}

namespace {

class LabelImpl final : public ComponentImpl<rt::Label> {
public:
    explicit LabelImpl(QLabel* label) : ComponentImpl(label, label), label_(label) {
        label->setTextFormat(Qt::PlainText);
    }
    rt::String text() const override { return fromQ(label_->text()); }
    void setText(const rt::String& text) override { label_->setText(toQ(text)); }

private:
    QLabel* label_;
};

// Qt presses a focused push button with Enter only inside a dialog; here
// Enter presses it in every window, as the space bar does.
class PushButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
            QPushButton::keyPressEvent(event);
            return;
        }
        if (!event->isAutoRepeat()) click();
        event->accept();
    }
};

class ButtonImpl final : public ComponentImpl<rt::Button> {
public:
    explicit ButtonImpl(QPushButton* button) : ComponentImpl(button, button), button_(button) {
        QObject::connect(button, &QPushButton::clicked, this, [this] { listeners_.fire(*this); });
    }
    rt::String text() const override { return fromCaption(button_->text()); }
    void setText(const rt::String& text) override { button_->setText(toCaption(text)); }
    void addActionListener(std::unique_ptr<rt::ActionListener> listener) override { listeners_.add(std::move(listener)); }
    void addActionListener(rt::ActionListener& listener) override { listeners_.add(listener); }

private:
    QPushButton* button_;
    ActionListeners listeners_;
};

class TextFieldImpl final : public ComponentImpl<rt::TextField> {
public:
    // A field holds any text: Qt's line edit would cut it at 32767 characters.
    explicit TextFieldImpl(QLineEdit* edit) : ComponentImpl(edit, edit), edit_(edit) {
        edit->setMaxLength(std::numeric_limits<int>::max());
    }
    rt::String text() const override { return fromQ(edit_->text()); }
    void setText(const rt::String& text) override { edit_->setText(toQ(text)); }
    bool isEditable() const override { return !edit_->isReadOnly(); }
    void setEditable(bool editable) override {
        edit_->setReadOnly(!editable);
        // A read-only field takes focus only from the mouse: when the focus
        // moves on (a button is disabled), it must not land on a display and
        // highlight its whole text.
        edit_->setFocusPolicy(editable ? Qt::StrongFocus : Qt::ClickFocus);
    }

private:
    QLineEdit* edit_;
};

// A read-only text area leaves Enter and the space bar to its window, where
// they press the default button (a message box's OK whose text the user
// clicked into); Escape and Tab go on to the window as they do anyway.
class TextEdit final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        const bool pressing = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
        if (!isReadOnly() || !pressing || event->modifiers() != Qt::NoModifier) {
            QPlainTextEdit::keyPressEvent(event);
            return;
        }
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), event->isAutoRepeat());
        QApplication::sendEvent(window(), &enter);
    }
};

class TextAreaImpl final : public ComponentImpl<rt::TextArea> {
public:
    explicit TextAreaImpl(QPlainTextEdit* edit) : ComponentImpl(edit, edit->viewport()), edit_(edit) {
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    rt::String text() const override { return fromQ(edit_->toPlainText()); }
    void setText(const rt::String& text) override { edit_->setPlainText(toQ(text)); }
    bool isEditable() const override { return !edit_->isReadOnly(); }
    void setEditable(bool editable) override {
        edit_->setReadOnly(!editable);
        // Read-only text can still be selected and copied, and shows no caret.
        edit_->setTextInteractionFlags(editable ? Qt::TextEditorInteraction : Qt::TextSelectableByMouse);
    }

private:
    QPlainTextEdit* edit_;
};

// Check boxes and radio buttons differ only in their widget.
template <class Iface, class QButton>
class ToggleImpl final : public ComponentImpl<Iface> {
public:
    explicit ToggleImpl(QButton* button) : ComponentImpl<Iface>(button, button), button_(button) {}
    rt::String text() const override { return fromCaption(button_->text()); }
    bool isSelected() const override { return button_->isChecked(); }
    void setSelected(bool selected) override { button_->setChecked(selected); }

private:
    QButton* button_;
};

class ComboBoxImpl final : public ComponentImpl<rt::ComboBox> {
public:
    explicit ComboBoxImpl(QComboBox* combo) : ComponentImpl(combo, combo), combo_(combo) {}
    void addItem(const rt::String& item) override { combo_->addItem(toQ(item)); }
    int itemCount() const override { return combo_->count(); }
    rt::String itemAt(int index) const override { return fromQ(combo_->itemText(index)); }
    int selectedIndex() const override { return combo_->currentIndex(); }
    void setSelectedIndex(int index) override { combo_->setCurrentIndex(index); }

private:
    QComboBox* combo_;
};

// A view that scrolls itself (list, text area) is framed as it is; any other
// view goes into a scroll area. Scroll bars appear as needed.
QWidget* scrollerFor(QWidget* view) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(view)) {
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        auto* frame = new QWidget;
        auto* layout = new QVBoxLayout(frame);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        return frame;
    }
    auto* area = new QScrollArea;
    area->setWidgetResizable(true);
    area->setWidget(view);
    return area;
}

class ScrollPaneImpl final : public ComponentImpl<rt::ScrollPane> {
public:
    ScrollPaneImpl(QWidget* pane, rt::Component& view) : ComponentImpl(pane, pane), view_(view) {}
    rt::Component& view() const override { return view_; }

private:
    rt::Component& view_;
};

}  // namespace

rt::Label* makeLabel(const rt::String& text) { return new LabelImpl(new QLabel(toQ(text))); }
rt::Button* makeButton(const rt::String& text) { return new ButtonImpl(new PushButton(toCaption(text))); }
rt::TextField* makeTextField(const rt::String& text) { return new TextFieldImpl(new QLineEdit(toQ(text))); }
rt::TextArea* makeTextArea(const rt::String& text) { return new TextAreaImpl(new TextEdit(toQ(text))); }

rt::CheckBox* makeCheckBox(const rt::String& text) {
    return new ToggleImpl<rt::CheckBox, QCheckBox>(new QCheckBox(toCaption(text)));
}

rt::RadioButton* makeRadioButton(const rt::String& text) {
    auto* radio = new QRadioButton(toCaption(text));
    radio->setAutoExclusive(false);
    return new ToggleImpl<rt::RadioButton, QRadioButton>(radio);
}

rt::ComboBox* makeComboBox() { return new ComboBoxImpl(new QComboBox); }

rt::ScrollPane* makeScrollPane(rt::Component& view) {
    return new ScrollPaneImpl(scrollerFor(widgetOfComponent(view)), view);
}

}  // namespace rtqt
