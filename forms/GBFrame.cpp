#include "forms/GBFrame.h"

#include "forms/MessageBox.h"
#include "runtime/Toolkit.h"

namespace forms {

GBFrame::GBFrame() : window(rt::toolkit().createFrame()) {
    menuBar = rt::toolkit().createMenuBar();
    initForm(window->contentPane());
    window->setTitle(u" ");
    window->addWindowListener(std::make_unique<GBFrameWindowListener>(*this));
}

// A menu bar never installed would stay with the toolkit until exit.
GBFrame::~GBFrame() { menuBar->dispose(); }

rt::MenuItem* GBFrame::addMenuItem(const rt::String& menuName, const rt::String& itemName) {
    rt::Menu* menu = nullptr;
    for (int i = 0; i < menuBar->menuCount() && menu == nullptr; ++i) {
        if (menuBar->menuAt(i).title() == menuName) menu = &menuBar->menuAt(i);
    }
    if (menu == nullptr) {
        menu = rt::toolkit().createMenu(menuName);
        menuBar->add(*menu);
    }
    rt::MenuItem* item = rt::toolkit().createMenuItem(itemName);
    item->addActionListener(std::make_unique<GBFrameMenuListener>(*this));
    menu->add(*item);
    return item;
}

void GBFrame::menuItemSelected(rt::MenuItem&) {
    messageBox(u"You need a 'menuItemSelected' method");
}

void GBFrame::setSize(int width, int height) {
    window->setSize(width, height);
    if (menuBar->menuCount() > 0) window->setMenuBar(*menuBar);
}

void GBFrame::setTitle(const rt::String& title) { window->setTitle(title); }
rt::String GBFrame::getTitle() const { return window->title(); }
void GBFrame::setVisible(bool visible) { window->setVisible(visible); }
bool GBFrame::isVisible() const { return window->isVisible(); }
void GBFrame::dispose() { window->dispose(); }
void GBFrame::setLocationRelativeTo(const GBFrame& other) { window->setLocationRelativeTo(other.frame()); }

void GBFrame::pause() {
    rt::platform().writeStdout(u"\nHit Enter to continue: ");
    rt::platform().readStdinLine();
}

void GBFrame::attachButtonListener(rt::Button& button) {
    button.addActionListener(std::make_unique<GBFrameButtonListener>(*this));
}

void GBFrame::attachListListener(rt::ListBox& list) {
    list.addMouseListener(std::make_unique<GBFrameDCListener>(list, *this));
}

void GBFrame::showMessage(const rt::String& text, int width, int height) {
    MessageBox::show(window.get(), text, width, height);
}

void GBFrame::updateStyle() { window->updateStyle(); }

void GBFrameWindowListener::windowClosing(const rt::WindowEvent&) {
    rt::platform().exitProcess(0);
}

void GBFrameMenuListener::actionPerformed(const rt::ActionEvent& event) {
    myFrame.menuItemSelected(dynamic_cast<rt::MenuItem&>(event.source));
}

}  // namespace forms
