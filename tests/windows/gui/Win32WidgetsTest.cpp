// Native behaviour of Win32 controls that the toolkit interface does not
// show: a combo box's opened list, a scroll pane's scroll bars and keys.

#include <windows.h>

#include "GuiTest.h"
#include "runtime/win32/Driver.h"

namespace {

using Win32WidgetsTest = GuiTest;

HWND native(const rt::Component& component) { return static_cast<HWND>(rtwin::nativeWindowOf(component)); }

int clientHeight(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return r.bottom;
}

// The list shows at least eight rows (all when fewer), never empty rows;
// the box itself stays one line high.
TEST_F(Win32WidgetsTest, ComboBoxListOpensTallEnoughForItsItemsAndTheBoxKeepsItsHeight) {
    rt::ComboBox* few = tk().createComboBox();
    rt::ComboBox* many = tk().createComboBox();
    for (const char16_t* item : {u"one", u"two", u"three"}) few->addItem(item);
    for (int i = 0; i < 20; ++i) many->addItem(u"item " + rt::decimalText(i));
    frame->contentPane().add(*few, rt::BorderPlace::North);
    frame->contentPane().add(*many, rt::BorderPlace::South);
    show();
    for (rt::ComboBox* box : {few, many}) {
        const int rows = std::min(box->itemCount(), 8);
        HWND hwnd = native(*box);
        const auto itemHeight = static_cast<int>(SendMessageW(hwnd, CB_GETITEMHEIGHT, 0, 0));
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetComboBoxInfo(hwnd, &info));
        SendMessageW(hwnd, CB_SHOWDROPDOWN, TRUE, 0);
        driver().processEvents();
        EXPECT_TRUE(IsWindowVisible(info.hwndList));
        EXPECT_GE(clientHeight(info.hwndList), rows * itemHeight) << box->itemCount() << " items";
        EXPECT_LE(clientHeight(info.hwndList), box->itemCount() * itemHeight) << box->itemCount() << " items";
        SendMessageW(hwnd, CB_SHOWDROPDOWN, FALSE, 0);
        EXPECT_EQ(box->bounds().height, box->preferredSize().height);
    }
}

bool barShown(HWND hwnd, LONG bar) { return (GetWindowLongW(hwnd, GWL_STYLE) & bar) != 0; }

// A scroll pane around a row of buttons.
struct ScrolledRow {
    rt::Panel* panel;
    rt::ScrollPane* pane;
    ScrolledRow(rt::Toolkit& tk, int buttons) : panel(tk.createPanel()) {
        for (int i = 0; i < buttons; ++i) panel->add(*tk.createButton(u"Button " + rt::decimalText(i)));
        pane = tk.createScrollPane(*panel);
    }
};

