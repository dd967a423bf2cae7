#pragma once

// Qt's keys as the virtual-key codes the game reads, and the Shift (1), Ctrl (2), Alt (4) mask.

#include <Qt>

namespace zarb::forms {

// 0 for a key the game has no code for.
int virtualKeyCode(int qtKey);
int shiftMask(Qt::KeyboardModifiers modifiers);

}  // namespace zarb::forms
