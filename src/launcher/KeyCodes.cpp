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
        {KeyContext::openFolder, escape, closeFolder},
        {KeyContext::openFolder, f2, renameFolder},
        {KeyContext::openFolder, contextMenu, consume},
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
