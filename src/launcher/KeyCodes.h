#pragma once

namespace vantor {

// The virtual key codes the launcher acts on. The view maps its toolkit's keys
// to these (Return, keypad Enter, Escape, the four arrows, Page Up/Down,
// Home/End, F2, and the Menu key or Shift+F10 as contextMenu); every other key
// reaches the launcher as some other code and is passed on to the focused
// field. Ctrl+Home/End and Ctrl+Shift+arrows carry a modifier flag added to
// the plain key's code.
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
inline constexpr int home = 115;
inline constexpr int pageUp = 116;
inline constexpr int end = 119;
inline constexpr int pageDown = 121;
// Added to a plain key's code: Ctrl held (Home, End), Ctrl and Shift held (arrows).
inline constexpr int withControl = 0x1000;
inline constexpr int withControlShift = 0x2000;
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
    pageBack,
    pageOn,
    firstOnPage,
    lastOnPage,
    first,
    last,
    moveLeft,
    moveRight,
    moveUp,
    moveDown,
};

// Modifiers count only where the view added their flag (Ctrl+Home/End,
// Ctrl+Shift+arrows); otherwise a key with Shift, Control or the like held acts
// as the plain key. The grid takes Return, keypad Enter, Escape, the arrows,
// Page Up/Down, Home/End, F2 (renames a selected folder), the menu key and
// Ctrl+Shift+arrows (move the selected item); an open folder Escape (closes
// it), F2 (renames it), its own selection's arrows, Return, menu key and
// Ctrl+Shift+arrows; while its name is edited, Return and Enter keep the name,
// Escape restores it, the menu key does nothing and every other key goes to
// the name field.
KeyCommand keyCommand(int keyCode, KeyContext context);

}  // namespace vantor
