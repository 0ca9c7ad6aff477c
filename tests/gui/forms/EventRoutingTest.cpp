// Default handlers, the list click rule, the messageBox family and styles.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <ostream>
#include <stdexcept>

#include "FormTestSupport.h"
#include "runtime/Failure.h"

namespace {

using formtest::answerNextModal;
using formtest::driver;
using formtest::RecordingFrame;

// A shown window with one list of three words.
struct ListFixture : testing::Test {
    RecordingFrame frame;
    rt::ListBox& list = formtest::threeWordList(frame);
    void SetUp() override {
        frame.setSize(300, 300);
        frame.setVisible(true);
    }
};

TEST_F(ListFixture, DoubleClickSelectsThenReportsTheItemUnderThePoint) {
    driver().clickListRow(list, 1, 2);
    EXPECT_EQ(frame.calls, (std::vector<rt::String>{u"selected 1", u"double beta"}));
}

TEST_F(ListFixture, DoubleClickBelowTheLastRowReportsTheLastItem) {
    driver().clickListRow(list, -1, 2);
    ASSERT_FALSE(frame.calls.empty());
    EXPECT_EQ(frame.calls.back(), u"double gamma");
}

TEST_F(ListFixture, TheThirdClickOfATripleClickCallsNothing) {
    driver().clickListRow(list, 2, 3);
    EXPECT_EQ(frame.calls, (std::vector<rt::String>{u"selected 2", u"double gamma"}));
}

using Key = rt::TestDriver::Key;

// Moves the selection of a list of alpha, beta, gamma with every kind of
// key; a key that leaves the selection where it is reports nothing.
void moveWithKeys(rt::ListBox& list) {
    driver().clickListRow(list, 0, 1);
    driver().pressKey(list, Key::Down);
    driver().pressKey(list, Key::End);
    driver().pressKey(list, Key::End);
    driver().pressKey(list, Key::Home);
    driver().pressKey(list, Key::Up);
    driver().pressKey(list, Key::PageDown);
    driver().pressKey(list, Key::PageUp);
    driver().typeKeys(u"G");  // type-ahead ignores case
}

const std::vector<rt::String> movedWithKeys = {u"selected 0", u"selected 1", u"selected 2", u"selected 0",
                                               u"selected 2", u"selected 0", u"selected 2"};

TEST_F(ListFixture, ASelectionMovedFromTheKeyboardCountsAsAChoiceLikeAClick) {
    moveWithKeys(list);
    EXPECT_EQ(frame.calls, movedWithKeys);
    // Selections the program makes are not the user's choice.
    frame.calls.clear();
    list.setSelectedIndex(0);
    list.setSelectedValue(u"gamma", true);
    EXPECT_TRUE(frame.calls.empty());
}

TEST(ListRule, KeysChooseInDialogFormsToo) {
    RecordingFrame parent;
    formtest::RecordingDialog dialog(&parent);
    rt::ListBox& list = formtest::threeWordList(dialog);
    driver().whenModalOpens([&](rt::ModalWindow& modal) {
        moveWithKeys(list);
        modal.closeBox();
    });
    dialog.setVisible(true);
    EXPECT_EQ(dialog.calls, movedWithKeys);
    EXPECT_TRUE(parent.calls.empty());
}

TEST(ListRule, EmptyListCallsNothingOnSingleOrDoubleClick) {
    RecordingFrame frame;
    rt::ListBox* list = frame.addList(1, 1, 1, 1);
    frame.setSize(200, 200);
    frame.setVisible(true);
    driver().clickListRow(*list, -1, 1);
    driver().clickListRow(*list, -1, 2);
    EXPECT_TRUE(frame.calls.empty());
}

TEST(DefaultHandlers, EachMissingOverrideNamesItselfInAMessageBox) {
    forms::GBFrame frame;
    rt::Button* button = frame.addButton(u"Go", 1, 1, 1, 1);
    rt::ListBox& list = formtest::threeWordList(frame);
    rt::MenuItem* item = frame.addMenuItem(u"File", u"Open");
    frame.setSize(300, 300);
    frame.setVisible(true);

    auto pressed = answerNextModal();
    driver().pressButton(*button);
    auto chosen = answerNextModal();
    driver().chooseMenuItem(*item);
    auto doubled = answerNextModal(true);
    driver().clickListRow(list, 0, 2);

    EXPECT_EQ(pressed->text, u"You need a 'buttonClicked' method");
    EXPECT_EQ(chosen->text, u"You need a 'menuItemSelected' method");
    EXPECT_EQ(doubled->text, u"You need a 'listDoubleClicked' method");
    EXPECT_EQ(pressed->title, u"Message");
    EXPECT_EQ(pressed->size, (rt::Size{300, 150}));
    EXPECT_EQ(pressed->owner, &frame.frame());
}

// A handler that fails part-way through its work.
struct FailingFrame : RecordingFrame {
    void buttonClicked(rt::Button& button) override {
        RecordingFrame::buttonClicked(button);
        throw std::runtime_error("handler failed");
    }
    void listItemSelected(rt::ListBox&) override { throw 42; }
};

TEST(EventDelivery, AFailingHandlerIsReportedAndTheWindowGoesOn) {
    FailingFrame frame;
    rt::Button* button = frame.addButton(u"Go", 1, 1, 1, 1);
    rt::ListBox& list = formtest::threeWordList(frame);
    frame.setSize(300, 300);
    frame.setVisible(true);
    testing::internal::CaptureStderr();
    driver().pressButton(*button);
    driver().clickListRow(list, 1, 1);
    driver().pressButton(*button);
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_EQ(frame.calls, (std::vector<rt::String>{u"button Go", u"button Go"}));
    EXPECT_NE(reported.find("handler failed"), std::string::npos) << reported;
    EXPECT_NE(reported.find("unknown type"), std::string::npos) << reported;
    EXPECT_EQ(list.selectedIndex(), 1);
}

// Overriding the string overload reroutes every default message.
struct QuietFrame : forms::GBFrame {
    std::vector<rt::String> shown;
    using GBFrame::messageBox;
    void messageBox(const rt::String& text) override { shown.push_back(text); }
};

TEST(DefaultHandlers, GoThroughTheOverridableStringOverload) {
    QuietFrame frame;
    rt::MenuItem* item = frame.addMenuItem(u"File", u"Open");
    frame.setSize(300, 300);
    frame.setVisible(true);
    driver().chooseMenuItem(*item);
    EXPECT_EQ(frame.shown, (std::vector<rt::String>{u"You need a 'menuItemSelected' method"}));
}

struct Named {
    rt::String toString() const { return u"named"; }
};
struct Streamed {
    friend std::ostream& operator<<(std::ostream& out, const Streamed&) { return out << "gr\xC3\xBC\xC3\x9F"; }
};

TEST(MessageBoxFamily, ShowsTheTextFormInTheRequestedSize) {
    forms::GBFrame frame;
    struct Case {
        std::function<void()> show;
        rt::String text;
        rt::Size size;
    };
    const Case cases[] = {
        {[&] { frame.messageBox(3.0); }, u"3.0", {300, 150}},
        {[&] { frame.messageBox(1e7, 350, 120); }, u"1.0E7", {350, 120}},
        {[&] { frame.messageBox(u"text", 400, 200); }, u"text", {400, 200}},
        {[&] { frame.messageBox(u""); }, u"", {300, 150}},
        {[&] { frame.messageBox(Named{}); }, u"named", {300, 150}},
        {[&] { frame.messageBox(Streamed{}, 320, 160); }, u"gr\u00FC\u00DF", {320, 160}},
        {[&] { frame.messageBox(true); }, u"true", {300, 150}},
        {[&] { frame.messageBox(7); }, u"7.0", {300, 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(rt::toUtf8(c.text));
        auto seen = answerNextModal();
        c.show();
        EXPECT_TRUE(seen->opened);
        EXPECT_EQ(seen->text, c.text);
        EXPECT_EQ(seen->size, c.size);
    }
}

// Shows a message whose text the user clicks into before pressing keys;
// tells whether the keys closed it (else the close box does).
bool closedByKeysFromTheText(forms::GBFrame& frame, std::initializer_list<Key> keys) {
    bool closed = false;
    driver().whenModalOpens([&](rt::ModalWindow& modal) {
        modal.clickText();
        for (Key key : keys) driver().pressKey(key);
        closed = !modal.window()->isVisible();
        if (!closed) modal.closeBox();
    });
    frame.messageBox(u"Error opening input file /a/long/path/that/the/user/scrolls/to/read (No such file)");
    return closed;
}

TEST(MessageBoxFamily, KeysStillCloseItWhenTheUserClickedIntoTheText) {
    RecordingFrame frame;
    frame.addTextField(u"behind", 1, 1, 1, 1);
    frame.setSize(300, 200);
    frame.setVisible(true);
    EXPECT_TRUE(closedByKeysFromTheText(frame, {Key::Escape}));
    EXPECT_TRUE(closedByKeysFromTheText(frame, {Key::Enter}));
    EXPECT_TRUE(closedByKeysFromTheText(frame, {Key::Space}));
    EXPECT_TRUE(closedByKeysFromTheText(frame, {Key::Tab, Key::Space}));
    EXPECT_TRUE(closedByKeysFromTheText(frame, {Key::Escape}));

    // Boxes after those are whole, and so are the dialogs of the window.
    auto seen = answerNextModal();
    frame.messageBox(u"still whole");
    EXPECT_EQ(seen->text, u"still whole");
    formtest::RecordingDialog dialog(&frame);
    rt::TextField* field = dialog.addTextField(u"typed", 1, 1, 1, 1);
    dialog.addButton(u"OK", 2, 1, 1, 1);
    rt::String read;
    driver().whenModalOpens([&](rt::ModalWindow& modal) {
        read = field->text();
        modal.closeBox();
    });
    dialog.setVisible(true);
    EXPECT_EQ(read, u"typed");
    EXPECT_TRUE(frame.calls.empty());
}

// The size a message box asked for size opens at, and whether its text area
// and OK button are wholly inside it.
struct OpenedBox {
    rt::Size size;
    bool usable = false;
};

bool inside(const rt::Rect& inner, rt::Size outer) {
    return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= outer.width &&
           inner.y + inner.height <= outer.height;
}

OpenedBox openBox(forms::GBFrame& frame, int width, int height) {
    OpenedBox opened;
    driver().whenModalOpens([&](rt::ModalWindow& modal) {
        rt::Container& pane = modal.window()->contentPane();
        const rt::Rect pb = pane.bounds();
        const rt::Size paneSize{pb.width, pb.height};
        rt::Component& text = pane.componentAt(0);
        auto& buttons = dynamic_cast<rt::Container&>(pane.componentAt(1));
        const rt::Rect bb = buttons.bounds();
        const rt::Rect tb = text.bounds();
        opened.size = modal.size();
        opened.usable = inside(tb, paneSize) && tb.height >= text.minimumSize().height && inside(bb, paneSize) &&
                        inside(buttons.componentAt(0).bounds(), {bb.width, bb.height});
        modal.pressButton(u"OK");
    });
    frame.messageBox(u"A line wider than the smallest box", width, height);
    return opened;
}

TEST(MessageBoxFamily, ABoxIsNeverTooSmallToShowItsLineAndItsOkButton) {
    forms::GBFrame frame;
    const OpenedBox least = openBox(frame, 0, 0);
    EXPECT_TRUE(least.usable);
    EXPECT_GT(least.size.width, 0);
    EXPECT_GT(least.size.height, 0);
    for (const rt::Size asked : {rt::Size{1, 1}, rt::Size{-5, -5}, rt::Size{1, 400}, rt::Size{400, 1}}) {
        const OpenedBox box = openBox(frame, asked.width, asked.height);
        EXPECT_TRUE(box.usable) << asked.width << " x " << asked.height;
        EXPECT_EQ(box.size.width, std::max(asked.width, least.size.width));
        EXPECT_EQ(box.size.height, std::max(asked.height, least.size.height));
    }
    // From the least size up, the size asked for is the size shown.
    for (const rt::Size asked : {least.size, rt::Size{least.size.width + 1, least.size.height + 1}}) {
        const OpenedBox box = openBox(frame, asked.width, asked.height);
        EXPECT_EQ(box.size, asked);
        EXPECT_TRUE(box.usable);
    }
}

TEST(MessageBoxFamily, CloseBoxEndsTheWaitLikeOk) {
    forms::GBFrame frame;
    auto seen = answerNextModal(true);
    frame.messageBox(u"Error: \nsecond line");
    EXPECT_TRUE(seen->opened);
    EXPECT_EQ(seen->text, u"Error: \nsecond line");
}

TEST(Styles, MetalInAnyCaseMotifAndOtherNamesPickTheirIndex) {
    forms::GBFrame frame;
    frame.addLabel(u"styled", 1, 1, 1, 1);
    const std::vector<rt::StyleInfo> styles = rt::toolkit().installedStyles();
    ASSERT_EQ(styles.size(), 3u);
    const rt::String original = rt::toolkit().currentStyle();
    auto unexpected = answerNextModal();
    const std::pair<rt::String, std::size_t> cases[] = {
        {u"mEtAl", 0}, {u"", 2}, {u"MOTIF", 1}, {u"METAL ", 2}, {u"Metal", 0}, {u"windows", 2}};
    for (const auto& [name, index] : cases) {
        SCOPED_TRACE(rt::toUtf8(name));
        // Start from another style, so that the switch shows.
        rt::toolkit().setStyle(styles[index == 1 ? 0 : 1].className);
        frame.setLookAndFeel(name);
        EXPECT_TRUE(rt::equalsIgnoreCase(rt::toolkit().currentStyle(), styles[index].className))
            << rt::toUtf8(rt::toolkit().currentStyle());
    }
    EXPECT_FALSE(unexpected->opened);
    driver().disarm();
    rt::toolkit().setStyle(original);
}

// Shows every message through the overridable string overload.
struct TextCollector : forms::GBFrame {
    std::vector<rt::String> texts;
    void messageBox(const rt::String& text) override { texts.push_back(text); }
    using forms::GBFrame::messageBox;
};

TEST(MessageBoxFamily, TextsOfEveryCommonStringTypeAreShownAsTexts) {
    TextCollector frame;
    const rt::String wide = u"\u00e9t\u00e9 view";
    frame.messageBox(rt::StringView(wide));
    frame.messageBox(std::u8string(u8"\u00e9t\u00e9 u8"));
    frame.messageBox(std::u8string_view(u8"u8 view"));
    frame.messageBox(u8"u8 literal");
    frame.messageBox(std::string("\xc3\xa9t\xc3\xa9 bytes"));
    frame.messageBox(std::string_view("byte view"));
    frame.messageBox("byte literal");
    frame.messageBox(std::u32string(U"\U0001F600 wide"));
    frame.messageBox(std::wstring(L"wchar"));
    frame.messageBox(u"utf-16 literal");
    const char* none = nullptr;
    frame.messageBox(none);
    EXPECT_EQ(frame.texts, (std::vector<rt::String>{u"\u00e9t\u00e9 view", u"\u00e9t\u00e9 u8", u"u8 view",
                                                    u"u8 literal", u"\u00e9t\u00e9 bytes", u"byte view",
                                                    u"byte literal", u"\U0001F600 wide", u"wchar",
                                                    u"utf-16 literal", u""}));

    auto sized = answerNextModal();
    frame.messageBox(std::u8string(u8"sized"), 320, 140);
    EXPECT_EQ(sized->text, u"sized");
    EXPECT_EQ(sized->size, (rt::Size{320, 140}));
}

}  // namespace
