#pragma once

#include <array>
#include <optional>
#include <vector>

#include "base/Geometry.h"
#include "model/ApplicationItem.h"

namespace vantor {

// A folder's thumbnail: a plate with its first four applications two by two,
// placeholders in the cells left over. Every size is a fraction of the side.
struct FolderThumbnail {
    struct Cell {
        Rect frame;
        std::optional<ApplicationItem> application;  // nothing: a placeholder
    };

    double plateRadius = 0;
    double placeholderRadius = 0;
    std::array<Cell, 4> cells;

    // For a thumbnail filling `square`.
    static FolderThumbnail make(const std::vector<ApplicationItem>& applications,
                                const Rect& square);
};

}  // namespace vantor
