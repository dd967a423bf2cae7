#pragma once

// Key events as the virtual-key codes the game reads, and the Shift (1), Ctrl (2), Alt (4) mask.

#include <Qt>

class QKeyEvent;

namespace zarb::forms {

// The code of the key itself, not of the character it types, so that every layout plays: A and
// Z are the keys that type a and z, or on a layout without Latin letters the keys where a United
// States layout has A and Z; 222 and 191 are the keys where that layout has the apostrophe and
// the slash, whatever they type. Keypad keys have codes of their own. 0 for a key the game has
// no code for.
int virtualKeyCode(const QKeyEvent& event);
int shiftMask(Qt::KeyboardModifiers modifiers);

}  // namespace zarb::forms
