#include "forms/GBApplet.h"

#include "forms/MessageBox.h"
#include "runtime/Toolkit.h"

namespace forms {

GBApplet::GBApplet() : panel(rt::toolkit().createAppletPanel()) { initForm(panel->contentPane()); }

GBApplet::~GBApplet() = default;

void GBApplet::attachButtonListener(rt::Button& button) {
    button.addActionListener(std::make_unique<GBAppletButtonListener>(*this));
}

void GBApplet::attachListListener(rt::ListBox& list) {
    list.addMouseListener(std::make_unique<GBAppletDCListener>(list, *this));
}

// The owner is a hidden frame of its own; the box opens centred over the
// window the host shows the applet in, where the user is looking.
void GBApplet::showMessage(const rt::String& text, int width, int height) {
    const std::unique_ptr<rt::Frame> owner = rt::toolkit().createFrame();
    MessageBox::show(owner.get(), text, width, height, panel->hostWindow());
}

// Every component of the applet re-styles itself: the form's own window, if
// the host gave it one, is the host's to refresh.
void GBApplet::updateStyle() { panel->updateStyle(); }

}  // namespace forms
