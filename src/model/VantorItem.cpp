#include "model/VantorItem.h"

#include "model/HashCombine.h"

namespace vantor {

VantorItem VantorItem::application(ApplicationItem application) {
    CanonicalString id = applicationItemID(application.id);
    return VantorItem(std::move(application), std::move(id));
}

VantorItem VantorItem::folder(VantorFolder folder, std::vector<ApplicationItem> applications) {
    CanonicalString id = folderItemID(folder.id);
    return VantorItem(Folder{std::move(folder), std::move(applications)}, std::move(id));
}

const std::string& VantorItem::title() const {
    if (isApplication()) {
        return asApplication().name;
    }
    return asFolder().folder.name.raw();
}

bool operator==(const VantorItem& a, const VantorItem& b) {
    if (a.isApplication() != b.isApplication()) {
        return false;
    }
    if (a.isApplication()) {
        return a.asApplication() == b.asApplication();
    }
    return a.asFolder().folder == b.asFolder().folder &&
           a.asFolder().applications == b.asFolder().applications;
}

}  // namespace vantor

std::size_t std::hash<vantor::VantorItem>::operator()(
    const vantor::VantorItem& item) const noexcept {
    std::size_t seed = 0;
    if (item.isApplication()) {
        vantor::hashCombineValue(seed, std::size_t{0});
        vantor::hashCombineValue(seed, item.asApplication().id);
        return seed;
    }
    vantor::hashCombineValue(seed, std::size_t{1});
    seed = vantor::hashFolderFields(item.asFolder().folder, seed);
    vantor::hashCombineValue(seed, item.asFolder().applications.size());
    for (const auto& application : item.asFolder().applications) {
        vantor::hashCombineValue(seed, application.id);
    }
    return seed;
}
