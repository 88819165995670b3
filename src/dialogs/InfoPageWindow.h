#pragma once

#include "chrome/PageWindow.h"

class QLabel;

namespace zantor {

class ImageButton;
class ImagePicture;

// What the help and the about page share: the title lines of the main window, a
// heading and the logo.
class InfoPageWindow : public PageWindow {
    Q_OBJECT
public:
    InfoPageWindow(PageHostWindow& host, const QString& formName, const QString& heading);

    QLabel* shpTit1;
    QLabel* shpTit2;
    QLabel* lblAction;
    ImagePicture* imgLogo;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zantor
