#pragma once

#include <memory>

#include "runtime/Events.h"
#include "runtime/Text.h"
#include "runtime/Windows.h"

namespace forms {

// The framework's one-button modal message window: the text in a read-only,
// fixed-pitch, unwrapped text area inside a scroll pane, an "OK" button
// centred below. OK and the close box both dispose of it.
class MessageBox : public rt::ActionListener, public rt::WindowListener {
public:
    // owner may be null (the toolkit's hidden owner). Built hidden, titled
    // "Message", modal, 300 x 150.
    MessageBox(rt::Frame* owner, const rt::String& text);
    ~MessageBox() override;

    // Sizes below what shows a line of the text and the OK button are
    // raised to that; larger sizes are taken as they are.
    void setSize(int width, int height);
    // Shows the box; returns when the user has closed it.
    void setVisible(bool visible);
    rt::Dialog& dialog() const { return *window; }

    void actionPerformed(const rt::ActionEvent& event) override;
    void windowClosing(const rt::WindowEvent& event) override;

    // Builds, sizes and shows one message; returns when it was closed. It
    // opens centred over centredOver when that is given and shown, else
    // where the toolkit opens a dialog of that owner.
    static void show(rt::Frame* owner, const rt::String& text, int width, int height,
                     const rt::Window* centredOver = nullptr);

private:
    std::unique_ptr<rt::Dialog> window;
};

}  // namespace forms
