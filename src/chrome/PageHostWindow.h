#pragma once

#include "BorderlessWindow.h"

#include <QIcon>
#include <QPointer>
#include <QStringList>
#include <QTimer>

namespace zantor {

class PageWindow;

// The window that page windows open over. It hides itself a moment after a page has
// covered it, and unloads a page by name a moment after the page handed back, so
// that neither window ever flickers away before the other is there.
class PageHostWindow : public BorderlessWindow {
    Q_OBJECT
public:
    explicit PageHostWindow(QWidget* parent = nullptr);

    // The picture every page window takes as its own icon.
    virtual QIcon programIcon() const = 0;

    // Names the page in `lblFormNothing` and shows it over this window.
    void showPage(PageWindow* page);
    // The page gives the screen back: this window shows again where the page stands,
    // and the page is unloaded a moment later.
    void takeBack(PageWindow* page);

    // Form name of the window to unload when `TimerFormNothing` fires.
    QString lblFormNothing;
    QTimer TimerHideForm;
    QTimer TimerFormNothing;

private:
    void unloadNamedWindows();
    // Unloads the windows of this name that are not open pages.
    void unloadClosed(const QString& name);

    // Pages that are open now: a page reopened at once under the name of one still
    // waiting to be unloaded must never be the one unloaded.
    QList<QPointer<PageWindow>> m_openPages;
    // Names handed back since the last unload; a second page closing before the
    // first is unloaded must not leave the first behind.
    QStringList m_pendingUnloads;
};

} // namespace zantor
