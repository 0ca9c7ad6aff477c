#include "forms/GBDialog.h"

#include "forms/GBFrame.h"
#include "forms/MessageBox.h"
#include "runtime/Toolkit.h"

namespace forms {

namespace {

rt::Frame* ownerFrame(GBFrame* frame) { return frame == nullptr ? nullptr : &frame->frame(); }

}  // namespace

GBDialog::GBDialog(GBFrame* parent)
    : dlgCloseIndicator(u"Cancel"),
      theMainFrame(parent),
      window(rt::toolkit().createDialog(ownerFrame(parent), true)) {
    GBDialog::setSize(300, 300);
    initForm(window->contentPane());
    window->setTitle(u" ");
    window->addWindowListener(std::make_unique<GBDialogWindowListener>(*this));
}

GBDialog::~GBDialog() = default;

void GBDialog::setSize(int width, int height) { window->setSize(width, height); }
void GBDialog::setTitle(const rt::String& title) { window->setTitle(title); }
rt::String GBDialog::getTitle() const { return window->title(); }
void GBDialog::setVisible(bool visible) { window->setVisible(visible); }
bool GBDialog::isVisible() const { return window->isVisible(); }
void GBDialog::dispose() { window->dispose(); }

void GBDialog::attachButtonListener(rt::Button& button) {
    button.addActionListener(std::make_unique<GBDialogButtonListener>(*this));
}

void GBDialog::attachListListener(rt::ListBox& list) {
    list.addMouseListener(std::make_unique<GBDialogDCListener>(list, *this));
}

// The dialog's owner is theMainFrame's window while that frame lives; asking
// the dialog keeps a dialog that outlived its frame from using a dead one.
void GBDialog::showMessage(const rt::String& text, int width, int height) {
    MessageBox::show(window->owner(), text, width, height);
}

void GBDialog::updateStyle() { window->updateStyle(); }

void GBDialogWindowListener::windowClosing(const rt::WindowEvent&) { myDialog.dispose(); }

}  // namespace forms
