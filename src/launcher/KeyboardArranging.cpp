#include "launcher/KeyboardArranging.h"

#include <optional>

#include "launcher/Selection.h"

namespace vantor {
namespace {

// Where the entry at `from` goes to stand at `to` once it has left its place:
// in front of the entry now at that index, or last (none).
std::optional<std::size_t> standInFrontOf(std::int64_t from, std::int64_t to, std::int64_t count) {
    std::int64_t before = to < from ? to : to + 1;
    if (before >= count) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(before);
}

}  // namespace

void KeyboardArranging::moveSelected(std::int64_t delta) {
    if (host_.isFinished()) {
        return;
    }
    // As with a drag: the open folder keeps its own order during a search,
    // ranked results in the grid have none, and a grid arranged by name keeps
    // its titles' order.
    if (OpenFolder* folder = folder_.folder()) {
        moveInFolder(*folder, delta);
    } else if (!model_.isSearching() && !model_.arrangedByName()) {
        moveInGrid(delta);
    }
}

void KeyboardArranging::moveInGrid(std::int64_t delta) {
    const auto& items = model_.filteredItems();
    auto count = static_cast<std::int64_t>(items.size());
    std::int64_t from = navigation_.selectedIndex();
    if (from < 0 || from >= count) {
        return;
    }
    std::int64_t to = Selection::moved(from, delta, count);
    if (to == from) {
        return;
    }
    // A copy: the move changes the list it came from.
    CanonicalString itemID = items[static_cast<std::size_t>(from)].id();
    if (auto before = standInFrontOf(from, to, count)) {
        CanonicalString beforeID = items[*before].id();
        model_.moveItem(itemID, beforeID);
    } else {
        model_.moveItemToEnd(itemID);
    }
    if (auto index = Selection::indexOf(model_.filteredItems(), itemID)) {
        // The view follows the item to its page, with the page-turn feedback.
        navigation_.moveSelection(*index - navigation_.selectedIndex());
    }
    host_.markChanged();
    model_.flushSettings();
}

void KeyboardArranging::moveInFolder(OpenFolder& folder, std::int64_t delta) {
    const auto& applications = folder.applications();
    auto count = static_cast<std::int64_t>(applications.size());
    std::int64_t from = folder.selectedIndex();
    if (from < 0 || from >= count) {
        return;
    }
    std::int64_t to = Selection::moved(from, delta, count);
    if (to == from) {
        return;
    }
    CanonicalString folderID = folder.folderID();
    CanonicalString applicationID = applications[static_cast<std::size_t>(from)].id;
    if (auto before = standInFrontOf(from, to, count)) {
        CanonicalString beforeID = applications[*before].id;
        model_.moveApplicationInFolder(folderID, applicationID, beforeID);
    } else {
        model_.moveApplicationToFolderEnd(folderID, applicationID);
    }
    folder_.sync();
    if (OpenFolder* shown = folder_.folder()) {
        const auto& now = shown->applications();
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (now[i].id == applicationID) {
                shown->selectAndShow(static_cast<std::int64_t>(i));
            }
        }
    }
    host_.markChanged();
    model_.flushSettings();
}

}  // namespace vantor
