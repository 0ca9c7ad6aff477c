// The native windows behind components and windows: where a component's
// window lies among its siblings, whether the system shows it, and the
// frame's client area around its content pane.

#include <windows.h>

#include <vector>

#include "GuiTest.h"
#include "runtime/win32/Driver.h"

namespace {

using Win32ChildWindowsTest = GuiTest;

HWND native(const rt::Component& component) { return static_cast<HWND>(rtwin::nativeWindowOf(component)); }
HWND native(const rt::Window& window) { return static_cast<HWND>(rtwin::nativeWindowOf(window)); }

// The child windows of parent from the top of the z-order down.
std::vector<HWND> childrenTopDown(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// A component added later lies below the earlier ones, one added again
// goes to the bottom; the system shows each window as its component says,
// whether that was set before or after the adding.
TEST_F(Win32ChildWindowsTest, ChildrenLieInAddingOrderAndShowAsTheirComponentsSay) {
    rt::Panel* panel = tk().createPanel();
    const auto [first, hiddenBefore, hiddenAfter, last] =
        buttons({u"First", u"Hidden before", u"Hidden after", u"Last"});
    hiddenBefore->setVisible(false);
    for (rt::Button* button : {first, hiddenBefore, hiddenAfter, last, first}) panel->add(*button);
    hiddenAfter->setVisible(false);
    frame->contentPane().add(*panel, rt::BorderPlace::Center);
    EXPECT_FALSE(IsWindowVisible(native(*first)));
    show();
    EXPECT_EQ(childrenTopDown(native(*panel)),
              (std::vector<HWND>{native(*hiddenBefore), native(*hiddenAfter), native(*last), native(*first)}));
    EXPECT_TRUE(IsWindowVisible(native(*first)));
    EXPECT_TRUE(IsWindowVisible(native(*last)));
    EXPECT_FALSE(IsWindowVisible(native(*hiddenBefore)));
    EXPECT_FALSE(IsWindowVisible(native(*hiddenAfter)));
    hiddenBefore->setVisible(true);
    EXPECT_TRUE(IsWindowVisible(native(*hiddenBefore)));
}

// A scroll pane's view and an applet panel's content pane are shown in the
// window they fill, and a window's content pane in the window itself.
TEST_F(Win32ChildWindowsTest, ViewsAndContentPanesAreShownInsideTheirHolders) {
    rt::ListBox* list = tk().createListBox();
    rt::ScrollPane* scroll = tk().createScrollPane(*list);
    std::unique_ptr<rt::AppletPanel> applet = tk().createAppletPanel();
    frame->contentPane().add(*scroll, rt::BorderPlace::Center);
    frame->contentPane().add(*applet, rt::BorderPlace::South);
    show();
    EXPECT_EQ(GetParent(native(*list)), native(*scroll));
    EXPECT_EQ(GetParent(native(applet->contentPane())), native(*applet));
    EXPECT_EQ(GetParent(native(frame->contentPane())), native(*frame));
    EXPECT_TRUE(IsWindowVisible(native(*list)));
    EXPECT_TRUE(IsWindowVisible(native(applet->contentPane())));
    EXPECT_TRUE(IsWindowVisible(native(frame->contentPane())));
}

// A list holds its drawing after a row comes or goes until the waiting
// messages are handled; hidden or shown meanwhile, it ends as its
// component says.
TEST_F(Win32ChildWindowsTest, AListChangedAndThenHiddenOrShownEndsAsItsComponentSays) {
    rt::ListBox* list = tk().createListBox();
    frame->contentPane().add(*list, rt::BorderPlace::Center);
    show();
    list->model().append(u"one");
    list->setVisible(false);
    driver().processEvents();
    EXPECT_FALSE(IsWindowVisible(native(*list)));
    list->model().append(u"two");
    list->setVisible(true);
    list->model().append(u"three");
    driver().processEvents();
    EXPECT_TRUE(IsWindowVisible(native(*list)));
    EXPECT_EQ(SendMessageW(native(*list), LB_GETCOUNT, 0, 0), 3);
}

// The menu bar takes its height from the content: the window keeps its
// size, and the content pane fills the client area below the bar.
TEST_F(Win32ChildWindowsTest, AMenuBarKeepsTheWindowsSizeAndTheContentFillsWhatIsLeft) {
    rt::MenuBar* bar = tk().createMenuBar();
    bar->add(*tk().createMenu(u"File"));
    frame->setSize(320, 240);
    RECT before;
    GetWindowRect(native(*frame), &before);
    frame->setMenuBar(*bar);
    frame->setVisible(true);
    driver().processEvents();
    EXPECT_EQ(frame->size(), (rt::Size{320, 240}));
    RECT after, client;
    GetWindowRect(native(*frame), &after);
    GetClientRect(native(*frame), &client);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_NE(GetMenu(native(*frame)), nullptr);
    EXPECT_EQ(frame->contentPane().bounds(), (rt::Rect{0, 0, client.right, client.bottom}));
    EXPECT_LT(client.bottom, 240);
}

}  // namespace
