// Construction, placement, factories and menus of the form window.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <QApplication>
#include <QMenuBar>
#endif

#include "FormTestSupport.h"

namespace {

using formtest::RecordingFrame;

struct Expected {
    int index;  // position in the content pane
    rt::Anchor anchor;
    rt::Fill fill;
    double weight;
};

TEST(FormWindow, FactoriesPlaceEachWidgetWithItsAnchorFillAndWeights) {
    RecordingFrame frame;
    frame.addLabel(u"label", 1, 1, 1, 1);
    frame.addButton(u"button", 2, 3, 2, 1);
    frame.addTextField(u"field", 3, 1, 1, 1);
    rt::TextArea* area = frame.addTextArea(u"area", 4, 1, 2, 3);
    rt::ListBox* list = frame.addList(7, 1, 1, 1);
    frame.addComboBox(8, 1, 1, 1);
    frame.addCheckBox(u"check", 9, 1, 1, 1);
    frame.addRadioButton(u"radio", 0, 0, 1, 1);

    rt::Container& pane = frame.frame().contentPane();
    ASSERT_EQ(pane.componentCount(), 8);
    const Expected expected[] = {
        {0, rt::Anchor::NorthWest, rt::Fill::None, 100.0},
        {1, rt::Anchor::Center, rt::Fill::None, 100.0},
        {2, rt::Anchor::NorthWest, rt::Fill::Horizontal, 100.0},
        {3, rt::Anchor::NorthWest, rt::Fill::Both, 500.0},
        {4, rt::Anchor::NorthWest, rt::Fill::Both, 500.0},
        {5, rt::Anchor::NorthWest, rt::Fill::None, 100.0},
        {6, rt::Anchor::NorthWest, rt::Fill::Horizontal, 100.0},
        {7, rt::Anchor::NorthWest, rt::Fill::Horizontal, 100.0},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.index);
        const rt::CellConstraints c = frame.gbl->constraintsOf(pane.componentAt(e.index));
        EXPECT_EQ(c.anchor, e.anchor);
        EXPECT_EQ(c.fill, e.fill);
        EXPECT_EQ(c.weightx, e.weight);
        EXPECT_EQ(c.weighty, e.weight);
        EXPECT_EQ(c.insets, (rt::Insets{1, 2, 1, 2}));
    }
    const rt::CellConstraints button = frame.gbl->constraintsOf(pane.componentAt(1));
    EXPECT_EQ((rt::Rect{button.gridx, button.gridy, button.gridwidth, button.gridheight}),
              (rt::Rect{2, 1, 2, 1}));
    const rt::CellConstraints radio = frame.gbl->constraintsOf(pane.componentAt(7));
    EXPECT_EQ(radio.gridx, rt::Relative);
    EXPECT_EQ(radio.gridy, rt::Relative);

    // Text areas and lists are placed in a scroll pane; the inner widget is returned.
    EXPECT_EQ(&dynamic_cast<rt::ScrollPane&>(pane.componentAt(3)).view(), area);
    EXPECT_EQ(&dynamic_cast<rt::ScrollPane&>(pane.componentAt(4)).view(), list);
}

TEST(FormWindow, StartsBlankTitledAndOnlyTextAreasUseCourier) {
    RecordingFrame frame;
    EXPECT_EQ(frame.getTitle(), u" ");
    rt::TextArea* area = frame.addTextArea(u"a\nb", 1, 1, 1, 1);
    rt::TextField* field = frame.addTextField(u"typed", 2, 1, 1, 1);
    EXPECT_EQ(area->font(), (rt::Font{u"Courier", rt::Font::Plain, 12}));
    EXPECT_EQ(area->text(), u"a\nb");
    EXPECT_EQ(field->font(), rt::toolkit().createTextField(u"")->font());
}

