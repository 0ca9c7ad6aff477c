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

// A control gets its window when it is first placed in a container that
// has its window, made there with what was set before: it is never made
// elsewhere and moved. A container placed later, or in a window not shown
// yet, makes its controls' windows with its own.
TEST_F(Win32ChildWindowsTest, ControlsAreMadeInTheirContainerWithWhatWasSetBefore) {
    rt::Panel* panel = tk().createPanel();
    rt::Button* button = tk().createButton(u"Go");
    rt::CheckBox* check = tk().createCheckBox(u"Check");
    rt::TextField* field = tk().createTextField(u"text");
    rt::ComboBox* combo = tk().createComboBox();
    rt::ListBox* list = tk().createListBox();
    button->setEnabled(false);
    check->setSelected(true);
    field->setEditable(false);
    combo->addItem(u"a");
    combo->addItem(u"b");
    combo->setSelectedIndex(1);
    list->model().assign({u"x", u"y", u"z"});
    list->setSelectedIndex(2);
    for (rt::Component* c : std::initializer_list<rt::Component*>{button, check, field, combo, list}) panel->add(*c);
    EXPECT_EQ(native(*button), nullptr);
    EXPECT_EQ(button->bounds(), (rt::Rect{}));
    frame->contentPane().add(*panel, rt::BorderPlace::Center);
    EXPECT_EQ(native(*button), nullptr);
    show();
    for (rt::Component* c : std::initializer_list<rt::Component*>{button, check, field, combo, list})
        EXPECT_EQ(GetParent(native(*c)), native(*panel));
    EXPECT_FALSE(IsWindowEnabled(native(*button)));
    EXPECT_EQ(SendMessageW(native(*check), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_NE(GetWindowLongW(native(*field), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(SendMessageW(native(*combo), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(native(*combo), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(native(*list), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(native(*list), LB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(IsWindowVisible(native(*list)));
    // An index outside the items selects none, made or not.
    combo->setSelectedIndex(5);
    EXPECT_EQ(combo->selectedIndex(), -1);
}

// Sizes measured before a control has its window are those it has once
// made: the metrics come from the same font.
TEST_F(Win32ChildWindowsTest, SizesBeforeAndAfterTheWindowIsMadeAgree) {
    rt::ComboBox* combo = tk().createComboBox();
    rt::ComboBox* bigCombo = tk().createComboBox();
    bigCombo->setFont({u"Arial", rt::Font::Plain, 24});
    rt::ListBox* list = tk().createListBox();
    list->setFont({u"Arial", rt::Font::Plain, 24});
    list->model().assign({u"x", u"y"});
    const rt::Size before = combo->preferredSize(), bigBefore = bigCombo->preferredSize();
    const rt::Rect rowBefore = list->rowBounds(1);
    for (rt::Component* c : std::initializer_list<rt::Component*>{combo, bigCombo, list}) frame->contentPane().add(*c);
    show();
    EXPECT_EQ(combo->preferredSize(), before);
    EXPECT_EQ(bigCombo->preferredSize(), bigBefore);
    EXPECT_EQ(list->rowBounds(1).y, rowBefore.y);
    EXPECT_EQ(SendMessageW(native(*list), LB_GETITEMHEIGHT, 0, 0), rowBefore.height);
}

// A component added to another container leaves the one that held it,
// which no longer lists it nor lays it out.
TEST_F(Win32ChildWindowsTest, AComponentMovedLeavesTheContainerThatHeldIt) {
    rt::Panel* left = tk().createPanel();
    rt::Panel* right = tk().createPanel();
    const auto [stays, moves] = buttons({u"Stays", u"Moves"});
    left->add(*stays);
    left->add(*moves);
    frame->contentPane().add(*left, rt::BorderPlace::West);
    frame->contentPane().add(*right, rt::BorderPlace::East);
    show(400, 200);
    right->add(*moves);
    frame->validate();
    left->add(*stays);
    frame->validate();
    EXPECT_EQ(left->componentCount(), 1);
    EXPECT_EQ(GetParent(native(*moves)), native(*right));
    EXPECT_TRUE(IsWindowVisible(native(*moves)));
    EXPECT_EQ(moves->bounds().y, stays->bounds().y);
    EXPECT_EQ(childrenTopDown(native(*left)), std::vector<HWND>{native(*stays)});
}

// A text area or a list fills its scroll pane whatever it shows: with
// nothing to scroll they drop their own scroll bars, and the pane must
// not take them then for a view it scrolls itself.
TEST_F(Win32ChildWindowsTest, ATextAreaWithNothingToScrollStillFillsItsScrollPane) {
    rt::TextArea* area = tk().createTextArea(u"short");
    rt::ListBox* list = tk().createListBox();
    rt::ScrollPane* areaPane = tk().createScrollPane(*area);
    rt::ScrollPane* listPane = tk().createScrollPane(*list);
    frame->contentPane().add(*areaPane, rt::BorderPlace::Center);
    frame->contentPane().add(*listPane, rt::BorderPlace::South);
    show(200, 120);
    frame->setSize(210, 130);
    frame->validate();
    for (const rt::ScrollPane* pane : {areaPane, listPane}) {
        RECT client;
        GetClientRect(native(*pane), &client);
        EXPECT_EQ(pane->view().bounds(), (rt::Rect{0, 0, client.right, client.bottom}));
        EXPECT_EQ(GetWindowLongW(native(*pane), GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    }
}

// A frame's window is made when it first shows, with the title, size,
// place and menu bar set before: none of them is set again on the made
// window. The title changes on screen once it is made.
TEST_F(Win32ChildWindowsTest, AFrameIsMadeAtItsFirstShowingAsItWasSet) {
    rt::MenuBar* bar = tk().createMenuBar();
    bar->add(*tk().createMenu(u"File"));
    frame->setTitle(u" ");
    frame->setTitle(u"Made late");
    frame->setSize(333, 222);
    frame->setLocation({40, 50});
    frame->setMenuBar(*bar);
    EXPECT_EQ(FindWindowW(nullptr, L"Made late"), nullptr);
    EXPECT_EQ(frame->size(), (rt::Size{333, 222}));
    EXPECT_EQ(frame->location(), (rt::Point{40, 50}));
    frame->setVisible(true);
    driver().processEvents();
    HWND made = FindWindowW(nullptr, L"Made late");
    EXPECT_EQ(made, native(*frame));
    EXPECT_NE(GetMenu(made), nullptr);
    EXPECT_EQ(frame->size(), (rt::Size{333, 222}));
    EXPECT_EQ(frame->location(), (rt::Point{40, 50}));
    RECT client;
    GetClientRect(made, &client);
    EXPECT_EQ(frame->contentPane().bounds(), (rt::Rect{0, 0, client.right, client.bottom}));
    frame->setTitle(u"Renamed");
    EXPECT_EQ(FindWindowW(nullptr, L"Renamed"), made);
}

// A dialog made after its owner frame went has the hidden owner, and no
// owner frame.
TEST_F(Win32ChildWindowsTest, ADialogWhoseOwnerWentBeforeItWasMadeShowsWithoutIt) {
    auto owner = tk().createFrame();
    owner->setVisible(true);
    auto dialog = tk().createDialog(owner.get(), false);
    EXPECT_EQ(dialog->owner(), owner.get());
    owner.reset();
    EXPECT_EQ(dialog->owner(), nullptr);
    dialog->setVisible(true);
    driver().processEvents();
    EXPECT_TRUE(IsWindowVisible(native(*dialog)));
    EXPECT_EQ(dialog->owner(), nullptr);
    dialog->setVisible(false);
}

}  // namespace
