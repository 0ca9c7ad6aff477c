// Every kind of window the runtime shows carries the program's icon in the
// theme sizes.

#include <QIcon>
#include <QWidget>

#include "GuiTest.h"
#include "runtime/qt/QtRuntime.h"

namespace {

using ProgramIconTest = GuiTest;

std::vector<int> iconSizes(const QWidget* widget) {
    std::vector<int> sizes;
    if (widget == nullptr) return sizes;
    for (const QSize& size : widget->window()->windowIcon().availableSizes()) {
        if (size.width() == size.height()) sizes.push_back(size.width());
    }
    return sizes;
}

TEST_F(ProgramIconTest, FramesDialogsAndAppletWindowsShowTheProgramIcon) {
    const std::vector<int> themeSizes{16, 22, 24, 32, 48, 64, 96, 128, 256};
    show();
    EXPECT_EQ(iconSizes(rtqt::widgetOf(*frame)), themeSizes);
    auto dialog = tk().createDialog(frame.get(), false);
    dialog->setVisible(true);
    EXPECT_EQ(iconSizes(rtqt::widgetOf(*dialog)), themeSizes);
    dialog->dispose();
    auto applet = tk().createAppletPanel();
    EXPECT_EQ(iconSizes(rtqt::widgetOf(*applet)), themeSizes);
}

}  // namespace
