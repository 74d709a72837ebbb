#pragma once

#include <cstdint>

#include <QKeyEvent>
#include <Qt>

namespace vexmire {

// The virtual-key code that the rules see for a Qt key: Enter 13, Space 32, the arrows 37 to 40,
// letters and digits as their upper-case characters, and the usual codes for the other common
// keys. A key with no such code becomes kUnmappedKey, which no rule acts on.
int16_t VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// The code that a key pressed in the game window hands the rules: its VirtualKeyCode, except that
// the four keys where a US keyboard has W, A, S and D walk as the arrows Up, Left, Down and Right
// do, and reach the rules (and the recording) as the arrows' codes. They are found by their place
// on the keyboard, whatever letters the player's layout puts there (Z, Q, S, D on a French one):
// `scanCode` is the window system's code for the key's place (the XKB keycode on X11 and
// Wayland). Where it gives none (0), the letters W, A, S and D walk.
int16_t GameWindowKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0);
int16_t GameWindowKeyCode(const QKeyEvent& event);

// The shift state handed to the key handlers: 1 Shift, 2 Ctrl, 4 Alt.
int16_t ShiftState(Qt::KeyboardModifiers modifiers);

constexpr int16_t kUnmappedKey = 0;

}  // namespace vexmire
