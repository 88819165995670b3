#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <optional>

class QWindow;

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

// What the display server lets a window do. X11 lets it choose its own place; Wayland
// leaves that to the compositor.
bool placesWindows();
// Why a window cannot be kept above the others in this session, in words for its
// tool-tip: Wayland leaves stacking to the compositor, and an X11 window manager may
// not know the state (_NET_WM_STATE_ABOVE missing from _NET_SUPPORTED). Empty where
// it can.
QString whyNoWindowStaysOnTop();
// Whether an XEmbed tray is there now: on X11, the owner of the screen's tray selection
// (_NET_SYSTEM_TRAY_S<screen>).
bool hasXEmbedTray();
// Whether the display server gives a minimised window back when asked. Wayland has no
// request for it: a minimised window is shown anew instead.
bool unminimizesWindows();
// The activation token the desktop gave this start, if any: read it before the
// application object is made, which may take it from the environment.
QString activationTokenOfThisStart();
// Brings `window` to the front with the activation token a later start was given
// (XDG_ACTIVATION_TOKEN on Wayland, DESKTOP_STARTUP_ID on X11), so that the desktop
// takes it for the user's own request; empty asks without one.
void activate(QWindow* window, const QString& token);

} // namespace zantor::display
