#include "launcher/ContextMenu.h"

namespace vantor {

ContextMenu ContextMenu::make(ContextMenuPlace place, VantorItem item, std::int64_t cell) {
    auto entries = contextMenuEntries(place, item);
    return ContextMenu{place, std::move(item), cell, std::move(entries)};
}

std::vector<ContextMenuEntry> contextMenuEntries(ContextMenuPlace place, const VantorItem& item) {
    using Action = ContextMenuAction;
    if (item.isFolder()) {
        return {{Action::open, "打开"},
                {Action::rename, "重命名"},
                {Action::dissolveFolder, "解散文件夹"}};
    }
    if (place == ContextMenuPlace::folderPanel) {
        return {{Action::open, "打开"},
                {Action::takeOutOfFolder, "移出文件夹"},
                {Action::hide, "隐藏"}};
    }
    return {{Action::open, "打开"}, {Action::hide, "隐藏"}};
}

}  // namespace vantor
