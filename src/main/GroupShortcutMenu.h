#pragma once

#include <QMenu>

namespace zantor {

class SharedState;

// What a right click on a group row offers: a desktop entry that opens the group on the
// desktop, in the applications menu and at login. Each entry is ticked where its file
// is on disk now, and a click writes or removes that file. Deletes itself once closed.
class GroupShortcutMenu : public QMenu {
    Q_OBJECT
public:
    GroupShortcutMenu(SharedState& state, int groupId, QWidget* parent);

signals:
    // A line for the main window's status line.
    void statusMessage(const QString& text);

private:
    void apply(QAction* action);

    SharedState& m_state;
    int m_groupId;
};

} // namespace zantor