TEST(FormWindow, MenusAreMatchedByExactTitleInCallOrder) {
    RecordingFrame frame;
    rt::MenuItem* open = frame.addMenuItem(u"File", u"Open");
    frame.addMenuItem(u"Edit", u"Add");
    rt::MenuItem* save = frame.addMenuItem(u"File", u"Save");
    frame.addMenuItem(u"file", u"Other");
    EXPECT_EQ(frame.frame().menuBar(), nullptr);
    frame.setSize(300, 200);

    rt::MenuBar* bar = frame.frame().menuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->menuCount(), 3);
    EXPECT_EQ(bar->menuAt(0).title(), u"File");
    EXPECT_EQ(bar->menuAt(1).title(), u"Edit");
    EXPECT_EQ(bar->menuAt(2).title(), u"file");
    ASSERT_EQ(bar->menuAt(0).itemCount(), 2);
    EXPECT_EQ(&bar->menuAt(0).itemAt(0), open);
    EXPECT_EQ(&bar->menuAt(0).itemAt(1), save);
    EXPECT_EQ(frame.frame().size(), (rt::Size{300, 200}));
}

TEST(FormWindow, WindowWithoutMenusGetsNoMenuBar) {
    RecordingFrame frame;
    frame.setSize(200, 100);
    EXPECT_EQ(frame.frame().menuBar(), nullptr);
    frame.addMenuItem(u"File", u"Open");
    EXPECT_EQ(frame.frame().menuBar(), nullptr);  // installed only by the next setSize
    frame.setSize(200, 100);
    EXPECT_NE(frame.frame().menuBar(), nullptr);
}

TEST(FormWindow, ItemsAddedAfterInstallingGoToTheInstalledBarAndReport) {
    RecordingFrame frame;
    frame.addMenuItem(u"File", u"Open");
    frame.setSize(300, 200);
    frame.setVisible(true);
    rt::MenuItem* later = frame.addMenuItem(u"Help", u"About");
    rt::MenuBar* bar = frame.frame().menuBar();
    ASSERT_EQ(bar->menuCount(), 2);
    EXPECT_EQ(&bar->menuAt(1).itemAt(0), later);

    formtest::driver().chooseMenuItem(*later);
    formtest::driver().chooseMenuItem(bar->menuAt(0).itemAt(0));
    EXPECT_EQ(frame.calls, (std::vector<rt::String>{u"menu About", u"menu Open"}));
}

TEST(FormWindow, TwoButtonsEachReportThemselvesToTheSameWindow) {
    RecordingFrame frame;
    rt::Button* first = frame.addButton(u"First", 1, 1, 1, 1);
    rt::Button* second = frame.addButton(u"Second", 1, 2, 1, 1);
    frame.setSize(300, 200);
    frame.setVisible(true);
    formtest::driver().pressButton(*second);
    formtest::driver().pressButton(*first);
    EXPECT_EQ(frame.calls, (std::vector<rt::String>{u"button Second", u"button First"}));
}

TEST(FormWindow, SizesAskedForAreTheSizesShownEvenBelowTheLayoutsMinimum) {
    RecordingFrame frame;
    frame.addLabel(u"A label that wants room", 1, 1, 2, 1);
    frame.addTextArea(u"text\nof\nseveral\nlines", 2, 1, 2, 3);
    frame.addButton(u"Button", 5, 1, 1, 1);
    frame.addMenuItem(u"File", u"Open");
    frame.setSize(300, 200);
    frame.setVisible(true);
    formtest::driver().processEvents();
    frame.setSize(60, 40);
    formtest::driver().processEvents();
    EXPECT_EQ(frame.frame().size(), (rt::Size{60, 40}));

    auto small = formtest::answerNextModal();
    frame.messageBox(u"A message longer than the box is wide", 100, 50);
    // A message box alone is raised to what shows a line of its text and
    // its OK button (here in height only).
    EXPECT_EQ(small->size.width, 100);
    EXPECT_GT(small->size.height, 50);
}

// Counts Qt's menu-bar widgets: a check of the Qt runtime only.
#ifndef _WIN32
int menuBarWidgets() {
    int count = 0;
    for (QWidget* widget : QApplication::allWidgets()) count += qobject_cast<QMenuBar*>(widget) != nullptr;
    return count;
}

TEST(FormWindow, WindowsWithoutMenusLeaveNoMenuBarBehind) {
    const int before = menuBarWidgets();
    for (int i = 0; i < 20; ++i) {
        forms::GBFrame frame;
        frame.addLabel(u"no menus", 1, 1, 1, 1);
        frame.setSize(100, 80);
    }
    {
        forms::GBFrame withMenu;
        withMenu.addMenuItem(u"File", u"Open");
        withMenu.setSize(100, 80);
        EXPECT_EQ(menuBarWidgets(), before + 1);
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(menuBarWidgets(), before);
}
#endif

}  // namespace
