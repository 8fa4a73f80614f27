#include "launcher/KeyCodes.h"

namespace vantor {

KeyCommand keyCommand(int keyCode, KeyContext context) {
    struct Binding {
        KeyContext context;
        int keyCode;
        KeyCommand command;
    };
    using enum KeyCommand;
    using namespace key_code;
    static constexpr Binding bindings[] = {
        {KeyContext::grid, contextMenu, showMenu},
        {KeyContext::grid, returnKey, openSelected},
        {KeyContext::grid, keypadEnter, openSelected},
        {KeyContext::grid, escape, close},
        {KeyContext::grid, leftArrow, left},
        {KeyContext::grid, rightArrow, right},
        {KeyContext::grid, upArrow, up},
        {KeyContext::grid, downArrow, down},
        {KeyContext::grid, pageUp, pageBack},
        {KeyContext::grid, pageDown, pageOn},
        {KeyContext::grid, home, firstOnPage},
        {KeyContext::grid, end, lastOnPage},
        {KeyContext::grid, home + withControl, first},
        {KeyContext::grid, end + withControl, last},
        {KeyContext::grid, f2, renameFolder},
        {KeyContext::grid, leftArrow + withControlShift, moveLeft},
        {KeyContext::grid, rightArrow + withControlShift, moveRight},
        {KeyContext::grid, upArrow + withControlShift, moveUp},
        {KeyContext::grid, downArrow + withControlShift, moveDown},
        {KeyContext::openFolder, escape, closeFolder},
        {KeyContext::openFolder, f2, renameFolder},
        {KeyContext::openFolder, contextMenu, showMenu},
        {KeyContext::openFolder, returnKey, openSelected},
        {KeyContext::openFolder, keypadEnter, openSelected},
        {KeyContext::openFolder, leftArrow, left},
        {KeyContext::openFolder, rightArrow, right},
        {KeyContext::openFolder, upArrow, up},
        {KeyContext::openFolder, downArrow, down},
        {KeyContext::openFolder, leftArrow + withControlShift, moveLeft},
        {KeyContext::openFolder, rightArrow + withControlShift, moveRight},
        {KeyContext::openFolder, upArrow + withControlShift, moveUp},
        {KeyContext::openFolder, downArrow + withControlShift, moveDown},
        {KeyContext::folderName, returnKey, keepName},
        {KeyContext::folderName, keypadEnter, keepName},
        {KeyContext::folderName, escape, restoreName},
        {KeyContext::folderName, contextMenu, consume},
    };
    for (const Binding& binding : bindings) {
        if (binding.context == context && binding.keyCode == keyCode) {
            return binding.command;
        }
    }
    return passOn;
}

}  // namespace vantor
