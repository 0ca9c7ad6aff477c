// A small window built with the form framework, for looking at the grid-bag
// placement and the event routing on a real display. With --test-justify it
// prints the formatter's self-test instead and opens no window.
#include <cstring>

#include "forms/Format.h"
#include "forms/GBFrame.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/QtRuntime.h"

#include <QApplication>

namespace {

class DemoFrame : public forms::GBFrame {
public:
    DemoFrame() {
        setTitle(u"Forms demo");
        addLabel(u"Words", 1, 1, 1, 1);
        words = addList(2, 1, 1, 4);
        for (const char16_t* word : {u"apple", u"banana", u"cherry", u"damson"}) {
            words->model().append(word);
        }
        addLabel(u"New word:", 1, 2, 1, 1);
        wordField = addTextField(u"elderberry", 2, 2, 2, 1);
        addWordButton = addButton(u"Add", 3, 2, 1, 1);
        clearFieldButton = addButton(u"Clear", 3, 3, 1, 1);
        addCheckBox(u"Keep sorted", 4, 2, 1, 1);
        addRadioButton(u"Show lengths", 4, 3, 1, 1);
        rt::ComboBox* sizes = addComboBox(5, 2, 1, 1);
        for (const char16_t* size : {u"Short words", u"Long words"}) sizes->addItem(size);
        notes = addTextArea(u"Double-click a word to see it.\nThe list and this area stretch.", 6,
                            1, 3, 1);
        addMenuItem(u"File", u"Clear list");
        addMenuItem(u"Help", u"About");
    }

    void buttonClicked(rt::Button& button) override {
        if (&button == addWordButton) {
            words->model().append(rt::trim(wordField->text()));
        } else if (&button == clearFieldButton) {
            wordField->setText(u"");
        }
    }

    void menuItemSelected(rt::MenuItem& item) override {
        if (item.text() == u"Clear list") {
            words->model().clear();
        } else {
            messageBox(u"Forms demo\nA grid-bag form with menus.");
        }
    }

    void listItemSelected(rt::ListBox& list) override {
        notes->setText(u"Selected: " + list.selectedValue().value_or(u""));
    }

    void listDoubleClicked(rt::ListBox&, const rt::String& item) override {
        messageBox(u"You double-clicked " + item);
    }

private:
    rt::ListBox* words = nullptr;
    rt::TextField* wordField = nullptr;
    rt::Button* addWordButton = nullptr;
    rt::Button* clearFieldButton = nullptr;
    rt::TextArea* notes = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--test-justify") == 0) {
        forms::Format::testJustify();
        return 0;
    }
    rt::bindToolkit(&rtqt::startToolkit(argc, argv));
    DemoFrame frame;
    frame.setSize(420, 320);
    frame.setVisible(true);
    return QApplication::exec();
}
