#pragma once

namespace zantor {

// Zantor's windows place themselves and keep on top, which a Wayland client may not
// do. On a Wayland session with XWayland, ask Qt for X11 instead. Call before the
// application object is made.
void preferX11OnWayland();

} // namespace zantor
