#pragma once

class QWidget;

namespace zantor {

// Keeps `window` above every other window, or lets others cover it again, and shows
// it. Only the window manager's state of the window changes: the native window stays
// the same, so the window neither flickers nor leaves its place.
void keepAbove(QWidget* window, bool onTop);

} // namespace zantor
