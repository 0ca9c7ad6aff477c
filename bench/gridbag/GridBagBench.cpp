// Times the grid-bag geometry on a large form: rows of a label, a text field
// and a button, every tenth row a list spanning the width, some items placed
// relatively. Prints the time per layout and per preferred-size query.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/GridBagGeometry.h"

namespace {

using rt::gridbag::Item;

Item formItem(int x, int y, int width, rt::Size preferred, rt::Anchor anchor, rt::Fill fill,
              double weight) {
    rt::CellConstraints c;
    c.gridx = x;
    c.gridy = y;
    c.gridwidth = width;
    c.weightx = c.weighty = weight;
    c.anchor = anchor;
    c.fill = fill;
    c.insets = {1, 2, 1, 2};
    return {c, preferred, {preferred.width / 2, preferred.height / 2}};
}

std::vector<Item> largeForm(int items) {
    std::vector<Item> form;
    for (int row = 0; static_cast<int>(form.size()) < items; ++row) {
        if (row % 10 == 9) {
            form.push_back(formItem(0, row, 3, {200, 120}, rt::Anchor::NorthWest, rt::Fill::Both,
                                    500.0));
            continue;
        }
        form.push_back(formItem(0, row, 1, {60, 17}, rt::Anchor::NorthWest, rt::Fill::None, 100.0));
        form.push_back(formItem(rt::Relative, row, 1, {120, 22}, rt::Anchor::NorthWest,
                                rt::Fill::Horizontal, 100.0));
        form.push_back(formItem(rt::Relative, row, 1, {80, 25}, rt::Anchor::Center,
                                rt::Fill::None, 100.0));
    }
    return form;
}

template <typename F>
double microsecondsPerCall(int calls, F&& call) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) call();
    const std::chrono::duration<double, std::micro> elapsed =
        std::chrono::steady_clock::now() - start;
    return elapsed.count() / calls;
}

}  // namespace

int main(int argc, char** argv) {
    const int items = argc > 1 ? std::atoi(argv[1]) : 300;
    const int calls = argc > 2 ? std::atoi(argv[2]) : 2000;
    const std::vector<Item> form = largeForm(items);
    std::size_t sink = 0;
    const double large = microsecondsPerCall(calls, [&] {
        sink += rt::gridbag::layout(form, {1600, 12000}).size();
    });
    const double small = microsecondsPerCall(calls, [&] {
        sink += rt::gridbag::layout(form, {300, 300}).size();
    });
    const double preferred = microsecondsPerCall(calls, [&] {
        sink += static_cast<std::size_t>(rt::gridbag::preferredLayoutSize(form).width);
    });
    std::printf("%zu items: layout %.1f us (roomy area), %.1f us (cramped area, minimum sizes), "
                "preferred size %.1f us [%zu]\n",
                form.size(), large, small, preferred, sink);
    return 0;
}
