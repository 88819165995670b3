#pragma once

#include "chrome/BorderlessWindow.h"
#include "chrome/PageHostWindow.h"
#include "chrome/TitledWindow.h"

// What the tests reach inside the windows every Zantor window is built on. Each peer is
// a friend of its class: the controls stay private to everything else.
namespace zantor {

class BorderlessWindowPeer {
public:
    explicit BorderlessWindowPeer(BorderlessWindow& window)
        : m_window(window) {}

    BorderShape* outerBorder() const { return m_window.m_outerBorder; }
    // Where the button pressed last stood before it sank, in pixels.
    QPoint buttonPlace() const { return m_window.m_buttonPlace; }

private:
    BorderlessWindow& m_window;
};

class TitledWindowPeer {
public:
    explicit TitledWindowPeer(TitledWindow& window)
        : m_window(window) {}

    ImagePicture* closeImage() const { return m_window.m_titleBar.close.normal; }
    ImageButton* closeButton() const { return m_window.m_titleBar.close.lit; }
    ImageButton* trayButton() const { return m_window.m_titleBar.tray.lit; }
    ImageButton* minimizeButton() const { return m_window.m_titleBar.minimize.lit; }

private:
    TitledWindow& m_window;
};

class PageHostWindowPeer {
public:
    explicit PageHostWindowPeer(PageHostWindow& window)
        : m_window(window) {}

    QString& lastPageName() const { return m_window.m_lastPageName; }
    const QTimer& hideTimer() const { return m_window.m_hideTimer; }
    const QTimer& unloadTimer() const { return m_window.m_unloadTimer; }

private:
    PageHostWindow& m_window;
};

} // namespace zantor
