#pragma once

#include "InfoPageWindow.h"

#include <QUrl>
#include <functional>

namespace zantor {

class ClickableLabel;

// The about page: the program's name and version, and the way to its maker.
class AboutPage : public InfoPageWindow {
    Q_OBJECT
public:
    explicit AboutPage(PageHostWindow& host);

    // Opens the maker's address; the desktop's browser unless replaced. False when
    // nothing could open it.
    std::function<bool(const QUrl&)> openAddress;

protected:
    // The picture and the address sink and rise together, pressed on either.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openMakerAddress();

    QLabel* m_version;
    ImageButton* m_siteButton;
    ClickableLabel* m_address;
    // Pressed with one mouse button, the pair must not sink a second time with another.
    bool m_pairSunk = false;

    friend class AboutPagePeer;
};

} // namespace zantor
