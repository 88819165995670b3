#pragma once

#include "BorderlessWindow.h"

namespace zantor {

// A full-size Zantor window: the calm band across its top and the minimise, tray and
// close images in its top right corner. The main window and every page are one.
class TitledWindow : public BorderlessWindow {
    Q_OBJECT
public:
    // `widthTwips` places the title-bar images from the right edge.
    explicit TitledWindow(int widthTwips, QWidget* parent = nullptr);

    ImagePicture* imgMinimizar;
    ImagePicture* imgTray;
    ImagePicture* imgFechar;
    ImageButton* imgMinimizarOn;
    ImageButton* imgTrayOn;
    ImageButton* imgFecharOn;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zantor
