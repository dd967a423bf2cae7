#pragma once

// What a screen reader is told a widget is, where Qt would guess wrong for the game's own
// widgets: the splash is a window, the field's captions and a box's text are text.
// Call it before anything else tells Qt about the widget, its accessible name included.

#include <QAccessible>

class QWidget;

namespace zarb::forms {

void setAccessibleRole(QWidget& widget, QAccessible::Role role);

}  // namespace zarb::forms
