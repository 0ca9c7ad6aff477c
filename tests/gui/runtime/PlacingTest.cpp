// Components before and after they are placed in a container: what is set
// on a component before it has a place holds once it shows, a component
// never placed answers for itself, and one moved to another container
// keeps its state and leaves the one that held it. The focus asked for
// and a list's selection hold alike before and after the placing.

#include "GuiTest.h"

namespace {

using PlacingTest = GuiTest;

const rt::Font BigFont{u"Courier", rt::Font::Bold, 20};

// A list showing words, with "three" (row 2) selected; then rows come and
// go above, at and below the selection as a caller's vector changes,
// which leaves "three" at row 3.
void changeRowsAroundTheSelection(rt::ListBox& list, std::vector<rt::String>& words) {
    words = {u"one", u"two", u"three", u"four"};
    list.model().share(words);
    list.setSelectedIndex(2);
    words.insert(words.begin(), u"zero");
    list.model().sharedItemInserted(0);
    words.insert(words.begin() + 3, u"before three");
    list.model().sharedItemInserted(3);
    words.erase(words.begin() + 1);
    list.model().sharedItemRemoved(1);
    words.erase(words.begin() + 4);
    list.model().sharedItemRemoved(4);
}

// Every kind of control, each given its properties before it has a place,
// in a panel that is itself placed only after it is filled.
struct Controls {
    rt::Panel* panel = rt::toolkit().createPanel();
    rt::Label* label = rt::toolkit().createLabel(u"first");
    rt::Label* hidden = rt::toolkit().createLabel(u"hidden");
    rt::Button* button = rt::toolkit().createButton(u"first");
    rt::CheckBox* check = rt::toolkit().createCheckBox(u"Check");
    rt::TextField* field = rt::toolkit().createTextField(u"first");
    rt::TextArea* area = rt::toolkit().createTextArea(u"");
    rt::ComboBox* combo = rt::toolkit().createComboBox();
    rt::ListBox* list = rt::toolkit().createListBox();
    rt::ScrollPane* scroll = rt::toolkit().createScrollPane(*list);
    int presses = 0;

    Controls() {
        label->setText(u"Words:");
        label->setFont(BigFont);
        hidden->setVisible(false);
        button->setText(u"Go");
        button->setEnabled(false);
        button->addActionListener(onAction([this](const rt::ActionEvent&) { ++presses; }));
        check->setSelected(true);
        field->setText(u"kept");
        field->setEditable(false);
        area->setText(u"one\ntwo");
        for (const char16_t* item : {u"a", u"b", u"c"}) combo->addItem(item);
        combo->setSelectedIndex(2);
        list->model().assign({u"w0", u"w1", u"w2", u"w3", u"w4"});
        list->setSelectedIndex(3);
    }

