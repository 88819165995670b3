#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace zantor {

// Runs `then` once `window` has put its first picture on the screen, so that work the
// first picture does not need waits until the user sees the window. With no window
// shown (only a tray icon, say) there is no picture to wait for: `then` runs as soon as
// the event loop does. Nothing runs once `context` is gone.
void afterFirstPicture(QWidget* window, QObject* context, std::function<void()> then);

} // namespace zantor
