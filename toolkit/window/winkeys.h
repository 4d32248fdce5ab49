// The key table of the message loop: a virtual key that gives no character
// (or a numeric-pad key) becomes the key code a KeyDown message carries.
#pragma once

namespace tsd {

// Modifier values the table receives.
inline constexpr int kKeyShift = 20;
inline constexpr int kKeyCtrl = 40;

// Key code of virtual key `vkey` with `modifier` 0, kKeyShift or kKeyCtrl.
// Returns 0 for the keys that give nothing alone (Shift, Ctrl, Alt, Pause,
// Caps Lock, Num Lock, Scroll Lock).
int yyinterpretkey(int vkey, int modifier);

// True for the keys of the numeric pad that send a character (digits and
// the operator keys); their KeyDown carries the table code, not the character.
bool yynumpadkey(int vkey);

}  // namespace tsd
