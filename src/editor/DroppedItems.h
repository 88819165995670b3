#pragma once

#include "data/ItemListCodec.h"

#include <QVector>

class QMimeData;

namespace zantor {

// The items a drop onto the editor carries: local files and folders, named after
// themselves, applications' entries by the name their menu shows, and web links (http,
// https) dragged from a browser, named by the link's title where the drag carries one,
// else by their host and last path segment. Every title is made one that the stored list
// can hold: ", " becomes " - ", a control character a space.
QVector<GroupItem> droppedItems(const QMimeData* mime);

} // namespace zantor
