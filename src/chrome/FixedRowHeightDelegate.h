#pragma once

#include <QStyledItemDelegate>

namespace zantor {

// Draws a list's rows as usual, every row the same height, so that a given number of
// rows fills the list exactly.
class FixedRowHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // 0 leaves the rows their natural height.
    void setRowHeight(int pixels) { m_rowHeight = pixels; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (m_rowHeight > 0)
            size.setHeight(m_rowHeight);
        return size;
    }

private:
    int m_rowHeight = 0;
};

} // namespace zantor
