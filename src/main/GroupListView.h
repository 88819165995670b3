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
    // A row was clicked.
    void rowClicked(const QModelIndex& row);
    // The keys moved the current row there, or the row was right-clicked.
    void rowReached(const QModelIndex& row);
    void pointerMoved();
    // A right click on a group row, or the menu key or Shift+F10 on the current one.
    void groupMenuRequested(const QModelIndex& row, const QPoint& globalPosition);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    // An empty list says how to begin.
    void paintEvent(QPaintEvent* event) override;

private:
    // The menu of `row`, below the row when the keyboard asked for it.
    void requestMenu(const QModelIndex& row, QPoint globalPosition);

    FixedRowHeightDelegate* m_rows;
};

} // namespace zantor
