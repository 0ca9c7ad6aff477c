#include <string>

#include "GuiTest.h"

namespace {

class WindowLog final : public rt::WindowListener {
public:
    explicit WindowLog(std::vector<std::string>& log) : log_(log) {}
    void windowOpened(const rt::WindowEvent&) override { log_.push_back("opened"); }
    void windowClosing(const rt::WindowEvent&) override { log_.push_back("closing"); }
    void windowClosed(const rt::WindowEvent&) override { log_.push_back("closed"); }

private:
    std::vector<std::string>& log_;
};

// Disposes of the window it listens to when asked to close.
class DisposeOnClosing final : public rt::WindowListener {
public:
    void windowClosing(const rt::WindowEvent& e) override { e.window.dispose(); }
};

using WindowsTest = GuiTest;

TEST_F(WindowsTest, CloseControlOnlyTellsTheListeners) {
    std::vector<std::string> log;
    frame->addWindowListener(std::make_unique<WindowLog>(log));
    show();
    driver().closeWindow(*frame);
    driver().processEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"opened", "closing"}));
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(WindowsTest, ModalShowBlocksUntilDisposed) {
    show();
    auto dialog = tk().createDialog(frame.get(), true);
    std::vector<std::string> log;
    dialog->addWindowListener(std::make_unique<WindowLog>(log));
    bool returned = false;
    driver().whenModalOpens([&](rt::ModalWindow& modal) {
        log.push_back(returned ? "late" : "handler");
        EXPECT_EQ(modal.window(), dialog.get());
        modal.window()->dispose();
    });
    dialog->setVisible(true);
    returned = true;
    EXPECT_EQ(log, (std::vector<std::string>{"opened", "handler", "closed"}));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->owner(), frame.get());
    EXPECT_TRUE(dialog->isModal());
}

// Disposes of the window it listens to as soon as it opens.
class DisposeOnOpened final : public rt::WindowListener {
public:
    void windowOpened(const rt::WindowEvent& e) override { e.window.dispose(); }
};

TEST_F(WindowsTest, AModalDialogDisposedWhileOpeningDoesNotBlock) {
    auto dialog = tk().createDialog(frame.get(), true);
    dialog->addWindowListener(std::make_unique<DisposeOnOpened>());
    dialog->setVisible(true);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(WindowsTest, CloseBoxOfAModalDialogReachesItsListener) {
    auto dialog = tk().createDialog(nullptr, true);
    dialog->addWindowListener(std::make_unique<DisposeOnClosing>());
    driver().whenModalOpens([](rt::ModalWindow& modal) { modal.closeBox(); });
    dialog->setVisible(true);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->owner(), nullptr);
}

// A modal dialog with a text field, a message area and buttons; "Ask" opens
// a nested modal message, "OK" disposes of the dialog.
class AskingDialog {
public:
    explicit AskingDialog(rt::Toolkit& tk, rt::Frame* owner) : dialog(tk.createDialog(owner, true)) {
        dialog->setTitle(u"Asking");
        dialog->setSize(320, 200);
        rt::Container& pane = dialog->contentPane();
        field = tk.createTextField(u"");
        pane.add(*field, rt::BorderPlace::North);
        pane.add(*tk.createScrollPane(*tk.createTextArea(u"line one\nline two")), rt::BorderPlace::Center);
        rt::Panel* buttons = tk.createPanel();
        rt::Button* ask = tk.createButton(u"Ask");
        rt::Button* ok = tk.createButton(u"OK");
        buttons->add(*ask);
        buttons->add(*ok);
        pane.add(*buttons, rt::BorderPlace::South);
        ask->addActionListener(onAction([this, &tk](const rt::ActionEvent&) {
            auto inner = tk.createDialog(nullptr, true);
            inner->setTitle(u"Inner");
            inner->addWindowListener(std::make_unique<DisposeOnClosing>());
            inner->setVisible(true);
            log.push_back("inner returned");
        }));
        ok->addActionListener(onAction([this](const rt::ActionEvent& e) {
            EXPECT_NE(dynamic_cast<rt::Button*>(&e.source), nullptr);
            dialog->dispose();
        }));
    }
    std::unique_ptr<rt::Dialog> dialog;
    rt::TextField* field;
    std::vector<std::string> log;
};

