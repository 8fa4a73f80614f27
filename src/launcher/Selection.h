#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/VantorItem.h"

namespace vantor {

// The selected entry of a list of items, by absolute index, and the item it
// was at the end of the last event, so that a rescan can find it again.
// Takes counts and lists; knows neither the model nor the view-model.
class Selection {
public:
    std::int64_t index() const { return index_; }
    // Returns whether the index changed.
    bool select(std::int64_t index);
    // Whether the index is an entry of a list of `count`.
    bool isWithin(std::int64_t count) const { return index_ >= 0 && index_ < count; }

    // The index moved by `delta`, limited to the `count` (> 0) entries.
    static std::int64_t moved(std::int64_t index, std::int64_t delta, std::int64_t count);
    // The index limited to the `count` entries; 0 for none.
    static std::int64_t clamped(std::int64_t index, std::int64_t count);
    // Where the item with id `itemID` is in `items`.
    static std::optional<std::int64_t> indexOf(const std::vector<VantorItem>& items,
                                               const CanonicalString& itemID);

    // Remembers the item now selected in `items` (none when the index is outside).
    void remember(const std::vector<VantorItem>& items);
    // Where the remembered item is in `items` now, if it is still there.
    std::optional<std::int64_t> followed(const std::vector<VantorItem>& items) const;

private:
    std::int64_t index_ = 0;
    std::optional<CanonicalString> itemID_;
};

}  // namespace vantor
