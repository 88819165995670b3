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

// Gives a list's or a text box's scroll bars names that screen readers can say.
void nameScrollBars(QAbstractScrollArea* area);

} // namespace zantor
