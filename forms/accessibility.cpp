#include "forms/accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace zarb::forms {

void setAccessibleRole(QWidget& widget, QAccessible::Role role) {
    // Qt keeps the interface, and drops it with the widget.
    QAccessible::registerAccessibleInterface(new QAccessibleWidget(&widget, role));
}

}  // namespace zarb::forms
