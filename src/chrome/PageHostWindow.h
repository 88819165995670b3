#pragma once

#include "TitledWindow.h"

#include <QIcon>
#include <QList>
#include <QPointer>
#include <QTimer>

namespace zantor {

class PageWindow;

// The window that page windows open over. It hides itself a moment after a page has
// covered it, and unloads a page a moment after the page handed back, so that neither
// window ever flickers away before the other is there.
class PageHostWindow : public TitledWindow {
    Q_OBJECT
public:
    explicit PageHostWindow(int widthTwips, QWidget* parent = nullptr);

    // The picture every page window takes as its own icon.
    virtual QIcon programIcon() const = 0;

    // Shows the page over this window.
    void showPage(PageWindow* page);
    // The page gives the screen back: this window shows again where the page stands,
    // and the page is unloaded a moment later.
    void takeBack(PageWindow* page);
    // The pages open over this window, the last one opened last.
    QList<PageWindow*> openPages() const;

private:
    void unloadHandedBack();

    // The object name of the page shown or handed back last; the unload goes by the
    // pages themselves.
    QString m_lastPageName;
    // Hides this window once a page covers it.
    QTimer m_hideTimer;
    // Unloads the pages handed back.
    QTimer m_unloadTimer;

    QList<QPointer<PageWindow>> m_openPages;
    // Handed back since the last unload: a second page closing before the first is
    // unloaded must not leave the first behind.
    QList<QPointer<PageWindow>> m_handedBack;

    friend class PageHostWindowPeer;
};

} // namespace zantor
