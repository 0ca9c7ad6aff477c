#include "forms/MessageBox.h"

#include <algorithm>

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
    // Space or Enter dismisses the box at once, and Enter still does when
    // the user has clicked into the text.
    ok->requestFocus();
    window->setDefaultButton(ok);

    window->addWindowListener(*this);
    window->setSize(300, 150);
}

MessageBox::~MessageBox() = default;

// Never smaller than the content's minimum, which shows a line of the text
// and the OK button: a box too small to use (or no window at all, for a
// size of 0 or less) would block its caller with nothing to click.
void MessageBox::setSize(int width, int height) {
    const rt::Size least = window->contentPane().minimumSize();
    window->setSize(std::max(width, least.width), std::max(height, least.height));
}

void MessageBox::setVisible(bool visible) { window->setVisible(visible); }

void MessageBox::actionPerformed(const rt::ActionEvent&) { window->dispose(); }

void MessageBox::windowClosing(const rt::WindowEvent&) { window->dispose(); }

void MessageBox::show(rt::Frame* owner, const rt::String& text, int width, int height,
                      const rt::Window* centredOver) {
    MessageBox box(owner, text);
    box.setSize(width, height);
    if (centredOver != nullptr && centredOver->isVisible()) box.window->setLocationRelativeTo(*centredOver);
    box.setVisible(true);
}

}  // namespace forms
