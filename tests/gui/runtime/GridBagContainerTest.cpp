#include "GuiTest.h"
#include "runtime/GridBagGeometry.h"

namespace {

using ContainersTest = GuiTest;

// The framework's usual record: insets 1, 2, 1, 2 and equal weights.
rt::CellConstraints cell(int x, int y, int w, int h, rt::Fill fill, rt::Anchor anchor, double weight) {
    return {x, y, w, h, weight, weight, anchor, fill, {1, 2, 1, 2}};
}

TEST_F(ContainersTest, GridBagPlacesComponentsWhereTheGeometrySays) {
    rt::Container& pane = frame->contentPane();
    rt::GridBag& bag = pane.setGridBagLayout();
    rt::Label* label = tk().createLabel(u"Words:");
    rt::TextField* field = tk().createTextField(u"");
    rt::ListBox* list = tk().createListBox();
    rt::ScrollPane* scroll = tk().createScrollPane(*list);
    rt::Button* button = tk().createButton(u"Add");
    const std::vector<std::pair<rt::Component*, rt::CellConstraints>> placed = {
        {label, cell(0, 0, 1, 1, rt::Fill::None, rt::Anchor::NorthWest, 100)},
        {field, cell(1, 0, 2, 1, rt::Fill::Horizontal, rt::Anchor::NorthWest, 100)},
        {scroll, cell(0, 1, 2, 2, rt::Fill::Both, rt::Anchor::NorthWest, 500)},
        {button, cell(2, 2, 1, 1, rt::Fill::None, rt::Anchor::Center, 100)},
    };
    std::vector<rt::gridbag::Item> items;
    for (const auto& [component, constraints] : placed) {
        bag.setConstraints(*component, constraints);
        pane.add(*component);
    }
    show(400, 300);
    for (const auto& [component, constraints] : placed) {
        items.push_back({constraints, component->preferredSize(), component->minimumSize()});
        EXPECT_EQ(bag.constraintsOf(*component), constraints);
    }
    const rt::Rect area = pane.bounds();
    const std::vector<rt::Rect> expected = rt::gridbag::layout(items, {area.width, area.height});
    for (std::size_t i = 0; i < placed.size(); ++i) EXPECT_EQ(placed[i].first->bounds(), expected[i]) << "item " << i;
    EXPECT_EQ(pane.componentCount(), 4);
    EXPECT_EQ(&pane.componentAt(2), scroll);
    EXPECT_EQ(&scroll->view(), list);
}

TEST_F(ContainersTest, RegisteredConstraintsAreACopy) {
    rt::GridBag& bag = frame->contentPane().setGridBagLayout();
    rt::Label* label = tk().createLabel(u"x");
    rt::CellConstraints c = cell(3, 4, 1, 1, rt::Fill::None, rt::Anchor::East, 1);
    bag.setConstraints(*label, c);
    c.gridx = 9;
    EXPECT_EQ(bag.constraintsOf(*label).gridx, 3);
    EXPECT_EQ(bag.constraintsOf(*tk().createLabel(u"never registered")), rt::CellConstraints{});
}

TEST_F(ContainersTest, BorderCentreTakesTheRestAndFlowPanelCentresItsRow) {
    rt::Container& pane = frame->contentPane();
    rt::TextArea* area = tk().createTextArea(u"message");
    rt::Panel* south = tk().createPanel();
    rt::Button* ok = tk().createButton(u"OK");
    south->add(*ok);
    pane.add(*tk().createScrollPane(*area), rt::BorderPlace::Center);
    pane.add(*south, rt::BorderPlace::South);
    show(300, 150);
    const rt::Rect centre = pane.componentAt(0).bounds();
    const rt::Rect bottom = south->bounds();
    EXPECT_EQ(centre.y, 0);
    EXPECT_EQ(centre.width, pane.bounds().width);
    EXPECT_EQ(centre.y + centre.height, bottom.y);
    EXPECT_EQ(bottom.y + bottom.height, pane.bounds().height);
    const rt::Rect button = ok->bounds();
    EXPECT_NEAR(button.x, bottom.width - (button.x + button.width), 1);
}

}  // namespace
