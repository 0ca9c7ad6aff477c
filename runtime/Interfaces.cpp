// Out-of-line destructors: they anchor the vtables and type information of
// the interface classes in one translation unit.
#include <cstdio>

#include "runtime/Applet.h"
#include "runtime/Component.h"
#include "runtime/Events.h"
#include "runtime/Failure.h"
#include "runtime/Graphics.h"
#include "runtime/Platform.h"
#include "runtime/ListenerDelivery.h"
#include "runtime/TextFile.h"
#include "runtime/Toolkit.h"
#include "runtime/Widgets.h"
#include "runtime/Windows.h"

namespace rt {

EventSource::~EventSource() = default;
ActionListener::~ActionListener() = default;
MouseListener::~MouseListener() = default;
MouseMotionListener::~MouseMotionListener() = default;
WindowListener::~WindowListener() = default;
ListSelectionListener::~ListSelectionListener() = default;

Component::~Component() = default;
GridBag::~GridBag() = default;
Container::~Container() = default;
Label::~Label() = default;
Button::~Button() = default;
TextComponent::~TextComponent() = default;
TextField::~TextField() = default;
TextArea::~TextArea() = default;
CheckBox::~CheckBox() = default;
RadioButton::~RadioButton() = default;
ComboBox::~ComboBox() = default;
Panel::~Panel() = default;
ScrollPane::~ScrollPane() = default;
ListModel::~ListModel() = default;
ListBox::~ListBox() = default;
MenuItem::~MenuItem() = default;
Menu::~Menu() = default;
MenuBar::~MenuBar() = default;

Window::~Window() = default;
Frame::~Frame() = default;
Dialog::~Dialog() = default;
AppletPanel::~AppletPanel() = default;
Applet::~Applet() = default;
Graphics::~Graphics() = default;
Painter::~Painter() = default;

TextReader::~TextReader() = default;
TextWriter::~TextWriter() = default;
Toolkit::~Toolkit() = default;
Platform::~Platform() = default;

void reportListenerFailure(const char* what) noexcept {
    std::fprintf(stderr, "Exception in an event handler: %s\n", what);
    std::fflush(stderr);
}

Failure::Failure(const String& description)
    : std::runtime_error(toUtf8(description)), description_(description) {}
Failure::~Failure() = default;
IoError::~IoError() = default;

const AppletClass* findAppletClass(const AppletClass* table, std::string_view name) {
    for (const AppletClass* entry = table; entry != nullptr && entry->name != nullptr; ++entry) {
        if (name == entry->name) return entry;
    }
    return nullptr;
}

}  // namespace rt
