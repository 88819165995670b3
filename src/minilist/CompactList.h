#pragma once

#include "GroupTitleModel.h"
#include "chrome/BorderlessWindow.h"
#include "chrome/TrayHelper.h"
#include "state/Launcher.h"

#include <QPointer>

class QFrame;
class QLineEdit;

namespace zantor {

class BorderShape;
class CompactListView;
class CountingNotice;
class ImageButton;
class ResourceHandler;
class SharedState;
class WindowRequests;

// "MiniZantor": the group titles in a small list that can stay above every other
// window and opens groups as the main window does. It shows the shared group list, so
// a save or a deletion elsewhere shows here at once.
class CompactList : public BorderlessWindow {
    Q_OBJECT
public:
    // Places and sizes itself from the settings; whoever makes it shows it or hides it
    // in its tray icon.
    CompactList(SharedState& state, WindowRequests& windows, ResourceHandler& resourceHandler,
                const QIcon& icon);

    void minimizeToTray();
    TrayHelper& tray() { return m_tray; }
    const Launcher& launcher() const { return m_launcher; }
    // Opens every resource of the selected groups, top to bottom, the launch delay apart.
    void openSelectedGroups();
    // Opens the groups, in the order given, as one run.
    RunTicket openGroups(const QVector<int>& groupIds);

signals:
    // The window has closed and is going away; the main window takes over.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildList();
    void buildBottomBar();
    void connectCommands(WindowRequests& windows);
    // Sizes the list, its frame, the bottom bar and the window for `rows` rows; `top`
    // is the window's new top, in pixels.
    void applyGeometry(int rows, int top);
    // A width chosen in the settings shows at once.
    void followWidth();
    // Shows as many rows as the row box says, within what the groups allow, keeping
    // the window's bottom edge where it is.
    void applyRowCount();
    // Stores the window's place for its next opening and confirms it in a notice.
    void savePosition();
    void setAlwaysOnTop(bool onTop);
    void countGroups();
    // The timed notice over the list: the window has no status line.
    void showNotice(const QString& text);

    SharedState& m_state;
    QIcon m_icon;
    GroupTitleModel m_titles;
    Launcher m_launcher;
    TrayHelper m_tray;
    QPointer<CountingNotice> m_notice;

    CompactListView* m_groupList;
    BorderShape* m_listFrame;
    QFrame* m_bottomBar;
    QLineEdit* m_rowCount;
    ImageButton* m_positionButton;
    // Shown while the window is not kept on top, and while it is.
    ImageButton* m_keepOnTopButton;
    ImageButton* m_leaveTopButton;
    ImageButton* m_trayButton;
    ImageButton* m_closeButton;

    // The rows shown now.
    int m_shownRows = 0;
    // The most rows the list may show: the number of groups, at most 15.
    int m_mostRows = 0;

    friend class CompactListPeer;
};

} // namespace zantor
