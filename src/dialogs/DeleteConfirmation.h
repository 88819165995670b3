#pragma once

#include "chrome/BorderlessWindow.h"

#include <QVector>

class QItemSelectionModel;
class QLabel;
class QPushButton;

namespace zantor {

class SharedState;

// Asks before the groups selected in the main list are deleted, and deletes them on
// "Sim". Shown application-modal over the main window; it closes and is gone after
// either answer.
class DeleteConfirmation : public BorderlessWindow {
    Q_OBJECT
public:
    // `selection` is the main list's selection over the state's group model.
    DeleteConfirmation(SharedState& state, const QItemSelectionModel& selection, QWidget* mainWindow);

signals:
    // These groups are gone from the database.
    void groupsDeleted(const QVector<int>& groupIds);
    // A line for the main window's status line.
    void statusMessage(const QString& text);
    // The group list was read again after the deletion and holds `count` groups.
    void listRebuilt(int count);

private:
    void deleteSelectedGroups();

    SharedState& m_state;
    const QItemSelectionModel& m_selection;
    QLabel* m_question;
    QPushButton* m_yesButton;
    QPushButton* m_noButton;

    friend class DeleteConfirmationPeer;
};

} // namespace zantor
