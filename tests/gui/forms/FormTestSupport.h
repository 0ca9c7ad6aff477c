#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "forms/GBDialog.h"
#include "forms/GBFrame.h"
#include "runtime/TestDriver.h"
#include "runtime/Toolkit.h"

namespace formtest {

inline rt::TestDriver& driver() { return rt::testDriver(); }

// What a test saw of a modal window before answering it.
struct SeenModal {
    bool opened = false;
    rt::String title;
    rt::String text;
    rt::Size size;
    rt::Frame* owner = nullptr;
};

// Arms the driver for the next modal window: records it, then presses its
// button "OK" (or uses its close box).
inline std::shared_ptr<SeenModal> answerNextModal(bool useCloseBox = false) {
    auto seen = std::make_shared<SeenModal>();
    driver().whenModalOpens([seen, useCloseBox](rt::ModalWindow& modal) {
        seen->opened = true;
        seen->title = modal.title();
        seen->text = modal.text();
        seen->size = modal.size();
        if (auto* dialog = dynamic_cast<rt::Dialog*>(modal.window())) seen->owner = dialog->owner();
        if (useCloseBox) {
            modal.closeBox();
        } else {
            modal.pressButton(u"OK");
        }
    });
    return seen;
}

// Records every handler call as one line of text.
template <class Form>
class Recording : public Form {
public:
    using Form::Form;
    std::vector<rt::String> calls;

    void buttonClicked(rt::Button& button) override { calls.push_back(u"button " + button.text()); }
    void listItemSelected(rt::ListBox& list) override {
        calls.push_back(u"selected " + rt::decimalText(list.selectedIndex()));
    }
    void listDoubleClicked(rt::ListBox&, const rt::String& item) override {
        calls.push_back(u"double " + item);
    }
};

// A form window that exposes its layout for the placement checks.
class RecordingFrame : public Recording<forms::GBFrame> {
public:
    using Recording::gbc;
    using Recording::gbl;
    void menuItemSelected(rt::MenuItem& item) override { calls.push_back(u"menu " + item.text()); }
};

using RecordingDialog = Recording<forms::GBDialog>;

// A list of three words placed on the form.
template <class Form>
rt::ListBox& threeWordList(Form& form) {
    rt::ListBox& list = *form.addList(1, 1, 1, 1);
    for (const char16_t* word : {u"alpha", u"beta", u"gamma"}) list.model().append(word);
    return list;
}

}  // namespace formtest
