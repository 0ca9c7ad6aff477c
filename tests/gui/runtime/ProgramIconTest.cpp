// Every kind of window the runtime shows carries the program's icon in the
// theme sizes.

#include <QApplication>
#include <QIcon>
#include <QWidget>

#include "GuiTest.h"
#include "runtime/qt/Driver.h"

namespace {

using ProgramIconTest = GuiTest;

const std::vector<int> themeSizes{16, 22, 24, 32, 48, 64, 96, 128, 256};

std::vector<int> iconSizes(const QIcon& icon) {
    std::vector<int> sizes;
    for (const QSize& size : icon.availableSizes()) {
        if (size.width() == size.height()) sizes.push_back(size.width());
    }
    return sizes;
}

std::vector<int> iconSizes(const QWidget* widget) {
    return widget == nullptr ? std::vector<int>{} : iconSizes(widget->window()->windowIcon());
}

// The first frame takes the icon itself, later windows from the application.
TEST_F(ProgramIconTest, FramesDialogsAndAppletWindowsShowTheProgramIcon) {
    show();
    EXPECT_EQ(iconSizes(rtqt::widgetOf(*frame)), themeSizes);
    auto dialog = tk().createDialog(frame.get(), false);
    dialog->setVisible(true);
    EXPECT_EQ(iconSizes(rtqt::widgetOf(*dialog)), themeSizes);
    dialog->dispose();
    auto applet = tk().createAppletPanel();
    EXPECT_EQ(iconSizes(rtqt::widgetOf(*applet)), themeSizes);
}

// Its owner never shown, a file chooser is the program's first window.
TEST_F(ProgramIconTest, AFileChooserOpenedBeforeAnyWindowShowsTheProgramIcon) {
    driver().whenFileChooserOpens(std::nullopt);
    EXPECT_EQ(tk().chooseFile(*frame, rt::FileChooserMode::Open), std::nullopt);
    EXPECT_EQ(iconSizes(QApplication::windowIcon()), themeSizes);
}

}  // namespace
