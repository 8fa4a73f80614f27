// The destination under the pointer; where a press becomes a drag: LauncherDragTest.
#include <gtest/gtest.h>

#include "launcher/GridDrag.h"

namespace vantor {
namespace {

TEST(GridDragTest, TheDestinationIsInFrontOfOntoOrPastTheEntryUnderThePointer) {
    auto idAt = [](std::int64_t i) { return CanonicalString(std::string(1, char('a' + i))); };
    // Index under the pointer, in its middle, the key; "b" is dragged.
    const std::tuple<std::int64_t, bool, std::string> cases[] = {
        {-1, false, "end"},     {0, false, "before:a"},
        {0, true, "folder:a"},  {1, true, "before:b"},  // not onto itself
        {2, false, "before:c"}, {3, true, "end"},
    };
    GridDrag drag;
    for (const auto& [index, middle, key] : cases) {
        auto destination = dragDestinationOver(index, 3, idAt, "b", middle);
        EXPECT_EQ(destination.key(), key) << index;
        // Arriving acts once; onto an item marks it as the target, anything else unmarks.
        EXPECT_TRUE(drag.arrive(destination));
        EXPECT_FALSE(drag.arrive(destination));
        EXPECT_EQ(drag.folderDropTargetID().has_value(), key.starts_with("folder:")) << key;
    }
}

}  // namespace
}  // namespace vantor
