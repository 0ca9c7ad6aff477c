// The dialog form, the message box's window and closing a form window.
#include <gtest/gtest.h>

#include <memory>

#include "FormTestSupport.h"
#include "forms/MessageBox.h"

namespace {

using formtest::answerNextModal;
using formtest::driver;
using formtest::RecordingDialog;
using formtest::RecordingFrame;

TEST(DialogForm, FreshDialogIsModalOwnedByItsParentAndCancelled) {
    RecordingFrame parent;
    RecordingDialog dialog(&parent);
    EXPECT_EQ(dialog.dialog().size(), (rt::Size{300, 300}));
    EXPECT_EQ(dialog.getTitle(), u" ");
    EXPECT_EQ(dialog.getDlgCloseIndicator(), u"Cancel");
    EXPECT_TRUE(dialog.dialog().isModal());
    EXPECT_EQ(dialog.dialog().owner(), &parent.frame());
    EXPECT_FALSE(dialog.isVisible());
    dialog.setSize(250, 150);
    EXPECT_EQ(dialog.dialog().size(), (rt::Size{250, 150}));
    EXPECT_EQ(RecordingDialog(nullptr).dialog().owner(), nullptr);
}

TEST(DialogForm, CloseBoxOnlyDisposesAndLeavesTheIndicator) {
    RecordingFrame parent;
    RecordingDialog dialog(&parent);
    dialog.setDlgCloseIndicator(u"ok");
    auto seen = answerNextModal(true);
    dialog.setVisible(true);  // returns once the close box disposed of it
    EXPECT_TRUE(seen->opened);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.getDlgCloseIndicator(), u"ok");
}

TEST(DialogForm, MessagesAreOwnedByTheParentAndListsReportToTheDialog) {
    RecordingFrame parent;
    forms::GBDialog plain(&parent);
    rt::ListBox& list = formtest::threeWordList(plain);
    RecordingDialog recording(&parent);
    rt::ListBox& recorded = formtest::threeWordList(recording);

    std::shared_ptr<formtest::SeenModal> message;
    driver().whenModalOpens([&](rt::ModalWindow& modal) {
        message = answerNextModal();
        driver().clickListRow(list, 0, 2);
        modal.closeBox();
    });
    plain.setVisible(true);
    ASSERT_TRUE(message && message->opened);
    EXPECT_EQ(message->text, u"You need a 'listDoubleClicked' method");
    EXPECT_EQ(message->owner, &parent.frame());

    driver().whenModalOpens([&](rt::ModalWindow& modal) {
        driver().clickListRow(recorded, -1, 2);
        modal.closeBox();
    });
    recording.setVisible(true);
    EXPECT_EQ(recording.calls, (std::vector<rt::String>{u"selected 2", u"double gamma"}));
    EXPECT_TRUE(parent.calls.empty());
}

TEST(DialogForm, ADialogOutlivingItsParentStaysUsableAndOwnsItsMessages) {
    auto parent = std::make_unique<RecordingFrame>();
    RecordingDialog dialog(parent.get());
    rt::TextField* field = dialog.addTextField(u"kept", 1, 1, 1, 1);
    dialog.setTitle(u"Orphan");
    parent.reset();
    EXPECT_EQ(dialog.getTitle(), u"Orphan");
    EXPECT_EQ(field->text(), u"kept");
    EXPECT_EQ(dialog.dialog().owner(), nullptr);
    auto seen = answerNextModal();
    dialog.messageBox(u"still here");
    EXPECT_TRUE(seen->opened);
    EXPECT_EQ(seen->owner, nullptr);
}

TEST(MessageBoxWindow, IsBuiltHiddenWithAReadOnlyCourierTextAndAnOkButton) {
    RecordingFrame owner;
    forms::MessageBox box(&owner.frame(), u"Error: \nno such file");
    rt::Dialog& window = box.dialog();
    EXPECT_EQ(window.title(), u"Message");
    EXPECT_TRUE(window.isModal());
    EXPECT_EQ(window.owner(), &owner.frame());
    EXPECT_EQ(window.size(), (rt::Size{300, 150}));
    EXPECT_FALSE(window.isVisible());

    rt::Container& pane = window.contentPane();
    ASSERT_EQ(pane.componentCount(), 2);
    auto& area = dynamic_cast<rt::TextArea&>(dynamic_cast<rt::ScrollPane&>(pane.componentAt(0)).view());
    EXPECT_EQ(area.text(), u"Error: \nno such file");
    EXPECT_FALSE(area.isEditable());
    EXPECT_EQ(area.font(), (rt::Font{u"Courier", rt::Font::Plain, 12}));
    auto& buttons = dynamic_cast<rt::Panel&>(pane.componentAt(1));
    ASSERT_EQ(buttons.componentCount(), 1);
    EXPECT_EQ(dynamic_cast<rt::Button&>(buttons.componentAt(0)).text(), u"OK");
}

TEST(FormWindowDeathTest, ClosingTheWindowEndsTheProcessWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            RecordingFrame frame;
            frame.setSize(200, 100);
            frame.setVisible(true);
            driver().closeWindow(frame.frame());
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
