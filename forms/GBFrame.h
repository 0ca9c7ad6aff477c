#pragma once

#include <memory>

#include "forms/GBForm.h"
#include "runtime/Events.h"
#include "runtime/Windows.h"

namespace forms {

// Base class of the program's top-level windows: a toolkit frame built as a
// grid-bag form, with menus built by name. Closing it ends the process with
// status 0.
class GBFrame : public GBForm {
public:
    GBFrame();
    ~GBFrame() override;

    // Adds an item to the menu titled menuName (exact, case-sensitive match;
    // a new menu is appended when none matches) and returns it.
    rt::MenuItem* addMenuItem(const rt::String& menuName, const rt::String& itemName);

    virtual void menuItemSelected(rt::MenuItem& item);

    // Sizes the frame and installs the menu bar once it holds a menu.
    virtual void setSize(int width, int height);
    void setTitle(const rt::String& title);
    rt::String getTitle() const;
    void setVisible(bool visible);
    bool isVisible() const;
    void dispose();
    // Places this window centred over other.
    void setLocationRelativeTo(const GBFrame& other);

    rt::Frame& frame() const { return *window; }

    // Writes "\nHit Enter to continue: " and waits for a line on standard
    // input (an unreadable input just returns).
    static void pause();

protected:
    rt::MenuBar* menuBar = nullptr;

private:
    void attachButtonListener(rt::Button& button) override;
    void attachListListener(rt::ListBox& list) override;
    void showMessage(const rt::String& text, int width, int height) override;
    void updateStyle() override;

    std::unique_ptr<rt::Frame> window;
};

// Ends the process with status 0 when the user closes the form window.
class GBFrameWindowListener : public rt::WindowListener {
public:
    explicit GBFrameWindowListener(GBFrame& frame) : myFrame(frame) {}
    void windowClosing(const rt::WindowEvent& event) override;

private:
    GBFrame& myFrame;
};

// Reports a press of a button made by addButton to buttonClicked.
class GBFrameButtonListener : public FormButtonListener {
public:
    explicit GBFrameButtonListener(GBFrame& frame) : FormButtonListener(frame) {}
};

// Reports a choice of a menu item made by addMenuItem to menuItemSelected.
class GBFrameMenuListener : public rt::ActionListener {
public:
    explicit GBFrameMenuListener(GBFrame& frame) : myFrame(frame) {}
    void actionPerformed(const rt::ActionEvent& event) override;

private:
    GBFrame& myFrame;
};

// Applies the list click rule (see FormListListener) to a list made by addList.
class GBFrameDCListener : public FormListListener {
public:
    GBFrameDCListener(rt::ListBox& list, GBFrame& frame) : FormListListener(list, frame) {}
};

}  // namespace forms
