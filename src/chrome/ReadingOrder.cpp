#include "ReadingOrder.h"

#include <QWidget>
#include <algorithm>

namespace zantor {

namespace {

bool isControl(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

bool holdsControls(const QWidget* widget) {
    const QList<QWidget*> inside = widget->findChildren<QWidget*>();
    return std::any_of(inside.cbegin(), inside.cend(),
                       [](const QWidget* child) { return !child->isWindow() && isControl(child); });
}

void collect(const QWidget* parent, QList<QWidget*>& controls) {
    QList<QWidget*> children;
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (child && !child->isWindow() && (isControl(child) || holdsControls(child)))
            children.append(child);
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    // Rows, each sorted left to right.
    for (auto row = children.begin(); row != children.end();) {
        const QRect first = (*row)->geometry();
        const int middle = first.top() + first.height() / 2;
        const auto end =
            std::find_if(row, children.end(), [middle](const QWidget* w) { return w->y() >= middle; });
        std::stable_sort(row, end == row ? row + 1 : end,
                         [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        row = end == row ? row + 1 : end;
    }
    for (QWidget* child : std::as_const(children)) {
        // A widget that holds controls, a scroll area too, is a frame around them.
        if (holdsControls(child)) {
            collect(child, controls);
            continue;
        }
        // A part that hands its focus to the widget it belongs to stands for it.
        QWidget* control = child;
        while (control->focusProxy())
            control = control->focusProxy();
        if (!controls.contains(control))
            controls.append(control);
    }
}

} // namespace

QList<QWidget*> controlsInReadingOrder(const QWidget* window) {
    QList<QWidget*> controls;
    collect(window, controls);
    return controls;
}

} // namespace zantor
