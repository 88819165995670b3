#pragma once

#include "state/WindowRequests.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace zantor {

class MainWindow;
class CompactList;
class MissingItemsWindow;
class PageWindow;
class ResourceHandler;
class SharedState;

// Makes and owns every window of a running Zantor (the main window, the pages over it,
// the compact list and the dialogs), each with its own tray icon, and answers what the
// windows and the command line ask of one another. No window makes or finds another.
//
// One rule of ownership: the coordinator owns every window it makes. The main window
// lives as long as the coordinator; every other one is held by a QPointer, because it
// may go by itself (closed, or unloaded by the main window once it handed back), and
// whatever is left goes with the coordinator, before the main window. A window's Qt
// parent, where it has one, only keeps it over that window.
class WindowCoordinator final : public QObject, public WindowRequests {
    Q_OBJECT
public:
    // Groups and documents open through `resourceHandler`.
    WindowCoordinator(SharedState& state, ResourceHandler& resourceHandler);
    ~WindowCoordinator() override;

    // The first window, as the settings say: the compact list, the main window, or only
    // its tray icon. Once it is on the screen, the program takes its icon, the rest of
    // the group list is read, and firstWindowShown() follows.
    void start();

    MainWindow& mainWindow() { return *m_main; }
    // The compact list while it is open.
    CompactList* compactWindow() const;

    // The window the user works in comes to the front: a dialog that waits for an
    // answer, else the window that shows, else the one hidden in the tray, else the
    // main window. A minimised window shows again, anew where the display server
    // cannot give it back; `activationToken` is the desktop's token for the request.
    void bringToFront(const QString& activationToken = {});

    void openEditor(const EditorRequest& request) override;
    void openSettings() override;
    void openHelp() override;
    void openAbout() override;
    void openCompactList() override;
    void confirmDeletion(const QItemSelectionModel& selection) override;
    void showItems(const ItemsRequest& request) override;
    RunTicket openGroups(const QVector<int>& groupIds) override;
    void fixMissingItems(const QVector<MissedItem>& items) override;

signals:
    void firstWindowShown();

private:
    // Takes a window the coordinator made into its keeping.
    template <typename Window> Window* own(std::unique_ptr<Window> window);
    // Shows the page over the main window, which hands over to it.
    void showPage(std::unique_ptr<PageWindow> page);
    // What the first window's picture does not need.
    void finishStart();
    // The compact list, shown or only its tray icon.
    void openCompactWindow(bool intoTray);
    // A dialog over the main window that waits for an answer, without a nested event loop.
    void showDialog(QWidget* dialog);

    SharedState& m_state;
    ResourceHandler& m_resourceHandler;
    std::unique_ptr<MainWindow> m_main;
    // Every window made but the main one; null where it went by itself.
    QList<QPointer<QWidget>> m_windows;
    // Some of them, by what they are to the others.
    QPointer<CompactList> m_compact;
    QPointer<QWidget> m_dialog;
    QPointer<MissingItemsWindow> m_missingItems;
};

} // namespace zantor
