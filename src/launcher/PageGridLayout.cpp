#include "launcher/PageGridLayout.h"

#include <algorithm>
#include <cmath>

namespace vantor {

PageGridLayout::PageGridLayout(std::int64_t pageSize) {
    switch (pageSize) {
        case 24:
            columns = 6;
            rows = 4;
            return;
        case 35:
            columns = 7;
            rows = 5;
            return;
        case 48:
            columns = 8;
            rows = 6;
            return;
        case 63:
            columns = 9;
            rows = 7;
            return;
        default:
            break;
    }
    // The square root of a negative size would be NaN, whose conversion to an
    // integer is undefined.
    double size = static_cast<double>(std::max<std::int64_t>(pageSize, 1));
    columns = std::max<std::int64_t>(static_cast<std::int64_t>(std::ceil(std::sqrt(size))), 1);
    rows = std::max<std::int64_t>(
        static_cast<std::int64_t>(std::ceil(size / static_cast<double>(columns))), 1);
}

}  // namespace vantor
