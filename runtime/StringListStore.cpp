#include "runtime/StringListStore.h"

#include <algorithm>
#include <stdexcept>

namespace rt {

const String& StringListStore::at(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= size()) throw std::out_of_range("list row out of range");
    return (*items_)[static_cast<std::size_t>(index)];
}

int StringListStore::indexOf(const String& value, std::size_t limit) const {
    const auto end = items_->begin() + static_cast<std::ptrdiff_t>(std::min(limit, size()));
    const auto found = std::find(items_->begin(), end, value);
    return found == end ? -1 : static_cast<int>(found - items_->begin());
}

void StringListStore::append(const String& item) {
    if (items_ != &own_) {
        own_ = *items_;
        items_ = &own_;
    }
    own_.push_back(item);
}

void StringListStore::assign(const std::vector<String>& items) {
    own_ = items;
    items_ = &own_;
}

void StringListStore::share(const std::vector<String>& items) {
    own_ = {};
    items_ = &items;
}

}  // namespace rt
