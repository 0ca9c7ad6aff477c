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
    EXPECT_GT(frame->contentPane().bounds().y, 0);
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

}  // namespace
