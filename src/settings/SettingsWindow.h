#pragma once

#include "ShortcutCommands.h"
#include "chrome/PageWindow.h"
#include "platform/Shortcuts.h"
#include "state/ListEntry.h"

#include <QVector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zantor {

class ImageButton;
class ImagePicture;
class OrderingList;
class SharedState;
struct SettingsOptions;

// The settings window: the stored options, the order of the groups and the shortcuts.
// It covers the main window while open; "Atualizar" stores everything and hands back,
// the close image hands back without storing.
class SettingsWindow : public PageWindow {
    Q_OBJECT
public:
    SettingsWindow(SharedState& state, PageHostWindow& host);

    // Shows the stored options and the groups. False when a database could not be
    // read; the user has been told why.
    bool load();

    // The list switch: shows the groups alphabetically or in the custom order.
    void showOrder(bool custom);
    // Moves the entry at `origin` to `target` in the custom order.
    void moveEntry(int origin, int target);
    void createShortcuts();
    void deleteShortcuts();
    // "Atualizar": stores every option, the shortcuts and the custom order, passes the
    // delay and the compact list's width and rows on at once, and hands back.
    void saveAndClose();

    // Controls, by name.
    QRadioButton* optOrdem0;
    QRadioButton* optOrdem1;
    OrderingList* ListConfig;
    QLabel* lblArraste;
    QRadioButton* optMinimized0;
    QRadioButton* optMinimized1;
    QCheckBox* chkMinimizar;
    QLineEdit* txtTempo;
    QCheckBox* chkDesktop;
    QCheckBox* chkMenu;
    QCheckBox* chkWindows;
    QCheckBox* chkRemake;
    ImageButton* btnAdd;
    ImageButton* btnDelete;
    QLineEdit* TxtMiniList;
    QCheckBox* CheckMini1;
    QCheckBox* CheckMini2;
    QRadioButton* OptMiniLarg1;
    QRadioButton* OptMiniLarg2;
    QRadioButton* OptMiniLarg3;
    QLabel* lblTotal;
    QPushButton* btnUpdate;

    // What the window keeps for itself: the shortcut flags, the atalhos text as read,
    // the number of groups, and the groups by title and in the custom order.
    ShortcutFlags shortcutFlags;
    QString lblAtalhos;
    QString lblNumMax;
    QVector<ListEntry> ListAlfa;
    QVector<ListEntry> ListCustom;

signals:
    // For the main window's status line, after a save.
    void statusMessage(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTitle();
    void buildOrderBox();
    void buildTrayBox();
    void buildCompactBox();
    void buildShortcutsBox();
    void buildDelayBox();
    void buildFooter();
    void connectControls();
    void showOptions(const SettingsOptions& options);
    ShortcutTicks shortcutTicks() const;
    Shortcuts shortcutFiles() const;
    // The report in a message over `over`.
    void showShortcutReport(QWidget* over, const ShortcutReport& report);
    // The options as they are to be stored; `atalhos` as the shortcuts decided it.
    SettingsOptions chosenOptions(const QString& atalhos) const;

    SharedState& m_state;
    // numMiniList as read: stored again when the box holds no number.
    QString m_storedNumMiniList;
};

} // namespace zantor
