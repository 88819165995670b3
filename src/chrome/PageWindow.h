#pragma once

#include "BorderlessWindow.h"

namespace zantor {

class PageHostWindow;

// A window that covers the main window while it is open (editor, settings, help,
// about) and hands back to it, at its own place, when it closes.
class PageWindow : public BorderlessWindow {
    Q_OBJECT
public:
    // `formName` is the window's objectName(), by which the host unloads it.
    PageWindow(PageHostWindow& host, const QString& formName);

    // Takes the host's place, size and icon and shows itself; the host hides a
    // moment later. Called by the host's showPage().
    void openOverHost();
    // Puts the host back where this window is now and asks to be unloaded.
    void closeToHost();

protected:
    PageHostWindow& host() { return m_host; }
    // Closed by the window manager, the page hands back as its close button does.
    void closeEvent(QCloseEvent* event) override;

private:
    PageHostWindow& m_host;
};

} // namespace zantor