    void fill() {
        for (rt::Component* c :
             std::initializer_list<rt::Component*>{label, hidden, button, check, field, area, combo, scroll})
            panel->add(*c);
    }
};

// The getters answer the same before and after the placing.
void expectGivenState(const Controls& c) {
    EXPECT_EQ(c.label->text(), u"Words:");
    EXPECT_EQ(c.label->font(), BigFont);
    EXPECT_FALSE(c.hidden->isVisible());
    EXPECT_EQ(c.button->text(), u"Go");
    EXPECT_FALSE(c.button->isEnabled());
    EXPECT_TRUE(c.check->isSelected());
    EXPECT_EQ(c.field->text(), u"kept");
    EXPECT_FALSE(c.field->isEditable());
    EXPECT_EQ(c.area->text(), u"one\ntwo");
    EXPECT_EQ(c.combo->itemCount(), 3);
    EXPECT_EQ(c.combo->itemAt(1), u"b");
    EXPECT_EQ(c.combo->selectedIndex(), 2);
    EXPECT_EQ(c.list->model().size(), 5);
    EXPECT_EQ(c.list->selectedIndex(), 3);
    EXPECT_EQ(c.list->selectedValue(), std::optional<rt::String>(u"w3"));
}

TEST_F(PlacingTest, AComponentNeverPlacedAnswersForItself) {
    Controls c;
    expectGivenState(c);
    // Sizes come from the text and the font, without a place.
    const rt::Size small = c.label->preferredSize();
    EXPECT_GT(small.width, 0);
    EXPECT_GT(small.height, 0);
    c.label->setText(u"Words: and many more words");
    EXPECT_GT(c.label->preferredSize().width, small.width);
    c.label->setFont({u"Courier", rt::Font::Bold, 40});
    EXPECT_GT(c.label->preferredSize().height, small.height);
    EXPECT_GT(c.combo->preferredSize().height, 0);
    // The rows are where a row of the list's font would be.
    EXPECT_EQ(c.list->locationToIndex({1, 0}), 0);
    EXPECT_EQ(c.list->locationToIndex({1, 10000}), 4);
    c.list->clearSelection();
    EXPECT_EQ(c.list->selectedIndex(), -1);
    c.list->setSelectedValue(u"w1", true);
    EXPECT_EQ(c.list->selectedIndex(), 1);
    c.combo->setSelectedIndex(7);
    EXPECT_EQ(c.combo->selectedIndex(), -1);
    EXPECT_FALSE(c.button->hasFocus());
}

TEST_F(PlacingTest, PropertiesGivenBeforePlacingHoldOnceShown) {
    Controls c;
    const rt::Size labelSize = c.label->preferredSize();
    const rt::Size buttonSize = c.button->preferredSize();
    const rt::Size checkSize = c.check->preferredSize();
    c.fill();
    frame->contentPane().add(*c.panel, rt::BorderPlace::Center);
    show(700, 500);

    expectGivenState(c);
    EXPECT_EQ(c.label->preferredSize(), labelSize);
    EXPECT_EQ(c.button->preferredSize(), buttonSize);
    EXPECT_EQ(c.check->preferredSize(), checkSize);
    // The disabled button ignores a press; enabled, it tells the listener
    // it had before it was placed.
    driver().pressButton(*c.button);
    EXPECT_EQ(c.presses, 0);
    c.button->setEnabled(true);
    driver().pressButton(*c.button);
    EXPECT_EQ(c.presses, 1);
    driver().typeText(*c.field, u"refused");
    EXPECT_EQ(c.field->text(), u"kept");
    driver().clickListRow(*c.list, 1, 1);
    EXPECT_EQ(c.list->selectedIndex(), 1);
}

// Moved from a shown container to another, shown at once or placed later,
// a component keeps its state, its listeners and its shown place.
TEST_F(PlacingTest, AComponentMovedToAnotherContainerKeepsItsState) {
    Controls c;
    c.fill();
    rt::Panel* shownLater = tk().createPanel();
    frame->contentPane().add(*c.panel, rt::BorderPlace::Center);
    show(700, 500);
    c.button->setEnabled(true);
    driver().typeText(*c.area, u"typed");
    driver().clickListRow(*c.list, 4, 1);

    rt::Panel* other = tk().createPanel();
    frame->contentPane().add(*other, rt::BorderPlace::South);
    other->add(*c.button);
    other->add(*c.area);
    shownLater->add(*c.check);
    shownLater->add(*c.scroll);
    frame->contentPane().add(*shownLater, rt::BorderPlace::North);
    frame->validate();
    driver().processEvents();

    EXPECT_EQ(other->componentCount(), 2);
    EXPECT_EQ(c.area->text(), u"typed");
    EXPECT_TRUE(c.check->isSelected());
    EXPECT_TRUE(c.check->isVisible());
    EXPECT_GT(c.check->bounds().width, 0);
    EXPECT_EQ(c.list->selectedIndex(), 4);
    driver().pressButton(*c.button);
    EXPECT_EQ(c.presses, 1);
    EXPECT_GT(c.button->bounds().width, 0);
}

// A list filled before it is placed selects the same word as one filled
// after: the selection follows its word as rows come and go above it, and
// is gone with its row or when the list is refilled shorter.
TEST_F(PlacingTest, AListsSelectionFollowsItsWordBeforeAndAfterPlacing) {
    rt::ListBox* early = tk().createListBox();
    rt::ListBox* late = tk().createListBox();
    std::vector<rt::String> earlyWords, lateWords;
    changeRowsAroundTheSelection(*early, earlyWords);
    EXPECT_EQ(early->selectedIndex(), 3);
    EXPECT_EQ(early->selectedValue(), std::optional<rt::String>(u"three"));
    frame->contentPane().add(*late, rt::BorderPlace::West);
    show(400, 300);
    changeRowsAroundTheSelection(*late, lateWords);
    frame->contentPane().add(*early, rt::BorderPlace::East);
    frame->validate();
    driver().processEvents();
    for (rt::ListBox* list : {early, late}) {
        EXPECT_EQ(list->selectedIndex(), 3);
        EXPECT_EQ(list->selectedValue(), std::optional<rt::String>(u"three"));
    }

    rt::ListBox* removed = tk().createListBox();
    std::vector<rt::String> removedWords;
    changeRowsAroundTheSelection(*removed, removedWords);
    removedWords.erase(removedWords.begin() + 3);
    removed->model().sharedItemRemoved(3);
    EXPECT_EQ(removed->selectedIndex(), -1);
    rt::ListBox* refilled = tk().createListBox();
    refilled->model().assign({u"a", u"b", u"c", u"d"});
    refilled->setSelectedIndex(3);
    refilled->model().assign({u"a", u"b"});
    refilled->model().assign({u"a", u"b", u"c", u"d", u"e"});
    EXPECT_EQ(refilled->selectedIndex(), -1);
    // New contents as long or longer select nothing either.
    refilled->setSelectedIndex(1);
    refilled->model().assign({u"v", u"w", u"x", u"y", u"z"});
    EXPECT_EQ(refilled->selectedIndex(), -1);
    std::vector<rt::String> shared{u"p", u"q", u"r"};
    refilled->setSelectedIndex(2);
    refilled->model().share(shared);
    EXPECT_EQ(refilled->selectedIndex(), -1);
    refilled->model().assign({u"a", u"b", u"c", u"d", u"e"});
    frame->contentPane().add(*removed, rt::BorderPlace::North);
    frame->contentPane().add(*refilled, rt::BorderPlace::South);
    frame->validate();
    driver().processEvents();
    EXPECT_EQ(removed->selectedIndex(), -1);
    EXPECT_EQ(refilled->selectedIndex(), -1);
    EXPECT_EQ(refilled->selectedValue(), std::nullopt);
}

// A component added to another container leaves the one that held it: it
// is listed once, in its new container only, and the old one lays out the
// rest without it. Placed or not, shown or not, the rule is the same.
TEST_F(PlacingTest, AComponentMovedLeavesTheContainerThatHeldIt) {
    rt::Panel* left = tk().createPanel();
    rt::Panel* right = tk().createPanel();
    const auto [stays, moves, waits] = buttons({u"Stays", u"Moves", u"Waits"});
    rt::Panel* unplaced = tk().createPanel();
    unplaced->add(*waits);
    left->add(*waits);
    EXPECT_EQ(unplaced->componentCount(), 0);
    left->add(*stays);
    left->add(*moves);
    frame->contentPane().add(*left, rt::BorderPlace::North);
    frame->contentPane().add(*right, rt::BorderPlace::South);
    ASSERT_EQ(left->componentCount(), 3);
    EXPECT_EQ(&left->componentAt(0), waits);
    show(400, 200);
    right->add(*waits);
    right->add(*moves);
    frame->validate();
    driver().processEvents();

    ASSERT_EQ(left->componentCount(), 1);
    EXPECT_EQ(&left->componentAt(0), stays);
    ASSERT_EQ(right->componentCount(), 2);
    EXPECT_EQ(&right->componentAt(1), moves);
    // Alone in its centred row, the button that stayed is in the middle.
    const rt::Rect alone = stays->bounds();
    EXPECT_NEAR(2 * alone.x + alone.width, left->bounds().width, 1);
    EXPECT_EQ(moves->bounds().y, waits->bounds().y);
    EXPECT_GT(moves->bounds().x, waits->bounds().x);

    // Moved back, it is listed once again, last.
    left->add(*moves);
    frame->validate();
    driver().processEvents();
    EXPECT_EQ(right->componentCount(), 1);
    ASSERT_EQ(left->componentCount(), 2);
    EXPECT_EQ(&left->componentAt(1), moves);
    EXPECT_GT(moves->bounds().x, stays->bounds().x);
}

// Asked for the focus, or named the default button, before it has a place,
// a component has it once its window shows.
TEST_F(PlacingTest, FocusAndDefaultButtonGivenBeforePlacingHoldOnceShown) {
    rt::TextField* first = tk().createTextField(u"");
    rt::TextField* asked = tk().createTextField(u"");
    rt::Button* go = tk().createButton(u"Go");
    int presses = 0;
    go->addActionListener(onAction([&](const rt::ActionEvent&) { ++presses; }));
    asked->requestFocus();
    frame->setDefaultButton(go);
    frame->contentPane().add(*first, rt::BorderPlace::North);
    frame->contentPane().add(*asked, rt::BorderPlace::Center);
    frame->contentPane().add(*go, rt::BorderPlace::South);
    show();
    EXPECT_TRUE(asked->hasFocus());
    EXPECT_FALSE(first->hasFocus());
    driver().pressKey(rt::TestDriver::Key::Enter);
    EXPECT_EQ(presses, 1);
}

// Of focus requests made before placing, the last one wins: inside a panel
// placed later, or placed in a window shown already.
TEST_F(PlacingTest, TheLastFocusRequestBeforePlacingWins) {
    rt::Panel* panel = tk().createPanel();
    rt::TextField* earlier = tk().createTextField(u"");
    rt::TextField* later = tk().createTextField(u"");
    earlier->requestFocus();
    later->requestFocus();
    panel->add(*earlier);
    panel->add(*later);
    EXPECT_FALSE(later->hasFocus());
    frame->contentPane().add(*panel, rt::BorderPlace::Center);
    show();
    EXPECT_TRUE(later->hasFocus());
    EXPECT_FALSE(earlier->hasFocus());

    rt::TextField* added = tk().createTextField(u"");
    added->requestFocus();
    EXPECT_FALSE(added->hasFocus());
    frame->contentPane().add(*added, rt::BorderPlace::South);
    driver().processEvents();
    EXPECT_TRUE(added->hasFocus());
    EXPECT_FALSE(later->hasFocus());
}

// The last focus request wins, whatever it is for: one kept for a
// component not yet placed goes when a shown component asks after it.
TEST_F(PlacingTest, ALaterRequestForAShownComponentDropsOneKeptBeforePlacing) {
    rt::TextField* first = tk().createTextField(u"");
    rt::TextField* shown = tk().createTextField(u"");
    rt::Panel* panel = tk().createPanel();
    rt::TextField* early = tk().createTextField(u"");
    rt::TextField* alone = tk().createTextField(u"");
    frame->contentPane().add(*first, rt::BorderPlace::North);
    frame->contentPane().add(*shown, rt::BorderPlace::Center);
    show();
    ASSERT_FALSE(shown->hasFocus());

    early->requestFocus();
    panel->add(*early);
    shown->requestFocus();
    frame->contentPane().add(*panel, rt::BorderPlace::South);
    driver().processEvents();
    EXPECT_TRUE(shown->hasFocus());
    EXPECT_FALSE(early->hasFocus());

    alone->requestFocus();
    first->requestFocus();
    frame->contentPane().add(*alone, rt::BorderPlace::East);
    driver().processEvents();
    EXPECT_TRUE(first->hasFocus());
    EXPECT_FALSE(alone->hasFocus());
    EXPECT_FALSE(shown->hasFocus());
}

// A component asked for the focus, then placed in a window not shown yet
// (in a panel scrolled by a pane), is that window's focus owner: a request
// in another window leaves it.
TEST_F(PlacingTest, AWindowNotShownYetKeepsTheFocusRequestMadeInIt) {
    rt::TextField* shown = tk().createTextField(u"");
    frame->contentPane().add(*tk().createTextField(u""), rt::BorderPlace::North);
    frame->contentPane().add(*shown, rt::BorderPlace::Center);
    show();
    std::unique_ptr<rt::Frame> later(tk().createFrame());
    rt::Panel* panel = tk().createPanel();
    rt::TextField* asked = tk().createTextField(u"");
    panel->add(*tk().createTextField(u""));
    asked->requestFocus();
    panel->add(*asked);
    later->contentPane().add(*tk().createScrollPane(*panel), rt::BorderPlace::Center);
    shown->requestFocus();
    EXPECT_TRUE(shown->hasFocus());

    later->setSize(300, 200);
    later->setVisible(true);
    driver().processEvents();
    EXPECT_TRUE(asked->hasFocus());
    EXPECT_TRUE(shown->hasFocus());
}

// A component asked for the focus in a window not shown yet keeps the
// request when it moves to another container of that window.
TEST_F(PlacingTest, AFocusRequestMovesWithItsComponent) {
    rt::Panel* from = tk().createPanel();
    rt::Panel* to = tk().createPanel();
    rt::TextField* other = tk().createTextField(u"");
    rt::TextField* asked = tk().createTextField(u"");
    from->add(*other);
    from->add(*asked);
    frame->contentPane().add(*from, rt::BorderPlace::North);
    frame->contentPane().add(*to, rt::BorderPlace::South);
    asked->requestFocus();
    to->add(*asked);
    show();
    EXPECT_TRUE(asked->hasFocus());
    EXPECT_FALSE(other->hasFocus());
}

}  // namespace
