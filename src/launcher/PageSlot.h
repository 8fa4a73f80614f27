#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/VantorItem.h"

namespace vantor {

// Cutting a list into pages of a fixed size. Indices into the whole list are
// "absolute"; a page never has fewer than one (maybe empty) page.
namespace paging {

// ceil(count / pageSize), at least 1. A page size below 1 counts as 1.
std::int64_t pageCount(std::int64_t count, std::int64_t pageSize);
// The absolute index of the shown page's first entry. A page beyond the last
// one shows the last page.
std::int64_t pageStartIndex(std::int64_t count, std::int64_t pageSize, std::int64_t currentPage);
// The page an absolute index lies on.
std::int64_t pageOfIndex(std::int64_t index, std::int64_t pageSize);

// The entries of the shown page, in order, at most pageSize of them.
template <typename T>
std::vector<T> pageElements(const std::vector<T>& all, std::int64_t pageSize,
                            std::int64_t currentPage) {
    auto count = static_cast<std::int64_t>(all.size());
    std::int64_t start = pageStartIndex(count, pageSize, currentPage);
    std::int64_t end = std::min(start + std::max<std::int64_t>(pageSize, 1), count);
    if (end <= start) {
        return {};
    }
    return std::vector<T>(all.begin() + start, all.begin() + end);
}

}  // namespace paging

// One cell of the shown page: its position on the page and the item in it,
// or no item for a filler after the page's last item.
struct PageSlot {
    std::int64_t offset = 0;
    std::optional<VantorItem> item;

    // The item's id, or "empty-<offset>" for a filler. A filler's id depends
    // only on its position, so it stays the same from page to page, and it
    // never equals an item id (those start with "app:" or "folder:").
    std::string id() const;
};

// Exactly pageSize slots for the shown page: its items first, then fillers.
std::vector<PageSlot> makePageSlots(const std::vector<VantorItem>& items, std::int64_t pageSize,
                                    std::int64_t currentPage);

}  // namespace vantor
