#pragma once

#include <QListWidget>

namespace zantor {

// The list the groups are ordered in: an entry is pressed, the selection follows the
// pointer while any mouse button is held, and the release says where the pressed entry
// was dropped. Whether the entry moves is for the window to decide.
class OrderingList : public QListWidget {
    Q_OBJECT
public:
    explicit OrderingList(QWidget* parent = nullptr);

signals:
    // The entry at row `origin` was dropped on row `target` (the same row for a click).
    void entryDropped(int origin, int target);

protected:
    // Ctrl+Up and Ctrl+Down move the current entry one row, as a drag would.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The pressed row; -1 when the press was below the last entry.
    int m_origin = -1;
};

} // namespace zantor
