#pragma once

#include <QVector>

class QWidget;

namespace zantor {

class SharedState;

// A group's desktop entries follow the group. What cannot be done is told in a message
// over `parent`; the save or the deletion stands either way.

// After a save: the entries the group has take its title and picture as stored now.
void refreshGroupShortcuts(QWidget* parent, const SharedState& state, int groupId);
// After a deletion: the deleted groups' entries go.
void removeGroupShortcuts(QWidget* parent, const SharedState& state, const QVector<int>& groupIds);

} // namespace zantor
