#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace zantor::display {

// The display Zantor draws on, chosen while the application object is made (make it
// while one of these lives). Zantor's windows place themselves and keep on top, which
// a Wayland client may not do, so on a Wayland session with XWayland Qt's X11 platform
// comes first. Where no display can be reached, Qt would print its own text and abort;
// a windowless platform behind the others lets Zantor say so itself instead.
class PlatformChoice {
public:
    PlatformChoice();
    // Gives back the environment, so that the programs Zantor opens choose their own
    // display, and what Qt said about the displays it tried, unless none could be reached.
    ~PlatformChoice();
    PlatformChoice(const PlatformChoice&) = delete;
    PlatformChoice& operator=(const PlatformChoice&) = delete;

    // Once the application object is made: whether it reached a display.
    bool reachedDisplay() const;

private:
    bool m_userChose;
    QByteArray m_userChoice;
    bool m_fallbackAdded = false;
    // Settled while the application object lives; it may be gone by the destructor.
    mutable std::optional<bool> m_reached;
};

// What the display server lets a window do. X11 lets it choose its own place and ask
// to stay above the others; Wayland leaves both to the compositor.
bool placesWindows();
bool keepsWindowsOnTop();
// Whether tray icons may also be XEmbed icons, which exist only on X11.
bool hasXEmbedTrays();

} // namespace zantor::display
