#pragma once

#include <QObject>

class QAbstractItemView;

namespace zantor {

// How the user asks a list of groups to open the selected ones: a double-click anywhere
// in the list, below the last row too, or a key that types a character, Enter included.
// Tab, the arrows and shortcuts (Ctrl+N, F2, Delete...) keep their own work, and a key
// held down asks once.
class ListActivation : public QObject {
    Q_OBJECT
public:
    // Belongs to `list`, and goes with it.
    explicit ListActivation(QAbstractItemView* list);

signals:
    // The user asked to open, either way.
    void activated();
    // By a double-click, which may have more to do.
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* m_list;
    // Kept, not asked of the list: the viewport's events still come while the list is
    // being destroyed, when it is no longer a list to ask.
    QObject* m_viewport;
    // Set while the list itself takes a double-click this filter has passed on.
    bool m_passingOn = false;
};

} // namespace zantor
