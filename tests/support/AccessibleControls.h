#pragma once

#include <QAccessible>
#include <QWidget>

// The control of `window` that screen readers call `name`: found as a user of one finds it.
template <typename Control> Control* accessibleControl(QWidget* window, const QString& name) {
    for (Control* control : window->findChildren<Control*>()) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        if (accessible && accessible->text(QAccessible::Name) == name)
            return control;
    }
    return nullptr;
}
