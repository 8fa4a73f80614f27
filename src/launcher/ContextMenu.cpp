#include "launcher/ContextMenu.h"

namespace vantor {
namespace {

// Right after 打开: they are ways of opening too.
void appendDesktopActions(std::vector<ContextMenuEntry>& entries,
                          const ApplicationItem& application) {
    for (const DesktopAction& action : application.actions) {
        entries.push_back({ContextMenuAction::desktopAction, action.name, action.id, action.icon});
    }
}

}  // namespace

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
    std::vector<ContextMenuEntry> entries{{Action::open, "打开"}};
    appendDesktopActions(entries, item.asApplication());
    if (place == ContextMenuPlace::folderPanel) {
        entries.push_back({Action::takeOutOfFolder, "移出文件夹"});
    }
    entries.push_back({Action::hide, "隐藏"});
    return entries;
}

}  // namespace vantor
