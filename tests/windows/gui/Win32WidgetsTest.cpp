// Native behaviour of Win32 controls that the toolkit interface does not
// show: a combo box's opened list, a scroll pane's scroll bars.

#include <windows.h>

#include "GuiTest.h"
#include "runtime/win32/Win32Runtime.h"

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
        EXPECT_LE(box->bounds().height, box->preferredSize().height);
    }
}

}  // namespace
