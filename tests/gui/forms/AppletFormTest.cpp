// The applet form: factories and handlers as the form window, message boxes
// owned by hidden frames of their own, and the runtime's applet host.
#include <gtest/gtest.h>

#include <cstdlib>

#include "FormTestSupport.h"
#include "forms/GBApplet.h"

namespace {

using formtest::driver;

using RecordingApplet = formtest::Recording<forms::GBApplet>;

// The applet the host created last.
forms::GBApplet* created = nullptr;

template <class A>
std::unique_ptr<rt::Applet> createNoted() {
    auto applet = std::make_unique<A>();
    created = applet.get();
    return applet;
}

const rt::AppletClass testApplets[] = {
    {"Plain", &createNoted<forms::GBApplet>},
    {"Recording", &createNoted<RecordingApplet>},
    {nullptr, nullptr},
};

// An applet created by the host in a frame of the given size, hidden again
// when the test ends (the host keeps both until the process ends).
template <class A = forms::GBApplet>
struct Hosted {
    rt::Frame& frame;
    A& applet;
    explicit Hosted(const char16_t* name = u"Plain", int width = 320, int height = 240)
        : frame(*rt::toolkit().hostApplet(testApplets, name, width, height)),
          applet(dynamic_cast<A&>(*created)) {
        driver().processEvents();
    }
    ~Hosted() { frame.setVisible(false); }
};

struct SeenBox {
    bool modal = false;
    bool ownerShown = true;
    rt::String ownerTitle = u"unset";
    rt::Frame* owner = nullptr;
    rt::String text;
    rt::Size size;
};

std::shared_ptr<SeenBox> answerAndInspect(bool useCloseBox) {
    auto seen = std::make_shared<SeenBox>();
    driver().whenModalOpens([seen, useCloseBox](rt::ModalWindow& modal) {
        auto* dialog = dynamic_cast<rt::Dialog*>(modal.window());
        seen->modal = dialog != nullptr && dialog->isModal();
        seen->owner = dialog != nullptr ? dialog->owner() : nullptr;
        if (seen->owner != nullptr) {
            seen->ownerShown = seen->owner->isVisible();
            seen->ownerTitle = seen->owner->title();
        }
        seen->text = modal.text();
        seen->size = modal.size();
        if (useCloseBox) {
            modal.closeBox();
        } else {
            modal.pressButton(u"OK");
        }
    });
    return seen;
}

TEST(AppletForm, MessagesAreModalOwnedByAHiddenUntitledFrameReleasedAfterwards) {
    Hosted host;
    forms::GBApplet& applet = host.applet;
    const int windowsBefore = driver().windowCount();

    auto first = answerAndInspect(false);
    applet.messageBox(2.5);
    auto second = answerAndInspect(true);
    applet.messageBox(u"sized", 220, 90);

    for (const auto& seen : {first, second}) {
        EXPECT_TRUE(seen->modal);
        ASSERT_NE(seen->owner, nullptr);
        EXPECT_NE(seen->owner, &host.frame);
        EXPECT_FALSE(seen->ownerShown);
        EXPECT_EQ(seen->ownerTitle, u"");
    }
    EXPECT_EQ(first->text, u"2.5");
    EXPECT_EQ(first->size, (rt::Size{300, 150}));
    EXPECT_EQ(second->text, u"sized");
    EXPECT_EQ(driver().windowCount(), windowsBefore);
}

TEST(AppletForm, TwoButtonsReportToTheSameAppletAndDefaultsNameThemselves) {
    Hosted<RecordingApplet> host(u"Recording");
    RecordingApplet& applet = host.applet;
    rt::Button* first = applet.addButton(u"First", 1, 1, 1, 1);
    rt::Button* second = applet.addButton(u"Second", 1, 2, 1, 1);
    rt::ListBox& list = formtest::threeWordList(applet);
    driver().processEvents();
    driver().pressButton(*second);
    driver().pressButton(*first);
    driver().clickListRow(list, 1, 2);
    EXPECT_EQ(applet.calls, (std::vector<rt::String>{u"button Second", u"button First", u"selected 1",
                                                     u"double beta"}));

    Hosted plainHost;
    rt::Button* button = plainHost.applet.addButton(u"Go", 1, 1, 1, 1);
    rt::ListBox& words = formtest::threeWordList(plainHost.applet);
    driver().processEvents();
    auto pressed = answerAndInspect(false);
    driver().pressButton(*button);
    auto doubled = answerAndInspect(false);
    driver().clickListRow(words, 0, 2);
    EXPECT_EQ(pressed->text, u"You need a 'buttonClicked' method");
    EXPECT_EQ(doubled->text, u"You need a 'listDoubleClicked' method");
}

TEST(AppletForm, ASelectionMovedFromTheKeyboardIsReportedLikeAClick) {
    Hosted<RecordingApplet> host(u"Recording");
    rt::ListBox& list = formtest::threeWordList(host.applet);
    driver().processEvents();
    driver().clickListRow(list, 2, 1);
    driver().pressKey(list, rt::TestDriver::Key::Up);
    driver().pressKey(list, rt::TestDriver::Key::Home);
    driver().typeKeys(u"b");
    EXPECT_EQ(host.applet.calls,
              (std::vector<rt::String>{u"selected 2", u"selected 1", u"selected 0", u"selected 1"}));
}

rt::Point centre(const rt::Window& window) {
    return {window.location().x + window.size().width / 2, window.location().y + window.size().height / 2};
}

TEST(AppletForm, MessagesOpenCentredOverTheHostWindow) {
    Hosted host(u"Plain", 400, 300);
    host.frame.setLocation({260, 180});
    driver().processEvents();
    for (const rt::Size size : {rt::Size{300, 150}, rt::Size{380, 200}}) {
        std::optional<rt::Point> seen;
        driver().whenModalOpens([&](rt::ModalWindow& modal) {
            seen = centre(*modal.window());
            modal.pressButton(u"OK");
        });
        host.applet.messageBox(u"centred", size.width, size.height);
        ASSERT_TRUE(seen.has_value());
        // Locations count the window frame and sizes do not: the centres
        // differ by a frame's width at most.
        const rt::Point over = centre(host.frame);
        EXPECT_NEAR(seen->x, over.x, 4);
        EXPECT_NEAR(seen->y, over.y, 4);
    }
}

TEST(AppletForm, HostCreatesTheNamedAppletFillingAFrameOfTheGivenSizeWithoutMenus) {
    Hosted<RecordingApplet> host(u"Recording", 360, 210);
    host.applet.addTextArea(u"stretches", 1, 1, 1, 1);
    driver().processEvents();
    EXPECT_TRUE(host.frame.isVisible());
    EXPECT_EQ(host.frame.size(), (rt::Size{360, 210}));
    EXPECT_EQ(host.frame.title(), u"Recording");
    EXPECT_EQ(host.frame.menuBar(), nullptr);
    const rt::Rect panel = host.applet.appletPanel().bounds();
    EXPECT_EQ((rt::Size{panel.width, panel.height}), (rt::Size{360, 210}));

    created = nullptr;
    EXPECT_EQ(rt::toolkit().hostApplet(testApplets, u"recording", 100, 100), nullptr);
    EXPECT_EQ(rt::toolkit().hostApplet(testApplets, u"", 100, 100), nullptr);
    EXPECT_EQ(created, nullptr);
}

TEST(AppletForm, ClosingTheHostWindowEndsTheProcessWithStatusZero) {
    EXPECT_EXIT(
        {
            rt::Frame* frame = rt::toolkit().hostApplet(testApplets, u"Plain", 200, 100);
            driver().processEvents();
            driver().closeWindow(*frame);
            driver().processEvents();
            std::_Exit(1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(AppletForm, StyleSwitchPicksTheStyleByNameWithoutAMessage) {
    Hosted host;
    forms::GBApplet& applet = host.applet;
    applet.addLabel(u"styled", 1, 1, 1, 1);
    const rt::String original = rt::toolkit().currentStyle();
    auto unexpected = answerAndInspect(false);
    applet.setLookAndFeel(u"metal");
    EXPECT_TRUE(rt::equalsIgnoreCase(rt::toolkit().currentStyle(),
                                     rt::toolkit().installedStyles().at(0).className));
    EXPECT_TRUE(unexpected->text.empty());
    driver().disarm();
    rt::toolkit().setStyle(original);
}

}  // namespace
