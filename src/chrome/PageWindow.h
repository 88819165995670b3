#pragma once

#include "TitledWindow.h"
#include "TrayHelper.h"

namespace zantor {

class PageHostWindow;

// A window that covers the main window while it is open (editor, settings, help,
// about) and hands back to it, at its own place, when it closes. It has the main
// window's title band and title-bar commands, and a tray icon of its own.
class PageWindow : public TitledWindow {
    Q_OBJECT
public:
    // `formName` is the window's objectName().
    PageWindow(PageHostWindow& host, const QString& formName);

    // Takes the host's place, size and icon and shows itself; the host hides a
    // moment later. Called by the host's showPage().
    void openOverHost();
    // Puts the host back where this window is now and asks to be unloaded.
    void closeToHost();
    // Hides the page into its tray icon (the task bar where the desktop has no tray).
    void minimizeToTray();
    TrayHelper& tray() { return m_tray; }

protected:
    PageHostWindow& host() { return m_host; }
    // Closed by the window manager, the page hands back as its close button does.
    void closeEvent(QCloseEvent* event) override;

private:
    PageHostWindow& m_host;
    TrayHelper m_tray;
};

} // namespace zantor
