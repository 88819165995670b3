#include "ListActivation.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>

namespace zantor {

ListActivation::ListActivation(QAbstractItemView* list)
    : QObject(list)
    , m_list(list)
    , m_viewport(list->viewport()) {
    list->installEventFilter(this);
    m_viewport->installEventFilter(this);
}

bool ListActivation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_viewport && event->type() == QEvent::MouseButtonDblClick && !m_passingOn) {
        // The list takes the double-click first: on another row than the first click, it
        // chooses that row.
        m_passingOn = true;
        QCoreApplication::sendEvent(watched, event);
        m_passingOn = false;
        emit doubleClicked();
        emit activated();
        return true;
    }
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // A character typed, or Enter. A key with Ctrl, Alt or the logo key held is a
        // shortcut even where it gives a character (Ctrl+N), and so are Delete and the
        // other keys that give control characters: they go on to the list and the window.
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool commanded = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        const bool typed = !key->text().isEmpty() && key->text().at(0).isPrint();
        if (commanded || (!enter && !typed))
            return false;
        // A key held down would restart the run at every repeat and open nothing.
        if (!key->isAutoRepeat())
            emit activated();
        return true;
    }
    return false;
}

} // namespace zantor
