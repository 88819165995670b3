#pragma once

#include "chrome/PageHostWindow.h"
#include "chrome/StatusLines.h"
#include "chrome/TrayHelper.h"
#include "platform/Pictures.h"
#include "state/Launcher.h"
#include "state/SharedState.h"

#include <QIcon>
#include <QTimer>

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QModelIndex;

namespace zantor {

class ClickableLabel;
class GroupListView;
class ImageButton;
class ImagePicture;
class ResourceHandler;
class WindowRequests;

// The main window: the group list, the selected group's details and the commands. It
// lives for the whole run; the windows it opens come from `windows`.
class MainWindow : public PageHostWindow {
    Q_OBJECT
public:
    // Builds itself over the loaded `state`, placed and sized as the settings say; it
    // shows when the coordinator says so. Groups and help documents open through
    // `resourceHandler`.
    MainWindow(SharedState& state, WindowRequests& windows, ResourceHandler& resourceHandler);

    SharedState& state() { return m_state; }
    const SharedState& state() const { return m_state; }
    TrayHelper& tray() { return m_tray; }
    const Launcher& launcher() const { return m_launcher; }

    // What a click on a row does: the details panel shows that group. The first click
    // of a run made before the pointer was over the list selects row 1 as well.
    void showGroupDetails(const QModelIndex& row);
    // What the keys and a right click do: the panel follows the row the user reached,
    // and nothing else is selected.
    void followRow(const QModelIndex& row);
    // The panel as it is with no row selected.
    void clearGroupDetails();
    // Hides the window into its tray icon (the task bar where the desktop has no tray).
    void minimizeToTray();
    // A short message on the status line, cleared after two seconds.
    void showStatusMessage(const QString& text);
    // After a deletion the rebuilt list counts its rows as items.
    void showRebuiltCount(int count);
    QIcon programIcon() const override { return m_programIcon; }
    // Opens every resource of the selected groups, in list order, the launch delay apart.
    void openSelectedGroups();
    // Opens the groups, in the order given, as one run of this window.
    RunTicket openGroups(const QVector<int>& groupIds);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildCommandButtons();
    void buildDetailsPanel();
    void placeWindow(QPoint twips);
    void setMinimizeOption(bool ticked);
    // The group count, the cover strips and the first row, after every fill.
    void showGroupCount();
    void restoreColumnWidths();
    void connectCommands();
    void storePosition();
    // Update and delete act on the selected rows; without one they say so.
    bool requireSelectedRow();
    void updateSelectedGroup();
    // The numbered items of the group shown in the details panel.
    void showItemsViewer();
    // Hides this window for the compact list.
    void switchToCompactWindow();

    SharedState& m_state;
    WindowRequests& m_windows;
    // The program icon, and the picture shown when a category picture is missing.
    QIcon m_programIcon = picture(QStringLiteral(":/icons/icon-soft.svg"));
    QIcon m_defaultPicture = picture(QStringLiteral(":/icons/picture-default.svg"));

    QLabel* m_messageLine;
    GroupListView* m_groupList;
    // While the groups fit without a scroll bar, these cover the list's right edge.
    QFrame* m_listCover;
    QFrame* m_headerCover;
    QLabel* m_groupCount;
    QCheckBox* m_minimizeOnLaunch;
    ClickableLabel* m_minimizeOnLaunchCaption;
    ImageButton* m_insertButton;
    ImageButton* m_updateButton;
    ImageButton* m_deleteButton;
    ImageButton* m_compactButton;
    ImageButton* m_positionButton;
    ImageButton* m_settingsButton;
    ImageButton* m_helpButton;
    ImageButton* m_aboutButton;
    // The details panel.
    ImagePicture* m_categoryPicture;
    QLabel* m_groupTitle;
    // Made after the title-bar images, whose events this window watches from the start.
    QPlainTextEdit* m_itemNames = nullptr;
    QLabel* m_groupDate;
    QLabel* m_itemCount;
    QLabel* m_categoryName;
    QTimer m_messageTimer;

    Launcher m_launcher;
    TrayHelper m_tray;
    StatusLines m_statusLines;
    // The shown group's item titles, whole: the panel shows them cut.
    QString m_description;
    // Its addresses, unescaped, for the items viewer.
    QString m_addresses;
    // The items' arguments as typed, joined by the unit separator, for the items viewer.
    QString m_arguments;
    // Once the pointer has been over the list or a row was chosen, a row click selects
    // only that row; before, it selects the first row too.
    bool m_listTouched = false;

    friend class MainWindowPeer;
};

} // namespace zantor
