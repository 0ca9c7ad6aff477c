#pragma once

#include <memory>

#include "forms/GBForm.h"
#include "runtime/Events.h"
#include "runtime/Windows.h"

namespace forms {

class GBFrame;

// A modal dialog built as a grid-bag form. It is owned by a frame window (also
// the owner of its message boxes), closing it only disposes of it, and its
// close indicator tells the creator how it was left ("Cancel" at first).
class GBDialog : public GBForm {
public:
    // parent may be null: the dialog then gets the toolkit's hidden owner.
    explicit GBDialog(GBFrame* parent);
    ~GBDialog() override;

    const rt::String& getDlgCloseIndicator() const { return dlgCloseIndicator; }
    void setDlgCloseIndicator(const rt::String& text) { dlgCloseIndicator = text; }

    // Only resizes: a dialog has no menu bar.
    virtual void setSize(int width, int height);
    void setTitle(const rt::String& title);
    rt::String getTitle() const;
    // Showing blocks until the dialog is disposed (it is modal).
    void setVisible(bool visible);
    bool isVisible() const;
    void dispose();

    rt::Dialog& dialog() const { return *window; }

protected:
    rt::String dlgCloseIndicator;
    GBFrame* theMainFrame = nullptr;

private:
    void attachButtonListener(rt::Button& button) override;
    void attachListListener(rt::ListBox& list) override;
    void showMessage(const rt::String& text, int width, int height) override;
    void updateStyle() override;

    std::unique_ptr<rt::Dialog> window;
};

// Disposes of the dialog when the user closes it; the process goes on.
class GBDialogWindowListener : public rt::WindowListener {
public:
    explicit GBDialogWindowListener(GBDialog& dialog) : myDialog(dialog) {}
    void windowClosing(const rt::WindowEvent& event) override;

private:
    GBDialog& myDialog;
};

// Reports a press of a button made by addButton to buttonClicked.
class GBDialogButtonListener : public FormButtonListener {
public:
    explicit GBDialogButtonListener(GBDialog& dialog) : FormButtonListener(dialog) {}
};

// Applies the list click rule (see FormListListener) to a list made by addList.
class GBDialogDCListener : public FormListListener {
public:
    GBDialogDCListener(rt::ListBox& list, GBDialog& dialog) : FormListListener(list, dialog) {}
};

}  // namespace forms
