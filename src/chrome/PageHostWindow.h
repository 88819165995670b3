#pragma once

#include "BorderlessWindow.h"

#include <QIcon>
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

    // Form name of the window to unload when `TimerFormNothing` fires.
    QString lblFormNothing;
    QTimer TimerHideForm;
    QTimer TimerFormNothing;

private:
    void unloadNamedWindow();
};

} // namespace zantor
