#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/TestDriverBase.h"

namespace {

// A modal window as the shared half hands it on: only what it reports.
class NamedModal final : public rt::ModalWindow {
public:
    NamedModal(rt::String title, rt::String text) : title_(std::move(title)), text_(std::move(text)) {}
    rt::String title() const override { return title_; }
    rt::Size size() const override { return {}; }
    rt::String text() const override { return text_; }
    rt::Window* window() const override { return nullptr; }
    void setFieldText(int, const rt::String&) override {}
    void pressButton(const rt::String&) override {}
    void closeBox() override {}
    void clickText() override {}

private:
    rt::String title_;
    rt::String text_;
};

// The shared half with its protected side opened for the test; the toolkit
// half is never reached here.
class SharedHalf final : public rt::TestDriverBase {
public:
    using TestDriverBase::answerModal;
    using TestDriverBase::fileChooserArmed;
    using TestDriverBase::noteFileChooser;
    using TestDriverBase::takeFileAnswer;

    void pressButton(rt::Button&) override {}
    void chooseMenuItem(rt::MenuItem&) override {}
    void clickListRow(rt::ListBox&, int, int) override {}
    void clickAt(rt::Component&, rt::Point, int) override {}
    void movePointer(rt::Component&, const std::vector<rt::Point>&, bool) override {}
    void pressKey(rt::Component&, Key) override {}
    void pressKey(Key) override {}
    void typeKeys(const rt::String&) override {}
    void typeText(rt::TextComponent&, const rt::String&) override {}
    void closeWindow(rt::Window&) override {}
    void processEvents() override {}
    rt::Color pixelAt(rt::Component&, rt::Point) override { return {}; }
    int windowCount() const override { return 0; }
};

TEST(TestDriverBase, TheNewestArmedAnswerTakesTheNextWindowAndTheOlderOneTheWindowAfter) {
    SharedHalf driver;
    std::u16string answeredBy;
    driver.whenModalOpens([&](rt::ModalWindow& modal) { answeredBy += u"outer:" + modal.title() + u" "; });
    driver.whenModalOpens([&](rt::ModalWindow& modal) { answeredBy += u"inner:" + modal.title() + u" "; });
    NamedModal first(u"Import", u"");
    NamedModal second(u"Message", u"");
    driver.answerModal(first);
    driver.answerModal(second);
    EXPECT_EQ(answeredBy, u"inner:Import outer:Message ");
}

TEST(TestDriverBase, AWindowWithNoAnswerArmedIsReportedWithItsTitleAndText) {
    SharedHalf driver;
    bool answered = false;
    driver.whenModalOpens([&](rt::ModalWindow&) { answered = true; });
    driver.disarm();
    NamedModal modal(u"Error", u"The file was not found.");
    testing::internal::CaptureStderr();
    driver.answerModal(modal);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "A modal window opened with no answer armed: \"Error\" The file was not found.\n");
    EXPECT_FALSE(answered);
}

TEST(TestDriverBase, AFileAnswerIsTakenOnceAndACancelIsAnAnswerToo) {
    SharedHalf driver;
    EXPECT_FALSE(driver.fileChooserArmed());
    EXPECT_EQ(driver.takeFileAnswer(), std::nullopt);

    driver.whenFileChooserOpens(u"/tmp/words.txt");
    EXPECT_TRUE(driver.fileChooserArmed());
    EXPECT_EQ(driver.takeFileAnswer(), std::optional<std::optional<rt::String>>(u"/tmp/words.txt"));
    EXPECT_FALSE(driver.fileChooserArmed());

    driver.whenFileChooserOpens(std::nullopt);
    const auto cancel = driver.takeFileAnswer();
    ASSERT_TRUE(cancel.has_value());
    EXPECT_FALSE(cancel->has_value());

    driver.whenFileChooserOpens(u"/tmp/other.txt");
    driver.disarm();
    EXPECT_FALSE(driver.fileChooserArmed());
}

TEST(TestDriverBase, TheLastChooserIsTheOneNotedLast) {
    SharedHalf driver;
    EXPECT_EQ(driver.lastFileChooserDirectory(), u"");
    EXPECT_TRUE(driver.lastFileChooserTypes().empty());
    driver.noteFileChooser(u"/home/pat", {u"Word lists (*.txt)", u"All files (*)"}, u"All files (*)");
    driver.noteFileChooser(u"/home/pat/words", {u"Word lists (*.txt)"}, u"Word lists (*.txt)");
    EXPECT_EQ(driver.lastFileChooserDirectory(), u"/home/pat/words");
    EXPECT_EQ(driver.lastFileChooserTypes(), std::vector<rt::String>{u"Word lists (*.txt)"});
    EXPECT_EQ(driver.lastFileChooserSelectedType(), u"Word lists (*.txt)");
}

TEST(TestDriverBase, ReportsNameWhatTheModalWindowLacks) {
    testing::internal::CaptureStderr();
    rt::TestDriverBase::reportNoField(2);
    rt::TestDriverBase::reportNoButton(u"Übernehmen");
    rt::TestDriverBase::reportNoTextArea();
    rt::TestDriverBase::reportNoFocus();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "The modal window has no text field 2\n"
              "The modal window has no button \"\xC3\x9C" "bernehmen\"; closing it\n"
              "The modal window has no text area\n"
              "A key was pressed with no window holding the focus\n");
}

// Presses of one gesture stay within any double-click interval; separate
// gestures lie beyond it, in both toolkits' time types.
TEST(MouseClock, PressesOfAGestureAreCloseAndGesturesFarApart) {
    rt::MouseClock<std::uint32_t> clock;
    const std::uint32_t first = clock.nextGesture();
    const std::uint32_t second = clock.withinGesture();
    const std::uint32_t next = clock.nextGesture();
    EXPECT_EQ(second - first, 20u);
    EXPECT_EQ(next - second, 10'000u);
    rt::MouseClock<std::uint64_t> wide;
    EXPECT_EQ(wide.nextGesture(), std::uint64_t{first});
}

}  // namespace
