#include "launcher/PageSlot.h"

namespace vantor {

namespace paging {

std::int64_t pageCount(std::int64_t count, std::int64_t pageSize) {
    pageSize = std::max<std::int64_t>(pageSize, 1);
    count = std::max<std::int64_t>(count, 0);
    return std::max<std::int64_t>((count + pageSize - 1) / pageSize, 1);
}

std::int64_t pageStartIndex(std::int64_t count, std::int64_t pageSize, std::int64_t currentPage) {
    std::int64_t page = std::clamp<std::int64_t>(currentPage, 0, pageCount(count, pageSize) - 1);
    return page * std::max<std::int64_t>(pageSize, 1);
}

std::int64_t pageOfIndex(std::int64_t index, std::int64_t pageSize) {
    return std::max<std::int64_t>(index, 0) / std::max<std::int64_t>(pageSize, 1);
}

}  // namespace paging

std::string PageSlot::id() const {
    if (item) {
        return item->id().raw();
    }
    return "empty-" + std::to_string(offset);
}

std::vector<PageSlot> makePageSlots(const std::vector<VantorItem>& items, std::int64_t pageSize,
                                    std::int64_t currentPage) {
    auto pageItems = paging::pageElements(items, pageSize, currentPage);
    std::vector<PageSlot> slots;
    slots.reserve(static_cast<std::size_t>(std::max<std::int64_t>(pageSize, 1)));
    for (std::int64_t offset = 0; offset < std::max<std::int64_t>(pageSize, 1); ++offset) {
        PageSlot slot{offset, std::nullopt};
        if (offset < static_cast<std::int64_t>(pageItems.size())) {
            slot.item = pageItems[static_cast<std::size_t>(offset)];
        }
        slots.push_back(std::move(slot));
    }
    return slots;
}

}  // namespace vantor
