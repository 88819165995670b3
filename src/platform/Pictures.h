#pragma once

#include <QIcon>
#include <QString>

namespace zantor {

// The picture in a file or a resource, as an icon. An SVG picture is read only when it is
// first drawn, once for every size: Qt's own SVG icons read the file as the icon is
// made and again for each size drawn, after a search of the plugin folders, which at
// start-up, in a window full of pictures, held back its first picture by milliseconds.
// Selected, disabled and active pictures, which only the toolkit's style can tint, are
// drawn by Qt's own SVG icon.
QIcon picture(const QString& path);

} // namespace zantor
