#pragma once

#include <QTreeView>

namespace zantor {

class FixedRowHeightDelegate;

// The main window's group list. Tells the window what the user does with it; the
// window decides what that means.
class GroupListView : public QTreeView {
    Q_OBJECT
public:
    explicit GroupListView(QWidget* parent = nullptr);

    // Every row this high, so that a given number of rows fills the list exactly.
    void setRowHeight(int pixels);

signals:
    // A row was chosen with the mouse or by moving through the list with the keys.
    void rowClicked(const QModelIndex& row);
    void pointerMoved();
    // A right click on a group row.
    void groupMenuRequested(const QModelIndex& row, const QPoint& globalPosition);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    // An empty list says how to begin.
    void paintEvent(QPaintEvent* event) override;

private:
    FixedRowHeightDelegate* m_rows;
};

} // namespace zantor
