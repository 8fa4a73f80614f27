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
        {returnKey, {openSelected, openSelected, keepName}},
        {keypadEnter, {openSelected, openSelected, keepName}},
        {escape, {close, closeFolder, restoreName}},
        {contextMenu, {showMenu, showMenu, consume}},
        {leftArrow, {left, left, passOn}},
        {rightArrow, {right, right, passOn}},
        {upArrow, {up, up, passOn}},
        {downArrow, {down, down, passOn}},
        {f2, {renameFolder, renameFolder, passOn}},
        {pageUp, {pageBack, passOn, passOn}},
        {pageDown, {pageOn, passOn, passOn}},
        {home, {firstOnPage, passOn, passOn}},
        {end, {lastOnPage, passOn, passOn}},
        {home + withControl, {first, passOn, passOn}},
        {end + withControl, {last, passOn, passOn}},
        {leftArrow + withControlShift, {moveLeft, moveLeft, passOn}},
        {rightArrow + withControlShift, {moveRight, moveRight, passOn}},
        {upArrow + withControlShift, {moveUp, moveUp, passOn}},
        {downArrow + withControlShift, {moveDown, moveDown, passOn}},
    };
    for (const auto& [key, expected] : cases) {
        auto in = [key](KeyContext context) { return keyCommand(key, context); };
        EXPECT_EQ(std::tuple(in(grid), in(openFolder), in(folderName)), expected) << key;
    }
    // Letters, digits, Delete, Tab, Space, a flag on a key that has no such combination…
    for (int key : {0, 29, 48, 49, 51, returnKey + withControl, pageUp + withControlShift}) {
        EXPECT_EQ(keyCommand(key, grid), passOn) << key;
    }
}

}  // namespace
}  // namespace vantor
