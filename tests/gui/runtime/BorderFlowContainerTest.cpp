#include <vector>

#include "GuiTest.h"
#include "runtime/BorderGeometry.h"
#include "runtime/FlowGeometry.h"

namespace {

using BorderFlowTest = GuiTest;

// A plain panel holding one button, so that it has a size of its own and
// fills whatever place it is given.
rt::Panel* panelWith(const char16_t* caption) {
    rt::Panel* panel = rt::toolkit().createPanel();
    panel->add(*rt::toolkit().createButton(caption));
    return panel;
}

TEST_F(BorderFlowTest, BorderPlacesEveryPlaceWhereTheGeometrySays) {
    rt::Container& pane = frame->contentPane();
    const std::vector<std::pair<rt::BorderPlace, rt::Component*>> placed = {
        {rt::BorderPlace::North, panelWith(u"North")},
        {rt::BorderPlace::South, panelWith(u"South")},
        {rt::BorderPlace::West, panelWith(u"West")},
        {rt::BorderPlace::East, panelWith(u"East")},
        {rt::BorderPlace::Center, tk().createScrollPane(*tk().createTextArea(u"centre"))},
    };
    for (const auto& [place, component] : placed) pane.add(*component, place);
    show(420, 320);
    rt::border::Items items;
    for (const auto& [place, component] : placed)
        items[rt::border::placeIndex(place)] = rt::border::Item{component->preferredSize(), component->minimumSize()};
    const rt::Rect area = pane.bounds();
    const rt::border::Rects expected = rt::border::layout(items, {area.width, area.height});
    for (const auto& [place, component] : placed)
        EXPECT_EQ(component->bounds(), expected[rt::border::placeIndex(place)]) << rt::border::placeIndex(place);
    EXPECT_EQ(pane.preferredSize(), rt::border::preferredLayoutSize(items));
}

TEST_F(BorderFlowTest, FlowPlacesTheShownComponentsWhereTheGeometrySays) {
    rt::Panel* panel = tk().createPanel();
    std::vector<rt::Component*> buttons = {tk().createButton(u"One"), tk().createButton(u"Two"),
                                           tk().createButton(u"Hidden"), tk().createButton(u"Three, longer")};
    for (rt::Component* button : buttons) panel->add(*button);
    buttons[2]->setVisible(false);
    frame->contentPane().add(*panel, rt::BorderPlace::Center);
    show(400, 200);
    buttons.erase(buttons.begin() + 2);
    std::vector<rt::Size> sizes;
    for (const rt::Component* button : buttons) sizes.push_back(button->preferredSize());
    const rt::Rect area = panel->bounds();
    const std::vector<rt::Rect> expected = rt::flow::layout(sizes, {area.width, area.height});
    for (std::size_t i = 0; i < buttons.size(); ++i) EXPECT_EQ(buttons[i]->bounds(), expected[i]) << i;
    EXPECT_EQ(panel->preferredSize(), rt::flow::preferredLayoutSize(sizes));
    EXPECT_EQ(panel->minimumSize(), panel->preferredSize());
    EXPECT_EQ(tk().createPanel()->preferredSize(), (rt::Size{2 * rt::flow::Gap, 2 * rt::flow::Gap}));
}

TEST_F(BorderFlowTest, AComponentAddedAgainStaysShownAndIsListedOnce) {
    rt::Container& pane = frame->contentPane();
    rt::Panel* top = panelWith(u"Top");
    rt::Panel* row = tk().createPanel();
    rt::Button* first = tk().createButton(u"First");
    rt::Button* second = tk().createButton(u"Second");
    row->add(*first);
    row->add(*second);
    row->add(*first);
    pane.add(*top, rt::BorderPlace::North);
    pane.add(*top, rt::BorderPlace::North);
    pane.add(*row, rt::BorderPlace::Center);
    show(300, 200);
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->bounds(), (rt::Rect{0, 0, pane.bounds().width, top->preferredSize().height}));
    EXPECT_EQ(pane.componentCount(), 2);
    ASSERT_EQ(row->componentCount(), 2);
    EXPECT_EQ(&row->componentAt(0), second);
    EXPECT_EQ(&row->componentAt(1), first);
    EXPECT_EQ(first->bounds().x, second->bounds().x + second->bounds().width + rt::flow::Gap);
}

TEST_F(BorderFlowTest, APlaceTakenAgainHidesItsHolderAndAMovedComponentLeavesItsOldPlace) {
    rt::Container& pane = frame->contentPane();
    rt::Panel* mover = panelWith(u"Mover");
    rt::Panel* replaced = panelWith(u"Replaced");
    rt::Panel* holder = panelWith(u"Holder");
    pane.add(*mover, rt::BorderPlace::North);
    pane.add(*replaced, rt::BorderPlace::Center);
    pane.add(*holder, rt::BorderPlace::Center);
    pane.add(*mover, rt::BorderPlace::South);
    show(300, 200);
    const rt::Rect area = pane.bounds();
    EXPECT_FALSE(replaced->isVisible());
    EXPECT_TRUE(mover->isVisible());
    const int south = mover->preferredSize().height;
    EXPECT_EQ(mover->bounds(), (rt::Rect{0, area.height - south, area.width, south}));
    // Nothing is left at the north: the centre starts at the top.
    EXPECT_EQ(holder->bounds(), (rt::Rect{0, 0, area.width, area.height - south}));
}

// The flow's places for the components, all of them shown.
std::vector<rt::Rect> flowPlaces(const std::vector<rt::Button*>& shown, const rt::Rect& area) {
    std::vector<rt::Size> sizes;
    for (const rt::Button* button : shown) sizes.push_back(button->preferredSize());
    return rt::flow::layout(sizes, {area.width, area.height});
}

// A component keeps the visibility it was given before it was added; a
// change after the window shows lays the container out again.
TEST_F(BorderFlowTest, VisibilitySetBeforeAddingHoldsInTheContainerAndChangesLayOutAgain) {
    rt::Panel* panel = tk().createPanel();
    const auto [fresh, hidden, shownAgain, later] = buttons({u"Fresh", u"Hidden", u"Shown again", u"Hidden later"});
    hidden->setVisible(false);
    shownAgain->setVisible(false);
    shownAgain->setVisible(true);
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_TRUE(shownAgain->isVisible());
    for (rt::Button* button : {fresh, hidden, shownAgain, later}) panel->add(*button);
    frame->contentPane().add(*panel, rt::BorderPlace::Center);
    show(500, 200);
    EXPECT_FALSE(hidden->isVisible());
    const std::vector<rt::Button*> first = {fresh, shownAgain, later};
    std::vector<rt::Rect> expected = flowPlaces(first, panel->bounds());
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i]->bounds(), expected[i]) << i;

    later->setVisible(false);
    hidden->setVisible(true);
    driver().processEvents();
    EXPECT_TRUE(hidden->isVisible());
    EXPECT_FALSE(later->isVisible());
    const std::vector<rt::Button*> second = {fresh, hidden, shownAgain};
    expected = flowPlaces(second, panel->bounds());
    for (std::size_t i = 0; i < second.size(); ++i) EXPECT_EQ(second[i]->bounds(), expected[i]) << i;
}

}  // namespace