TEST_F(WindowsTest, DriverAnswersNestedModalsAndReadsTheWindow) {
    show();
    AskingDialog asking(tk(), frame.get());
    driver().whenModalOpens([&](rt::ModalWindow& outer) {
        EXPECT_EQ(outer.title(), u"Asking");
        EXPECT_EQ(outer.size(), (rt::Size{320, 200}));
        EXPECT_EQ(outer.text(), u"line one\nline two");
        outer.setFieldText(0, u"typed");
        driver().whenModalOpens([&](rt::ModalWindow& inner) {
            asking.log.push_back(rt::toUtf8(inner.title()));
            inner.closeBox();
        });
        outer.pressButton(u"Ask");
        outer.pressButton(u"OK");
    });
    asking.dialog->setVisible(true);
    EXPECT_EQ(asking.log, (std::vector<std::string>{"Inner", "inner returned"}));
    EXPECT_EQ(asking.field->text(), u"typed");
    EXPECT_FALSE(asking.dialog->isVisible());
}

TEST_F(WindowsTest, NewestAnswerTakesTheNextModalAndOlderOnesWait) {
    show();
    AskingDialog asking(tk(), frame.get());
    driver().whenModalOpens([&](rt::ModalWindow& inner) {
        asking.log.push_back("older answer: " + rt::toUtf8(inner.title()));
        inner.closeBox();
    });
    driver().whenModalOpens([&](rt::ModalWindow& outer) {
        asking.log.push_back("newer answer: " + rt::toUtf8(outer.title()));
        outer.pressButton(u"Ask");
        outer.pressButton(u"OK");
    });
    asking.dialog->setVisible(true);
    EXPECT_EQ(asking.log, (std::vector<std::string>{"newer answer: Asking", "older answer: Inner", "inner returned"}));
}

TEST_F(WindowsTest, FileChooserIsAnsweredWithAPathOrCancelled) {
    show();
    driver().whenFileChooserOpens(u"/tmp/words.txt");
    EXPECT_EQ(tk().chooseFile(*frame, rt::FileChooserMode::Save), u"/tmp/words.txt");
    driver().whenFileChooserOpens(std::nullopt);
    EXPECT_EQ(tk().chooseFile(*frame, rt::FileChooserMode::Open), std::nullopt);
}

TEST_F(WindowsTest, SizeTitleAndReshow) {
    frame->setTitle(u"Word Selection");
    show(300, 150);
    EXPECT_EQ(frame->size(), (rt::Size{300, 150}));
    EXPECT_EQ(frame->title(), u"Word Selection");
    frame->dispose();
    EXPECT_FALSE(frame->isVisible());
    frame->setVisible(true);
    EXPECT_TRUE(frame->isVisible());
}

}  // namespace

TEST_F(WindowsTest, CentringKeepsTheWindowOnTheScreenAndAHiddenWindowReturnsWhereItWas) {
    show();
    frame->setLocation({0, 0});
    auto big = tk().createFrame();
    big->setSize(600, 450);
    big->setLocationRelativeTo(*frame);
    // Centred over a window in the corner it would start off the screen.
    EXPECT_EQ(big->location(), (rt::Point{0, 0}));
    frame->setLocation({300, 200});
    big->setLocationRelativeTo(*frame);
    const rt::Point centred = big->location();
    EXPECT_NEAR(centred.x + 300, 300 + 150, 4);
    EXPECT_NEAR(centred.y + 225, 200 + 150, 4);
    big->setVisible(true);
    big->setVisible(false);
    big->setVisible(true);
    EXPECT_EQ(big->location(), centred);
}

TEST_F(WindowsTest, EnterPressesTheDefaultButtonFromAFieldAndAFocusedButtonItself) {
    rt::Container& pane = frame->contentPane();
    rt::TextField* field = tk().createTextField(u"");
    rt::Button* go = tk().createButton(u"Go");
    rt::Button* other = tk().createButton(u"Other");
    std::vector<std::string> pressed;
    go->addActionListener(onAction([&](const rt::ActionEvent&) { pressed.push_back("go"); }));
    other->addActionListener(onAction([&](const rt::ActionEvent&) { pressed.push_back("other"); }));
    pane.add(*field, rt::BorderPlace::North);
    pane.add(*go, rt::BorderPlace::Center);
    pane.add(*other, rt::BorderPlace::South);
    show();
    driver().pressKey(rt::TestDriver::Key::Enter);  // no default button yet
    frame->setDefaultButton(go);
    field->requestFocus();
    EXPECT_TRUE(field->hasFocus());
    driver().pressKey(rt::TestDriver::Key::Enter);
    other->requestFocus();
    driver().pressKey(rt::TestDriver::Key::Enter);
    driver().pressKey(rt::TestDriver::Key::Space);
    go->setEnabled(false);
    field->requestFocus();
    driver().pressKey(rt::TestDriver::Key::Enter);
    EXPECT_EQ(pressed, (std::vector<std::string>{"go", "other", "other"}));
}
