#include "launcher/FolderThumbnail.h"

namespace vantor {

FolderThumbnail FolderThumbnail::make(const std::vector<ApplicationItem>& applications,
                                      const Rect& square) {
    const double side = square.width;
    const double mini = 0.32 * side;
    const double gap = 0.095 * side;
    const double grid = 2 * mini + gap;
    FolderThumbnail thumbnail;
    thumbnail.plateRadius = 0.245 * side;
    thumbnail.placeholderRadius = 0.08 * side;
    const double left = square.midX() - grid / 2;
    const double top = square.midY() - grid / 2;
    for (std::size_t index = 0; index < 4; ++index) {
        Cell& cell = thumbnail.cells[index];
        cell.frame = {left + static_cast<double>(index % 2) * (mini + gap),
                      top + static_cast<double>(index / 2) * (mini + gap), mini, mini};
        if (index < applications.size()) {
            cell.application = applications[index];
        }
    }
    return thumbnail;
}

}  // namespace vantor
