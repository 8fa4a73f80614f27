// Which keys the launcher takes, and what they do, in each of its contexts.
#include <gtest/gtest.h>

#include "launcher/KeyCodes.h"

namespace vantor {
namespace {

TEST(KeyCommandTest, EachContextTakesItsOwnKeysAndPassesOnTheRest) {
    using enum KeyCommand;
    using enum KeyContext;
    using namespace key_code;
    // Key; what it does over the grid, in an open folder, while the folder's name is edited.
    const std::pair<int, std::tuple<KeyCommand, KeyCommand, KeyCommand>> cases[] = {
        {returnKey, {openSelected, passOn, keepName}},
        {keypadEnter, {openSelected, passOn, keepName}},
        {escape, {close, closeFolder, restoreName}},
        {contextMenu, {showMenu, consume, consume}},
        {leftArrow, {left, passOn, passOn}},
        {rightArrow, {right, passOn, passOn}},
        {upArrow, {up, passOn, passOn}},
        {downArrow, {down, passOn, passOn}},
        {f2, {passOn, renameFolder, passOn}},
    };
    for (const auto& [key, expected] : cases) {
        auto in = [key](KeyContext context) { return keyCommand(key, context); };
        EXPECT_EQ(std::tuple(in(grid), in(openFolder), in(folderName)), expected) << key;
    }
    // Letters, digits, Delete, Tab, Space, Home/End, Page Up/Down…
    for (int key : {0, 29, 48, 49, 51, 115, 116, 121}) {
        EXPECT_EQ(keyCommand(key, grid), passOn) << key;
    }
}

}  // namespace
}  // namespace vantor
