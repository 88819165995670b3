#include "ListActivation.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>

namespace zantor {

ListActivation::ListActivation(QAbstractItemView* list)
    : QObject(list)
    , m_list(list) {
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
}

bool ListActivation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick && !m_passingOn) {
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
        const bool movesFocus = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (key->text().isEmpty() || movesFocus)
            return false;
        // A key held down would restart the run at every repeat and open nothing.
        if (!key->isAutoRepeat())
            emit activated();
        return true;
    }
    return false;
}

} // namespace zantor