TEST_F(Win32WidgetsTest, ScrollPaneScrollsAPanelWiderThanItWithABarOfItsOwn) {
    ScrolledRow row(tk(), 12);
    frame->contentPane().add(*row.pane, rt::BorderPlace::Center);
    show(300, 200);
    HWND pane = native(*row.pane);
    const rt::Size wanted = row.panel->preferredSize();
    RECT client;
    GetClientRect(pane, &client);
    ASSERT_GT(wanted.width, client.right);
    EXPECT_TRUE(barShown(pane, WS_HSCROLL));
    EXPECT_FALSE(barShown(pane, WS_VSCROLL));
    EXPECT_EQ(row.panel->bounds(), (rt::Rect{0, 0, wanted.width, client.bottom}));

    SendMessageW(pane, WM_HSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(row.panel->bounds().x, -client.right);
    SendMessageW(pane, WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(row.panel->bounds().x, client.right - wanted.width);
    SendMessageW(pane, WM_HSCROLL, SB_LINEUP, 0);
    EXPECT_GT(row.panel->bounds().x, client.right - wanted.width);
    SendMessageW(pane, WM_HSCROLL, SB_TOP, 0);
    EXPECT_EQ(row.panel->bounds().x, 0);

    // The wheel over a button of the panel scrolls the only bar there is.
    HWND button = native(row.panel->componentAt(0));
    SendMessageW(button, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    const int scrolled = -row.panel->bounds().x;
    EXPECT_GT(scrolled, 0);
    SendMessageW(button, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(row.panel->bounds().x, 0);
}

TEST_F(Win32WidgetsTest, ScrollPaneShowsBarsOnlyWhileThePanelDoesNotFit) {
    ScrolledRow row(tk(), 3);
    frame->contentPane().add(*row.pane, rt::BorderPlace::Center);
    show(row.panel->preferredSize().width + 100, 300);
    HWND pane = native(*row.pane);
    EXPECT_FALSE(barShown(pane, WS_HSCROLL));
    EXPECT_FALSE(barShown(pane, WS_VSCROLL));
    const rt::Rect bounds = row.panel->bounds();
    EXPECT_EQ((rt::Point{bounds.x, bounds.y}), (rt::Point{0, 0}));
    const rt::Rect paneBounds = row.pane->bounds();
    EXPECT_EQ((rt::Size{bounds.width, bounds.height}), (rt::Size{paneBounds.width, paneBounds.height}));

    frame->setSize(row.panel->preferredSize().width / 2, row.panel->preferredSize().height);
    driver().processEvents();
    EXPECT_TRUE(barShown(pane, WS_HSCROLL));
    EXPECT_TRUE(barShown(pane, WS_VSCROLL));
}

void pressOn(HWND target, UINT key) {
    SendMessageW(target, WM_KEYDOWN, key, 1);
    SendMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// A click on the panel where no control is gives the pane the focus; the
// keys then scroll it.
TEST_F(Win32WidgetsTest, ScrollPaneAroundAPanelScrollsFromTheKeyboard) {
    ScrolledRow row(tk(), 12);
    frame->contentPane().add(*row.pane, rt::BorderPlace::Center);
    show(300, 200);
    HWND pane = native(*row.pane);
    RECT client;
    GetClientRect(pane, &client);
    const int wanted = row.panel->preferredSize().width;

    driver().clickAt(*row.panel, {2, client.bottom - 2}, 1);
    driver().processEvents();
    ASSERT_EQ(GetFocus(), pane);
    EXPECT_EQ(SendMessageW(pane, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
    driver().pressKey(rt::TestDriver::Key::End);
    EXPECT_EQ(row.panel->bounds().x, client.right - wanted);
    pressOn(pane, VK_LEFT);
    EXPECT_GT(row.panel->bounds().x, client.right - wanted);
    driver().pressKey(rt::TestDriver::Key::Home);
    EXPECT_EQ(row.panel->bounds().x, 0);
    pressOn(pane, VK_RIGHT);
    EXPECT_LT(row.panel->bounds().x, 0);
    pressOn(pane, VK_PRIOR);
    EXPECT_EQ(row.panel->bounds().x, 0);
    pressOn(pane, VK_NEXT);
    EXPECT_EQ(row.panel->bounds().x, -client.right);
}

// Moving the focus to a control out of sight scrolls it into sight, and
// back again.
TEST_F(Win32WidgetsTest, ScrollPaneBringsTheFocusedControlIntoSight) {
    ScrolledRow row(tk(), 12);
    frame->contentPane().add(*row.pane, rt::BorderPlace::Center);
    show(300, 200);
    RECT client;
    GetClientRect(native(*row.pane), &client);
    const auto inSight = [&](rt::Component& button) {
        button.requestFocus();
        driver().processEvents();
        const int left = row.panel->bounds().x + button.bounds().x;
        return left >= 0 && left + button.bounds().width <= client.right;
    };
    EXPECT_TRUE(inSight(row.panel->componentAt(11)));
    EXPECT_LT(row.panel->bounds().x, 0);
    EXPECT_TRUE(inSight(row.panel->componentAt(0)));
    EXPECT_TRUE(inSight(row.panel->componentAt(6)));
}

}  // namespace
