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

protected:
    // The about page shows the logo larger, in the middle.
    ImagePicture* logo() const { return m_logo; }
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_heading;
    ImagePicture* m_logo;

    friend class InfoPageWindowPeer;
};

} // namespace zantor
