#include "launcher/Selection.h"

#include <algorithm>

namespace vantor {

bool Selection::select(std::int64_t index) {
    if (index == index_) {
        return false;
    }
    index_ = index;
    return true;
}

std::int64_t Selection::moved(std::int64_t index, std::int64_t delta, std::int64_t count) {
    return std::min(count - 1, std::max<std::int64_t>(index + delta, 0));
}

std::int64_t Selection::clamped(std::int64_t index, std::int64_t count) {
    return std::clamp<std::int64_t>(index, 0, count > 0 ? count - 1 : 0);
}

std::optional<std::int64_t> Selection::indexOf(const std::vector<VantorItem>& items,
                                               const CanonicalString& itemID) {
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const VantorItem& item) { return item.id() == itemID; });
    if (it == items.end()) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(it - items.begin());
}

void Selection::remember(const std::vector<VantorItem>& items) {
    if (isWithin(static_cast<std::int64_t>(items.size()))) {
        itemID_ = items[static_cast<std::size_t>(index_)].id();
    } else {
        itemID_.reset();
    }
}

std::optional<std::int64_t> Selection::followed(const std::vector<VantorItem>& items) const {
    return itemID_ ? indexOf(items, *itemID_) : std::nullopt;
}

}  // namespace vantor
