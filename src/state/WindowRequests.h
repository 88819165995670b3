#pragma once

#include "Launcher.h"

#include <QString>
#include <QVector>

class QItemSelectionModel;

namespace zantor {

// What the group editor is opened for. The editor keeps its request for its whole life:
// nothing that changes later (another window's choice, the shared values) can turn an
// editor for one group into an editor for another.
struct EditorRequest {
    enum class Mode { Insert, Update };
    Mode mode = Mode::Insert;
    // The group to change; none for a new group.
    int groupId = 0;
};

// What the items viewer shows: the texts of the main window's details panel.
struct ItemsRequest {
    QString groupTitle;
    // The item titles joined by ", ".
    QString description;
    // The addresses joined by the unit separator.
    QString addresses;
    // The items' arguments as typed, joined the same way.
    QString arguments;
};

// How a window asks for another one. No window makes another or looks one up: the app's
// window coordinator makes every window and answers these.
class WindowRequests {
public:
    virtual ~WindowRequests();

    virtual void openEditor(const EditorRequest& request) = 0;
    virtual void openSettings() = 0;
    virtual void openHelp() = 0;
    virtual void openAbout() = 0;
    // The compact list in place of the main window.
    virtual void openCompactList() = 0;
    // Asks before the groups selected in `selection` (the main list's) are deleted.
    virtual void confirmDeletion(const QItemSelectionModel& selection) = 0;
    virtual void showItems(const ItemsRequest& request) = 0;
    // Opens the groups, in the order given, as one run of the window the user sees: the
    // compact list while it is open, else the main window. The ticket follows the run
    // to its end; it names no run when there was nothing to open.
    virtual RunTicket openGroups(const QVector<int>& groupIds) = 0;
    // The items a run did not find, for the user to fix ("Itens não encontrados").
    virtual void fixMissingItems(const QVector<MissedItem>& items) = 0;
};

} // namespace zantor
