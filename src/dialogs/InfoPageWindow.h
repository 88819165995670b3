#pragma once

#include "chrome/PageWindow.h"
#include "chrome/TrayHelper.h"

class QLabel;

namespace zantor {

class ImageButton;
class ImagePicture;

// What the help and the about page share: the title lines and the title bar of the
// main window, a heading, the logo, and a tray icon of their own.
class InfoPageWindow : public PageWindow {
    Q_OBJECT
public:
    InfoPageWindow(PageHostWindow& host, const QString& formName, const QString& heading);

    // Hides the page into its tray icon (the task bar where the desktop has no tray).
    void minimize_to_tray();

    QLabel* shpTit1;
    QLabel* shpTit2;
    QLabel* lblAction;
    ImagePicture* imgLogo;
    ImagePicture* imgMinimizar;
    ImagePicture* imgTray;
    ImagePicture* imgFechar;
    ImageButton* imgMinimizarOn;
    ImageButton* imgTrayOn;
    ImageButton* imgFecharOn;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildTitleBar();

    TrayHelper m_tray;
};

} // namespace zantor
