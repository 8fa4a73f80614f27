#pragma once

#include <cstdint>

namespace vantor {

// The shape of one launcher page: how many cells a row holds and how many
// rows a page has.
struct PageGridLayout {
    std::int64_t columns = 1;
    std::int64_t rows = 1;

    // The page sizes the menu offers have fixed shapes; any other size gets a
    // near-square one (columns × rows may then exceed the page size, leaving
    // the last row short). A size below 1 is treated as 1.
    explicit PageGridLayout(std::int64_t pageSize);

    friend bool operator==(const PageGridLayout&, const PageGridLayout&) = default;
};

}  // namespace vantor
