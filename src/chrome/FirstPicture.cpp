#include "FirstPicture.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace zantor {

namespace {

// Watches the window's first paint or, should it hide before it is ever painted, its hiding.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* window, QObject* context, std::function<void()> then)
        : QObject(window)
        , m_context(context)
        , m_then(std::move(then)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint || event->type() == QEvent::Hide) {
            // Queued: the picture is painted and sent to the display before this runs.
            if (m_context)
                QMetaObject::invokeMethod(m_context, std::move(m_then), Qt::QueuedConnection);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QObject> m_context;
    std::function<void()> m_then;
};

} // namespace

void afterFirstPicture(QWidget* window, QObject* context, std::function<void()> then) {
    if (window && window->isVisible())
        new FirstPaintWatch(window, context, std::move(then));
    else
        QMetaObject::invokeMethod(context, std::move(then), Qt::QueuedConnection);
}

} // namespace zantor
