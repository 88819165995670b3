#pragma once

#include "BorderlessWindow.h"
#include "WindowTitle.h"

namespace zantor {

// A full-size Zantor window: the calm band across its top and the minimise, tray and
// close images in its top right corner. The main window and every page are one.
class TitledWindow : public BorderlessWindow {
    Q_OBJECT
public:
    // `widthTwips` places the title-bar images from the right edge.
    explicit TitledWindow(int widthTwips, QWidget* parent = nullptr);

protected:
    // Each window gives the lit images their commands.
    const TitleBarButtons& titleBar() const { return m_titleBar; }
    void paintEvent(QPaintEvent* event) override;

private:
    TitleBarButtons m_titleBar;

    friend class TitledWindowPeer;
};

} // namespace zantor
