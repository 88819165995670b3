#pragma once

class QAbstractItemView;
class QAbstractScrollArea;
class QPixmap;

namespace zantor {

// A list without a border of its own, for lists that sit inside a drawn frame.
void removeListBorder(QAbstractScrollArea* list);

// Paints `tile` repeated behind the list's rows; item texts are drawn straight onto
// it, and selected rows keep the system's highlight.
void tileListBackground(QAbstractItemView* list, const QPixmap& tile);

} // namespace zantor
