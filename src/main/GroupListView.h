#pragma once

#include <QTreeWidget>

namespace zantor {

// The main window's group list. Tells the window what the user does with it; the
// window decides what that means.
class GroupListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit GroupListView(QWidget* parent = nullptr);

signals:
    // A row was chosen with the mouse or by moving through the list with the keys.
    void rowClicked(QTreeWidgetItem* row);
    // A double-click anywhere in the list, below the last row too.
    void listDoubleClicked();
    // A key that types a character, Enter included.
    void characterKeyPressed();
    void pointerMoved();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
};

} // namespace zantor
