#pragma once

#include <cstddef>
#include <vector>

#include "runtime/Text.h"

namespace rt {

// The items a list box shows: a vector of the list's own, or the caller's
// vector, read where it is instead of copied (ListModel::share). Both
// toolkits' list models keep their items here and add only what their views
// need to hear of a change.
class StringListStore {
public:
    StringListStore() = default;
    StringListStore(const StringListStore&) = delete;
    StringListStore& operator=(const StringListStore&) = delete;

    const std::vector<String>& items() const { return *items_; }
    std::size_t size() const { return items_->size(); }
    bool empty() const { return items_->empty(); }
    // Unchecked: index < size().
    const String& operator[](std::size_t index) const { return (*items_)[index]; }
    // Throws std::out_of_range unless 0 <= index < size().
    const String& at(int index) const;
    // The position of the first of the items before limit equal to value,
    // or -1.
    int indexOf(const String& value, std::size_t limit) const;

    // Whether items is the vector shown already.
    bool shows(const std::vector<String>& items) const { return &items == items_; }

    // Appends to the list's own items. Appending to a shared vector would
    // change the caller's data: the list goes on with a copy of its own.
    void append(const String& item);
    // A copy of items of the list's own replaces what it showed.
    void assign(const std::vector<String>& items);
    // Shows the caller's items; the list's own items are freed.
    void share(const std::vector<String>& items);

private:
    std::vector<String> own_;
    const std::vector<String>* items_ = &own_;
};

}  // namespace rt
