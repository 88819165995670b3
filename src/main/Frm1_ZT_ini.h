#pragma once

#include "chrome/PageHostWindow.h"
#include "chrome/TrayHelper.h"
#include "platform/DesktopResourceHandler.h"
#include "state/Launcher.h"
#include "state/SharedState.h"

#include <QIcon>
#include <QPointer>
#include <QTimer>

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QModelIndex;

namespace zantor {

class ClickableLabel;
class Frm9_ZT_mini;
class GroupListView;
class ImageButton;
class ImagePicture;
struct StartupSettings;

// The main window: the group list, the selected group's details and the commands.
// It lives for the whole run and owns the state the other windows share.
class Frm1_ZT_ini : public PageHostWindow {
    Q_OBJECT
public:
    // Resources open on the desktop unless another handler is given.
    explicit Frm1_ZT_ini(const QString& appFolder, ResourceHandler* resourceHandler = nullptr);
    ~Frm1_ZT_ini() override;

    // The start-up sequence: settings, placement, categories, groups, first window.
    // False when a database could not be read; the user has been told why.
    bool load();

    SharedState& state() { return m_state; }
    const SharedState& state() const { return m_state; }

    // What a click on a row does: the details panel shows that group.
    void showGroupDetails(const QModelIndex& row);
    // The panel as it is with no row selected.
    void clearGroupDetails();
    // Hides the window into its tray icon (the task bar where the desktop has no tray).
    void minimize_to_tray();
    // A short message on the status line, cleared after two seconds.
    void showStatusMessage(const QString& text);
    QIcon programIcon() const override { return IconSoft; }
    // Opens every resource of the selected groups, in list order, lblTempo ms apart.
    void openSelectedGroups();
    // Opens the groups, in the order given, as one run of the window the user sees: the
    // compact list while it is open, else this window.
    void openGroups(const QVector<int>& groupIds);
    // The group editor over this window, for a new group ("Insert") or for the group
    // chosen in lblNumUpdate ("Update").
    void openEditor(const QString& mode);
    // The numbered items of the group shown in the details panel.
    void showItemsViewer();
    // Hides this window for the compact list (btnMini).
    void switchToCompactWindow();
    // The compact list window while it is open.
    Frm9_ZT_mini* compactWindow() const;

    // The program icon and the picture shown when a category image is missing.
    QIcon IconSoft{QStringLiteral(":/icons/icon-soft.svg")};
    QIcon Picture1{QStringLiteral(":/icons/picture-default.svg")};

    // Controls, by name.
    QLabel* shpTit1;
    QLabel* shpTit2;
    QLabel* lblMensagem;
    GroupListView* ListView1;
    QFrame* frmTampao;
    QFrame* frmTop3;
    QLabel* lblNumItens;
    ImagePicture* picImgGrupo;
    QLabel* lblData11;
    QLabel* lblData2;
    QLabel* lblNumItens1;
    QLabel* lblNumItens2;
    QLabel* lblTitCat1;
    QLabel* lblTitCat2;
    QLabel* lblTitGrupo;
    QPlainTextEdit* txtDesc;
    QCheckBox* chkMinimizar;
    ClickableLabel* lblChkMinimizar;
    ImageButton* btnInsert;
    ImageButton* btnUpdate;
    ImageButton* btnDelete;
    ImageButton* btnConfig;
    ImageButton* btnHelp;
    ImageButton* btnAbout;
    ImageButton* btnMini;
    ImageButton* btnPosition;
    ImagePicture* imgMinimizar;
    ImagePicture* imgTray;
    ImagePicture* imgFechar;
    ImageButton* imgMinimizarOn;
    ImageButton* imgTrayOn;
    ImageButton* imgFecharOn;
    QTimer TimerMensagem;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildTitleBar();
    void buildCommandButtons();
    void buildDetailsPanel();
    void placeWindow(double left, double top);
    void setMinimizeOption(bool ticked);
    void chooseFirstWindow(const StartupSettings& settings);
    // The group count, the cover strips and the first row, after every fill.
    void showGroupCount();
    // Shows the compact list, or only its tray icon when the start asks for the tray.
    void openCompactWindow();
    void restoreColumnWidths();
    void connectCommands();
    void storePosition();
    // A settings window of its own for every opening, read fresh from the databases.
    void openSettings();
    void setStatusText(const QString& text);
    // Update and delete act on the selected rows; without one they say so.
    bool requireSelectedRow();
    // Asks before the selected groups are deleted.
    void confirmDeletion();
    void updateSelectedGroup();

    SharedState m_state;
    DesktopResourceHandler m_desktopResourceHandler;
    // Where groups and help documents open.
    ResourceHandler& m_resourceHandler;
    Launcher m_launcher;
    TrayHelper m_tray;
    QPointer<Frm9_ZT_mini> m_compactWindow;
    // The shown group's item titles, whole: the panel shows them cut.
    QString m_description;
};

} // namespace zantor
