#include "CompactListView.h"

#include "chrome/FixedRowHeightDelegate.h"

#include <QHelpEvent>
#include <QScreen>
#include <QToolTip>

namespace zantor {

namespace {

// Room between the window and a tool-tip, and for the tool-tip's own frame and margins.
constexpr int kGap = 12;

// Where to ask for a tool-tip so that it opens level with `row` and clear of `window`:
// to its right, or to its left where the screen has no room on the right. The tool-tip
// opens a little right of and below the point it is given.
QPoint besideWindow(const QWidget& window, const QRect& globalRow, const QString& text) {
    const QRect frame = window.frameGeometry();
    const QRect screen = window.screen()->availableGeometry();
    const int width = QFontMetrics(QToolTip::font()).boundingRect(QRect(), 0, text).width() + kGap;
    if (frame.right() + kGap + width <= screen.right())
        return {frame.right() + kGap, globalRow.top()};
    return {frame.left() - kGap - width, globalRow.top()};
}

} // namespace

CompactListView::CompactListView(int rowHeight, QWidget* parent)
    : QListView(parent) {
    auto* rows = new FixedRowHeightDelegate(this);
    rows->setRowHeight(rowHeight);
    setItemDelegate(rows);
    setUniformItemSizes(true);
}

bool CompactListView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QListView::viewportEvent(event);
    const QModelIndex row = indexAt(static_cast<QHelpEvent*>(event)->pos());
    const QString text = row.data(Qt::ToolTipRole).toString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    const QRect place = visualRect(row);
    const QRect globalRow(viewport()->mapToGlobal(place.topLeft()), place.size());
    QToolTip::showText(besideWindow(*window(), globalRow, text), text, viewport(), place);
    return true;
}

} // namespace zantor
