#include <string>

#include "GuiTest.h"

namespace {

class MenusTest : public GuiTest {
protected:
    MenusTest() : bar(*tk().createMenuBar()) {}

    rt::MenuItem& item(rt::Menu& menu, const char16_t* text) {
        rt::MenuItem* made = tk().createMenuItem(text);
        made->addActionListener(onAction([this](const rt::ActionEvent& e) {
            auto* source = dynamic_cast<rt::MenuItem*>(&e.source);
            chosen.push_back(source != nullptr ? rt::toUtf8(source->text()) : "?");
        }));
        menu.add(*made);
        return *made;
    }

    rt::MenuBar& bar;
    std::vector<std::string> chosen;
};

TEST_F(MenusTest, ItemsReportTheirChoiceAndMenusKeepTheirOrder) {
    rt::Menu* file = tk().createMenu(u"File");
    rt::Menu* untitled = tk().createMenu(std::nullopt);
    bar.add(*file);
    bar.add(*untitled);
    rt::MenuItem& open = item(*file, u"Open");
    rt::MenuItem& quit = item(*file, u"Quit");
    frame->setMenuBar(bar);
    frame->setMenuBar(bar);
    show();

    driver().chooseMenuItem(open);
    quit.setEnabled(false);
    driver().chooseMenuItem(quit);
    EXPECT_EQ(chosen, std::vector<std::string>{"Open"});
    EXPECT_FALSE(quit.isEnabled());

    EXPECT_EQ(frame->menuBar(), &bar);
    ASSERT_EQ(bar.menuCount(), 2);
    EXPECT_EQ(bar.menuAt(0).title(), u"File");
    EXPECT_EQ(bar.menuAt(1).title(), std::nullopt);
    ASSERT_EQ(file->itemCount(), 2);
    EXPECT_EQ(&file->itemAt(1), &quit);
    // The frame's size includes the bar above the content.
    EXPECT_LT(frame->contentPane().bounds().height, frame->size().height);
}

using WidgetsTest = GuiTest;

TEST_F(WidgetsTest, ButtonsTogglesFieldsAndCombos) {
    rt::Panel* panel = tk().createPanel();
    rt::Button* button = tk().createButton(u"Go");
    rt::CheckBox* check = tk().createCheckBox(u"Check");
    rt::RadioButton* first = tk().createRadioButton(u"One");
    rt::RadioButton* second = tk().createRadioButton(u"Two");
    rt::ComboBox* combo = tk().createComboBox();
    rt::TextField* field = tk().createTextField(u"start");
    for (rt::Component* c : std::initializer_list<rt::Component*>{button, check, first, second, combo, field}) panel->add(*c);
    frame->contentPane().add(*panel);
    show(500, 200);

    int pressed = 0;
    button->addActionListener(onAction([&](const rt::ActionEvent& e) { pressed += &e.source == button ? 1 : 100; }));
    driver().pressButton(*button);
    button->setEnabled(false);
    driver().pressButton(*button);
    EXPECT_EQ(pressed, 1);

    // Radio buttons are independent of each other.
    first->setSelected(true);
    second->setSelected(true);
    EXPECT_TRUE(first->isSelected() && second->isSelected());
    EXPECT_FALSE(check->isSelected());

    combo->addItem(u"a");
    combo->addItem(u"b");
    combo->setSelectedIndex(1);
    EXPECT_EQ(combo->itemCount(), 2);
    EXPECT_EQ(combo->itemAt(combo->selectedIndex()), u"b");

    driver().typeText(*field, u"typed");
    EXPECT_EQ(field->text(), u"typed");
    field->setEditable(false);
    driver().typeText(*field, u"refused");
    EXPECT_EQ(field->text(), u"typed");
    EXPECT_FALSE(field->isEditable());
    EXPECT_EQ(panel->componentCount(), 6);
    EXPECT_EQ(&panel->componentAt(5), field);
}

TEST_F(WidgetsTest, CaptionsKeepTheirAmpersands) {
    rt::Button* button = tk().createButton(u"Save & Quit");
    rt::MenuItem* item = tk().createMenuItem(u"Import & Sort");
    EXPECT_EQ(button->text(), u"Save & Quit");
    EXPECT_EQ(item->text(), u"Import & Sort");
}

TEST_F(WidgetsTest, AppletPanelHostsAContentPane) {
    auto applet = tk().createAppletPanel();
    rt::Label* label = tk().createLabel(u"in the applet");
    applet->contentPane().add(*label, rt::BorderPlace::North);
    frame->contentPane().add(*applet);
    show(200, 100);
    EXPECT_EQ(applet->bounds().width, 200);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->bounds().y, 0);
    EXPECT_GT(label->bounds().width, 0);
}

}  // namespace

namespace {

class PointerLog final : public rt::MouseListener, public rt::MouseMotionListener {
public:
    explicit PointerLog(std::vector<std::string>& log) : log_(log) {}
    void mouseClicked(const rt::MouseEvent& e) override { note("clicked", e); }
    void mousePressed(const rt::MouseEvent& e) override { note("pressed", e); }
    void mouseReleased(const rt::MouseEvent& e) override { note("released", e); }
    void mouseEntered(const rt::MouseEvent&) override { log_.push_back("entered"); }
    void mouseExited(const rt::MouseEvent&) override { log_.push_back("exited"); }
    void mouseDragged(const rt::MouseEvent& e) override { note("dragged", e); }
    void mouseMoved(const rt::MouseEvent& e) override { note("moved", e); }

private:
    void note(const char* what, const rt::MouseEvent& e) {
        log_.push_back(std::string(what) + " " + std::to_string(e.point.x) + "," + std::to_string(e.point.y));
    }
    std::vector<std::string>& log_;
};

// The log is shared by the two listeners, each owned by the panel.
class PanelPointerTest : public GuiTest {
protected:
    PanelPointerTest() : panel(*tk().createPanel()) {
        panel.addMouseListener(std::make_unique<PointerLog>(log));
        panel.addMouseMotionListener(std::make_unique<PointerLog>(log));
        frame->contentPane().add(panel);
        show(200, 200);
    }
    rt::Panel& panel;
    std::vector<std::string> log;
};

TEST_F(PanelPointerTest, ClickAtTheTopLeftPixelReportsZeroZero) {
    driver().clickAt(panel, {0, 0}, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"pressed 0,0", "released 0,0", "clicked 0,0"}));
}

TEST_F(PanelPointerTest, DragReportsEachMoveAndNoClick) {
    driver().movePointer(panel, {{10, 10}, {20, 15}, {30, 40}}, true);
    EXPECT_EQ(log, (std::vector<std::string>{"entered", "pressed 10,10", "dragged 20,15", "dragged 30,40",
                                             "released 30,40", "exited"}));
}

TEST_F(PanelPointerTest, HoverReportsMovesWithoutButtons) {
    driver().movePointer(panel, {{5, 6}, {7, 8}}, false);
    EXPECT_EQ(log, (std::vector<std::string>{"entered", "moved 7,8", "exited"}));
}

}  // namespace
