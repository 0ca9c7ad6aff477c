#include "forms/MessageBox.h"

#include "runtime/Font.h"
#include "runtime/Toolkit.h"

namespace forms {

MessageBox::MessageBox(rt::Frame* owner, const rt::String& text)
    : window(rt::toolkit().createDialog(owner, true)) {
    rt::Toolkit& kit = rt::toolkit();
    window->setTitle(u"Message");
    rt::Container& pane = window->contentPane();

    rt::TextArea* area = kit.createTextArea(text);
    area->setEditable(false);
    area->setFont(rt::Font{u"Courier", rt::Font::Plain, 12});
    pane.add(*kit.createScrollPane(*area), rt::BorderPlace::Center);

    rt::Panel* buttons = kit.createPanel();
    rt::Button* ok = kit.createButton(u"OK");
    ok->addActionListener(*this);
    buttons->add(*ok);
    pane.add(*buttons, rt::BorderPlace::South);
    // Space or Enter dismisses the box at once.
    ok->requestFocus();

    window->addWindowListener(*this);
    window->setSize(300, 150);
}

MessageBox::~MessageBox() = default;

void MessageBox::setSize(int width, int height) { window->setSize(width, height); }

void MessageBox::setVisible(bool visible) { window->setVisible(visible); }

void MessageBox::actionPerformed(const rt::ActionEvent&) { window->dispose(); }

void MessageBox::windowClosing(const rt::WindowEvent&) { window->dispose(); }

void MessageBox::show(rt::Frame* owner, const rt::String& text, int width, int height) {
    MessageBox box(owner, text);
    box.setSize(width, height);
    box.setVisible(true);
}

}  // namespace forms
