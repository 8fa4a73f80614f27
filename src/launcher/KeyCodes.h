#pragma once

namespace vantor {

// The virtual key codes the launcher acts on. The view maps its toolkit's keys
// to these (Return, keypad Enter, Escape, the four arrows, F2, and the Menu key
// or Shift+F10 as contextMenu); every other key reaches the launcher as some
// other code and is passed on to the focused field.
namespace key_code {
inline constexpr int returnKey = 36;
inline constexpr int keypadEnter = 76;
inline constexpr int escape = 53;
inline constexpr int leftArrow = 123;
inline constexpr int rightArrow = 124;
inline constexpr int downArrow = 125;
inline constexpr int upArrow = 126;
inline constexpr int f2 = 120;
inline constexpr int contextMenu = 110;
}  // namespace key_code

// What the launcher shows decides which keys it takes.
enum class KeyContext { grid, openFolder, folderName };

// What a key does. Every key but passOn is consumed: the focused field never sees it.
enum class KeyCommand {
    passOn,
    consume,  // ours, though it changes nothing here
    keepName,
    restoreName,
    closeFolder,
    renameFolder,
    showMenu,
    openSelected,
    close,
    left,
    right,
    up,
    down,
};

// Only the key code counts: with Shift, Control or the like held a key acts as
// the plain key. The grid takes Return, keypad Enter, Escape, the arrows and
// the menu key; an open folder only Escape (closes it), F2 (renames it) and the
// menu key (no selection to show a menu for); while its name is edited, Return
// and Enter keep the name, Escape restores it, the menu key does nothing and
// every other key goes to the name field.
KeyCommand keyCommand(int keyCode, KeyContext context);

}  // namespace vantor
