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

}  // namespace vantor
