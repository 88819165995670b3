#pragma once

#include <QListView>

namespace zantor {

// The compact window's list of group titles, every row the same height. Tells the
// window when the user asks to open the selected groups.
class CompactListView : public QListView {
    Q_OBJECT
public:
    CompactListView(int rowHeight, QWidget* parent);

signals:
    // A double-click anywhere in the list, below the last row too.
    void listDoubleClicked();
    // A key that types a character, Enter included.
    void characterKeyPressed();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A row's tool-tip opens beside the window, never over its bottom bar, where it
    // would take the next click.
    bool viewportEvent(QEvent* event) override;
};

} // namespace zantor
